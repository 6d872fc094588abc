// The library's own records: the configuration map and the readers that the
// result page and the service report use, over lists shaped by the templates.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config_list_info.h"
#include "config_mngt.h"
#include "dravik/comm_status.h"
#include "record_template.h"
#include "results.h"

namespace {

using namespace dravik;

ParameterList templateList(int id) {
    ParameterList list;
    EXPECT_EQ(FetchRecordTemplate(list, id), 0) << id;
    return list;
}

// The configuration list as a getter leaves it: the template without its final end item.
ParameterList configList() {
    ParameterList list = templateList(TEMPLATE_CONFIG_LIST);
    list.pop_back();
    return list;
}

void setSlot(ParameterList& list, std::size_t slot, const std::string& name, int group, int master,
             int active) {
    list[6 * slot + 1].stringValue = name;
    list[6 * slot + 2].intValue = group;
    list[6 * slot + 3].intValue = master;
    list[6 * slot + 4].intValue = active;
}

// Everything the map printed.
struct Trace {
    Trace() : file(std::tmpfile()) {}
    ~Trace() { std::fclose(file); }
    std::string text() const {
        std::rewind(file);
        std::string out;
        for (int c; (c = std::fgetc(file)) != EOF;) out += static_cast<char>(c);
        return out;
    }
    static int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    std::FILE* file;
};

TEST(ConfigMngt, EmptyNamesGiveAnEmptyMap) {
    CConfigMngt map;
    Trace trace;
    ASSERT_EQ(map.Build(configList(), trace.file), COMM_OK);
    EXPECT_TRUE(map.entries().empty());
    EXPECT_EQ(Trace::count(trace.text(), " ********* No Configuration ********\n\n"), 32);
    EXPECT_EQ(Trace::count(trace.text(), " ******** Config Label = "), 32);
}

TEST(ConfigMngt, EntriesAreKeyedByGroup) {
    ParameterList list = configList();
    setSlot(list, 0, "first", 2, 1, 0);
    setSlot(list, 5, "second", 2, 0, 1);
    setSlot(list, 31, "loose", -1, 0, 0);
    CConfigMngt map;
    ASSERT_EQ(map.Build(list, nullptr), COMM_OK);
    EXPECT_EQ(map.Count(2), 2u);
    EXPECT_EQ(map.Count(-1), 1u);
    EXPECT_EQ(map.Count(0), 0u);

    ConfigListEntry entry;
    ASSERT_EQ(map.Entry(2, 2, entry), COMM_OK);
    EXPECT_EQ(entry.configIndex, 5);
    EXPECT_EQ(entry.active, 1);
    EXPECT_EQ(textOf(entry.name), "second");
    ASSERT_EQ(map.Entry(-1, 1, entry), COMM_OK);
    EXPECT_EQ(entry.configIndex, 31);
    EXPECT_EQ(map.Entry(-1, 2, entry), COMM_FAILED);
    EXPECT_EQ(map.Entry(7, 1, entry), COMM_FAILED);

    // A rebuild replaces what was there.
    ASSERT_EQ(map.Build(configList(), nullptr), COMM_OK);
    EXPECT_EQ(map.Count(2), 0u);
}

TEST(ConfigMngt, ShortListIsReadOnlyAsFarAsItGoes) {
    CConfigMngt map;
    EXPECT_EQ(map.Build(ParameterList{}, nullptr), COMM_LIST_SHORTER_THAN_TEMPLATE);
    EXPECT_TRUE(map.entries().empty());

    ParameterList list = configList();
    setSlot(list, 0, "kept", 0, 0, 0);
    setSlot(list, 20, "beyond", 0, 0, 0);
    list.resize(6 * 10 + 3);  // cut inside slot 10
    EXPECT_EQ(map.Build(list, nullptr), COMM_LIST_SHORTER_THAN_TEMPLATE);
    EXPECT_EQ(map.Count(0), 1u);
}

TEST(LibraryRecords, ReadResultCutsTextsToTheirFields) {
    ParameterList list = templateList(TEMPLATE_READ_RESULT);
    list[0].intValue = 42;
    list[4].stringValue = std::string(300, 'c');
    list[8].stringValue = std::string(1000, 'r') + std::string(100, 'x');
    list[9].intValue = 17;
    list[38].stringValue = "last";
    ReadResult result;
    ASSERT_TRUE(CResults::Extract(list, result));
    EXPECT_EQ(result.resultId(), 42);
    EXPECT_EQ(textOf(result.configName), std::string(255, 'c'));
    EXPECT_EQ(textOf(result.resultText), std::string(1000, 'r') + std::string(23, 'x'));
    EXPECT_EQ(result.decodingTime, 17);
    EXPECT_EQ(textOf(result.texts[9]), "last");

    list.resize(38);
    ReadResult untouched;
    EXPECT_FALSE(CResults::Extract(list, untouched));
    EXPECT_EQ(untouched.resultId(), 0);
}

TEST(LibraryRecords, ConfigurationBlocksTakeTheirItems) {
    ParameterList list = templateList(TEMPLATE_CONFIG_EXTENDED_DATA);
    for (std::size_t i = 0; i < list.size(); ++i) list[i].intValue = static_cast<int>(i) * 10;
    list[28].stringValue = std::string("reference");
    list[52].stringValue = std::string("|");

    ImageQualityBlock image;
    ASSERT_TRUE(CConfigListInfo::ReadImageQuality(list, image));
    const int32_t expectedImage[11] = {30, 90, 50, 60, 70, 80, 140, 130, 110, 120, 40};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(image.values[i], expectedImage[i]) << i;

    TriggerBlock trigger;
    ASSERT_TRUE(CConfigListInfo::ReadTrigger(list, trigger));
    const int32_t expectedTrigger[4] = {440, 450, 430, 460};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(trigger.values[i], expectedTrigger[i]) << i;

    ProcessInterfaceBlock process;
    ASSERT_TRUE(CConfigListInfo::ReadProcessInterface(list, process));
    EXPECT_EQ(process.values[0], 180);
    EXPECT_EQ(textOf(process.texts[4]), "reference");
    EXPECT_EQ(process.appendQuality, 290);

    ExtendedOptionsBlock extended;
    ASSERT_TRUE(CConfigListInfo::ReadExtendedOptions(list, extended));
    EXPECT_EQ(extended.compositeComponent, 510);
    EXPECT_EQ(textOf(extended.compositeSeparator), "|");

    // The plain record has no extended options.
    EXPECT_FALSE(CConfigListInfo::ReadExtendedOptions(templateList(TEMPLATE_CONFIG_DATA), extended));
    FilterBlock filters;
    EXPECT_FALSE(CConfigListInfo::ReadFilters(ParameterList(39), filters));
}

}  // namespace
