#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "list_fixtures.h"
#include "record_reads.h"
#include "records/config_list_info.h"
#include "template_lists.h"

namespace {

using vt::test::ConfigItems;
using vt::test::ConfigList;
using vt::test::IntAt;
using vt::test::SameItem;
using vt::test::StringAt;
using vt::test::WireForm;

CConfigListInfo& Converter() {
    return *CConfigListInfo::GetInstance();
}

// Every reader, as the reply to a configuration get calls them.
int ReadAll(const ParameterList& list, bool extended, ConfigurationRecords& r) {
    return vt::test::ReadConfiguration(list, extended, r);
}

class ConfigReaders : public ::testing::TestWithParam<bool> {};

TEST_P(ConfigReaders, FillEveryFieldFromItsPosition) {
    const bool extended = GetParam();
    const ParameterList list = ConfigList(extended);
    ASSERT_EQ(list.size(), extended ? 55u : 49u);
    ConfigurationRecords r;
    r.processInterface.StringNumerationActive = 7;  // not read without the extended configuration
    ASSERT_EQ(ReadAll(list, extended, r), 0);

    EXPECT_EQ(r.header.FWVersion, StringAt(0));
    EXPECT_EQ(r.header.SensorType, StringAt(1));

    const auto& iq = r.imageQuality;
    EXPECT_EQ(iq.Internal, IntAt(3));
    EXPECT_EQ(iq.Segments, IntAt(4));
    EXPECT_EQ(iq.ExposureTime, IntAt(5));
    EXPECT_EQ(iq.ExposureTimeMax, IntAt(6));
    EXPECT_EQ(iq.ExposureTimeMin, IntAt(7));
    EXPECT_EQ(iq.ExposureTimeStep, IntAt(8));
    EXPECT_EQ(iq.Logarithmic, IntAt(9));
    EXPECT_EQ(iq.Top, IntAt(11));
    EXPECT_EQ(iq.Bottom, IntAt(12));
    EXPECT_EQ(iq.Right, IntAt(13));
    EXPECT_EQ(iq.Left, IntAt(14));

    const auto& pi = r.processInterface;
    EXPECT_EQ(pi.WorkingMode, IntAt(18));
    EXPECT_EQ(pi.AppendConfiguration, IntAt(19));
    EXPECT_EQ(pi.AppendSymboligyIdentifier, IntAt(20));
    EXPECT_EQ(pi.AppendCodePosition, IntAt(21));
    EXPECT_EQ(pi.AppendOutputDescription, IntAt(22));
    EXPECT_EQ(pi.AppendImageData, IntAt(23));
    EXPECT_EQ(pi.StartString, StringAt(24));
    EXPECT_EQ(pi.StopString, StringAt(25));
    EXPECT_EQ(pi.FailString, StringAt(26));
    EXPECT_EQ(pi.MatchString, StringAt(27));
    EXPECT_EQ(pi.ReferenceCode, StringAt(28));
    EXPECT_EQ(pi.Append2dQuality, IntAt(29));
    EXPECT_EQ(pi.StringNumerationActive, extended ? 1 : 7);
    EXPECT_EQ(pi.DigitalLinesOverProcIf, 0);

    EXPECT_EQ(r.codeDefinition.CodeType, IntAt(32));
    EXPECT_EQ(r.codeDefinition.Recognition, IntAt(33));
    EXPECT_EQ(r.codeDefinition.CodesPerImage, IntAt(34));
    EXPECT_EQ(r.codeDefinition.MaxDecodingDuration, IntAt(35));
    EXPECT_EQ(r.filters.Filter1, IntAt(37));
    EXPECT_EQ(r.filters.Filter2, IntAt(38));
    EXPECT_EQ(r.filters.Filter3, IntAt(39));

    // The trigger record's fields stand in another order than its items.
    EXPECT_EQ(r.trigger.TriggerSource, IntAt(43));
    EXPECT_EQ(r.trigger.TriggerWindow, IntAt(44));
    EXPECT_EQ(r.trigger.GoodReadingsTry, IntAt(45));
    EXPECT_EQ(r.trigger.GoodReadingsWithinTime_value, IntAt(46));

    if (extended) {
        EXPECT_EQ(r.barCode.CompositeComponentUsage, IntAt(51));
        EXPECT_EQ(r.barCode.CompositeComponentSeparator, StringAt(52));
    }
}

TEST_P(ConfigReaders, WritingBackWhatWasReadSendsTheSameListNamedAsTheTemplate) {
    const bool extended = GetParam();
    const ParameterList before = ConfigList(extended);
    ConfigurationRecords r;
    ASSERT_EQ(ReadAll(before, extended, r), 0);
    ParameterList list = before;
    EXPECT_EQ(Converter().WriteConfiguration(list, extended, r), 0);
    EXPECT_EQ(WireForm(list), WireForm(before));

    const auto template_ = ConfigItems(extended);
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const std::string type = template_[pos].type;
        const int32_t kind = type == "BEGIN" ? PARAMETER_SECTION_BEGIN
                             : type == "END" ? PARAMETER_SECTION_END
                                             : PARAMETER_VALUE;
        EXPECT_EQ(list[pos].name, template_[pos].name) << pos;
        EXPECT_EQ(list[pos].kind, kind) << pos;
        EXPECT_EQ(list[pos].type, kind == PARAMETER_VALUE ? type : "STRING") << pos;
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, ConfigReaders, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Extended" : "Plain"; });

struct FieldChange {
    const char* field;
    int pos;
    std::function<void(ConfigurationRecords&)> change;
    bool extendedOnly;
};

class ConfigWriter : public ::testing::TestWithParam<FieldChange> {};

TEST_P(ConfigWriter, AChangedFieldChangesOnlyItsOwnItemOnTheWire) {
    for (bool extended : {false, true}) {
        if (GetParam().extendedOnly && !extended) continue;
        const ParameterList before = ConfigList(extended);
        ConfigurationRecords r;
        ASSERT_EQ(ReadAll(before, extended, r), 0);
        GetParam().change(r);
        ParameterList list = before;
        EXPECT_EQ(Converter().WriteConfiguration(list, extended, r), 0);

        EXPECT_EQ(vt::test::ChangedOnTheWire(before, list), std::vector<int>{GetParam().pos})
            << GetParam().field << (extended ? " extended" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ConfigWriter,
    ::testing::Values(
        FieldChange{"FWVersion", 0, [](auto& r) { r.header.FWVersion.Assign("3.2"); }, false},
        FieldChange{"SensorType", 1, [](auto& r) { r.header.SensorType.Assign("VX"); }, false},
        FieldChange{"Internal", 3, [](auto& r) { r.imageQuality.Internal = 0; }, false},
        FieldChange{"Segments", 4, [](auto& r) { r.imageQuality.Segments = 0; }, false},
        FieldChange{"ExposureTime", 5, [](auto& r) { r.imageQuality.ExposureTime = 0; }, false},
        FieldChange{"ExposureTimeStep", 8, [](auto& r) { r.imageQuality.ExposureTimeStep = 0; }, false},
        FieldChange{"Logarithmic", 9, [](auto& r) { r.imageQuality.Logarithmic = 0; }, false},
        FieldChange{"Top", 11, [](auto& r) { r.imageQuality.Top = 0; }, false},
        FieldChange{"Left", 14, [](auto& r) { r.imageQuality.Left = 0; }, false},
        FieldChange{"WorkingMode", 18, [](auto& r) { r.processInterface.WorkingMode = 0; }, false},
        FieldChange{"StartString", 24, [](auto& r) { r.processInterface.StartString = "<STX>"; }, false},
        FieldChange{"ReferenceCode", 28, [](auto& r) { r.processInterface.ReferenceCode.clear(); }, false},
        FieldChange{"Append2dQuality", 29, [](auto& r) { r.processInterface.Append2dQuality = 0; }, false},
        FieldChange{"CodeType", 32, [](auto& r) { r.codeDefinition.CodeType = 3; }, false},
        FieldChange{"MaxDecodingDuration", 35, [](auto& r) { r.codeDefinition.MaxDecodingDuration = 0; },
                    false},
        FieldChange{"Filter2", 38, [](auto& r) { r.filters.Filter2 = 0; }, false},
        FieldChange{"TriggerSource", 43, [](auto& r) { r.trigger.TriggerSource = 0; }, false},
        FieldChange{"TriggerWindow", 44, [](auto& r) { r.trigger.TriggerWindow = 0; }, false},
        FieldChange{"GoodReadingsWithinTime_value", 46,
                    [](auto& r) { r.trigger.GoodReadingsWithinTime_value = 0; }, false},
        FieldChange{"StringNumerationActive", 49,
                    [](auto& r) { r.processInterface.StringNumerationActive = 0; }, true},
        FieldChange{"DigitalLinesOverProcIf", 50,
                    [](auto& r) { r.processInterface.DigitalLinesOverProcIf = 1; }, true},
        FieldChange{"CompositeComponentUsage", 51, [](auto& r) { r.barCode.CompositeComponentUsage = 0; },
                    true},
        FieldChange{"CompositeComponentSeparator", 52,
                    [](auto& r) { r.barCode.CompositeComponentSeparator = "|"; }, true}),
    [](const auto& info) { return std::string(info.param.field); });

TEST(ConfigWriter, AFlagIsSentAsZeroOrOne) {
    ParameterList list = ConfigList(true);
    ConfigurationRecords r;
    ASSERT_EQ(ReadAll(list, true, r), 0);
    r.processInterface.DigitalLinesOverProcIf = 5;
    EXPECT_EQ(Converter().WriteConfiguration(list, true, r), 0);
    EXPECT_EQ(list[50].intValue, 1);
}

// A list of the other template (55 items written as 49, or 49 as 55) is
// refused before anything is written: neither a marker nor a value changes.
TEST(ConfigWriter, AListOfTheOtherTemplateIsRefusedUntouched) {
    for (const bool extendedList : {true, false}) {
        const ParameterList before = ConfigList(extendedList);
        ParameterList list = before;
        ConfigurationRecords r;
        ASSERT_EQ(ReadAll(list, false, r), 0);
        r.imageQuality.ExposureTime = 1;
        r.processInterface.StartString = "changed";
        EXPECT_EQ(Converter().WriteConfiguration(list, !extendedList, r), -1) << extendedList;
        EXPECT_EQ(Converter().WriteSections(list, !extendedList), -1) << extendedList;
        ASSERT_EQ(list.size(), before.size());
        for (std::size_t pos = 0; pos < list.size(); ++pos)
            EXPECT_TRUE(SameItem(list[pos], before[pos])) << pos << (extendedList ? " of 55" : " of 49");
    }
}

// Every reader and writer, on a list one item shorter than its template and on an empty one.
TEST(ConfigListInfo, EveryOperationFailsOnAShortList) {
    using Op = std::function<int(ParameterList&)>;
    ConfigurationRecords r;
    ECC200Settings ecc;
    AztecSettings aztec;
    struct Case {
        const char* what;
        std::size_t templateItems;
        Op op;
    };
    const Case cases[] = {
        {"ReadHeader", 49, [&](ParameterList& l) { return Converter().ReadHeader(l, r.header); }},
        {"ReadImageQuality", 49,
         [&](ParameterList& l) { return Converter().ReadImageQuality(l, r.imageQuality); }},
        {"ReadRoi", 49, [&](ParameterList& l) { return Converter().ReadRoi(l, r.imageQuality); }},
        {"ReadProcessInterface", 49,
         [&](ParameterList& l) { return Converter().ReadProcessInterface(l, r.processInterface, false); }},
        {"ReadProcessInterface extended", 55,
         [&](ParameterList& l) { return Converter().ReadProcessInterface(l, r.processInterface, true); }},
        {"ReadCodeDefinition", 49,
         [&](ParameterList& l) { return Converter().ReadCodeDefinition(l, r.codeDefinition); }},
        {"ReadFilters", 49, [&](ParameterList& l) { return Converter().ReadFilters(l, r.filters); }},
        {"ReadTriggerSettings", 49,
         [&](ParameterList& l) { return Converter().ReadTriggerSettings(l, r.trigger); }},
        {"ReadCompositeOptions", 55,
         [&](ParameterList& l) { return Converter().ReadCompositeOptions(l, r.barCode); }},
        {"WriteConfiguration", 49,
         [&](ParameterList& l) { return Converter().WriteConfiguration(l, false, r); }},
        {"WriteConfiguration extended", 55,
         [&](ParameterList& l) { return Converter().WriteConfiguration(l, true, r); }},
        {"WriteSections", 49, [&](ParameterList& l) { return Converter().WriteSections(l, false); }},
        {"WriteHeader", 49, [&](ParameterList& l) { return Converter().WriteHeader(l, r.header); }},
        {"WriteImageQuality", 49,
         [&](ParameterList& l) { return Converter().WriteImageQuality(l, r.imageQuality); }},
        {"WriteRoi", 49, [&](ParameterList& l) { return Converter().WriteRoi(l, r.imageQuality); }},
        {"WriteProcessInterface", 55,
         [&](ParameterList& l) { return Converter().WriteProcessInterface(l, r.processInterface, true); }},
        {"WriteCodeDefinition", 49,
         [&](ParameterList& l) { return Converter().WriteCodeDefinition(l, r.codeDefinition); }},
        {"WriteFilters", 49, [&](ParameterList& l) { return Converter().WriteFilters(l, r.filters); }},
        {"WriteTriggerSettings", 49,
         [&](ParameterList& l) { return Converter().WriteTriggerSettings(l, r.trigger); }},
        {"WriteCompositeOptions", 55,
         [&](ParameterList& l) { return Converter().WriteCompositeOptions(l, r.barCode); }},
        {"ReadECC200Data", 16, [&](ParameterList& l) { return Converter().ReadECC200Data(l, ecc); }},
        {"WriteECC200Data", 16, [&](ParameterList& l) { return Converter().WriteECC200Data(l, ecc); }},
        {"ReadAztecData", 12, [&](ParameterList& l) { return Converter().ReadAztecData(l, aztec); }},
        {"WriteAztecData", 12, [&](ParameterList& l) { return Converter().WriteAztecData(l, aztec); }},
    };
    for (const auto& c : cases) {
        ParameterList list = c.templateItems >= 49   ? ConfigList(c.templateItems == 55)
                             : c.templateItems == 16 ? vt::test::ListOf(vt::test::Ecc200DataItems())
                                                     : vt::test::ListOf(vt::test::AztecDataItems());
        ASSERT_EQ(list.size(), c.templateItems) << c.what;
        EXPECT_EQ(c.op(list), 0) << c.what;
        list.pop_back();
        EXPECT_EQ(c.op(list), -1) << c.what << " on a list one item short";
        EXPECT_EQ(list.size(), c.templateItems - 1) << c.what;
        ParameterList empty;
        EXPECT_EQ(c.op(empty), -1) << c.what << " on an empty list";
        EXPECT_TRUE(empty.empty()) << c.what;
    }
}

}  // namespace
