#include "record_template.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/lib_dir.h"
#include "temp_dir.h"
#include "template_items.h"
#include "xml_config_reader.h"

namespace {

using dravik::FetchRecordTemplate;

// One character per item: I, D, S value items by type, [ section begin, ] end.
std::string shapeOf(const ParameterList& items) {
    std::string shape;
    for (const auto& it : items) {
        if (it.kind == PARAMETER_SECTION_BEGIN)
            shape += '[';
        else if (it.kind == PARAMETER_SECTION_END)
            shape += ']';
        else if (it.kind == PARAMETER_VALUE && it.type == "INT")
            shape += 'I';
        else if (it.kind == PARAMETER_VALUE && it.type == "DOUBLE")
            shape += 'D';
        else if (it.kind == PARAMETER_VALUE && it.type == "STRING")
            shape += 'S';
        else
            shape += '?';
    }
    return shape;
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Item orders as the converters read them; every level, the whole included,
// ends with one more end item, which the getters of most lists leave out.
const std::string kConfigNames =
    "FWVersion SensorType ImageQuality Internal Segments ExposureTime ExposureTimeMax ExposureTimeMin "
    "ExposureTimeStep Logarithmic ROI Top Bottom Right Left - - ProcessInterface WorkingMode "
    "AppendConfiguration "
    "AppendSymboligyIdentifier AppendCodePosition AppendOutputDescription AppendImageData StartString "
    "StopString "
    "FailString MatchString ReferenceCode Append2dQuality - CodeDefinition CodeType Recognition "
    "CodesPerImage "
    "MaxDecodingDuration Preprocessing Filter1 Filter2 Filter3 - - TriggerDefinition TriggerSource "
    "TriggerWindow "
    "GoodReadingsTry GoodReadingsWithinTime_value - ";
const std::string kConfigShape = "SS[IIIIIII[IIII]][IIIIIISSSSSI][IIII[III]][IIII]";

struct TemplateCase {
    int id;
    std::string shape;
    std::string names;  // empty: names of our choosing (docs/templates.md)
};

class RecordTemplates : public ::testing::TestWithParam<TemplateCase> {
protected:
    void SetUp() override { ::setenv(vt::kLibDirEnv, VT_TEST_LIB_DIR, 1); }
    void TearDown() override { ::unsetenv(vt::kLibDirEnv); }
};

TEST_P(RecordTemplates, HaveTheItemsOfTheirRecord) {
    ParameterList items;
    ASSERT_EQ(FetchRecordTemplate(items, GetParam().id), 0);
    EXPECT_EQ(shapeOf(items), GetParam().shape);
    if (!GetParam().names.empty()) {
        std::vector<std::string> names;
        for (const auto& it : items) names.push_back(it.name);
        EXPECT_EQ(names, words(GetParam().names));
    }
    for (const auto& it : items) {
        if (it.kind != PARAMETER_VALUE) {
            EXPECT_EQ(it.type, "STRING") << it.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Templates, RecordTemplates,
    ::testing::Values(
        TemplateCase{1017, kConfigShape + "]", kConfigNames + "-"},
        TemplateCase{1018, kConfigShape + "[IIIS]]",
                     kConfigNames + "ExtendedOptions StringNumerationActive DigitalLinesOverProcIf "
                                    "CompositeComponentUsage CompositeComponentSeparator - -"},
        TemplateCase{
            1014, "SSIS[ISSSSII][IIIIIIIIIISIIII][IIII]]",
            "SensorName SensorLocation FWRelease SensorType SensorNetworkParms SensorDHCPactive "
            "SensorIPaddress SensorSubnetMask SensorGatewayIP SensorMACaddress XmlRpcPort LiveImagePort - "
            "ProcIfParameters ProcIfInterfaceType SerialBaudrate SerialStopBits SerialParity ProcIfTcpPort "
            "ProtocolVersion RunIdleHeader ConsumingAssemblyLength EnableSegmentation "
            "NumberOfAssemblySegments AssemblySegments UseAnswerControleByte UseDecodeControleByte "
            "UseStatusControleByte SendConnectMessage - SensorGlobalSettings DebouncedTrigger LaserMode "
            "DisplayMode FailResultsToSave - -"},
        TemplateCase{
            1005, "IIIISSIIISSSSDSS]",
            "symbol_cols_min symbol_cols_max symbol_rows_min symbol_rows_max polarity mirrored contrast_min "
            "module_size_min module_size_max module_gap_col_min module_gap_col_max module_gap_row_min "
            "module_gap_row_max slant_max module_grid strict_model -"},
        TemplateCase{
            1008, "IIIISSIIIDDS]",
            "symbol_cols_min symbol_cols_max symbol_rows_min symbol_rows_max polarity mirrored contrast_min "
            "module_width_min module_width_max module_aspect_min module_aspect_max strict_model -"},
        TemplateCase{1011, "IIIIISSIIISSSSIS]",
                     "model_type version_min version_max symbol_size_min symbol_size_max polarity mirrored "
                     "contrast_min module_size_min module_size_max module_gap_col_min module_gap_col_max "
                     "module_gap_row_min module_gap_row_max position_pattern_min strict_model -"},
        TemplateCase{
            2001, "IISSIIISSSSS]",
            "symbol_size_min symbol_size_max polarity mirrored contrast_min module_size_min module_size_max "
            "module_gap_col_min module_gap_col_max module_gap_row_min module_gap_row_max strict_model -"},
        TemplateCase{
            1001, "DDIIII]",
            "element_size_min_value element_size_max element_height_min min_characters max_characters "
            "reading_direction -"},
        TemplateCase{1007, "SSSSSSSS]", ""},
        // 32 slots of six items: begin, name, group index, master state, active flag, end.
        TemplateCase{1002, repeat("[SIII]", 32) + "]", ""},
        // One section of "append_it" and "grade" per quality parameter.
        TemplateCase{1003, repeat("[II]", 9) + "]", ""}, TemplateCase{1009, repeat("[II]", 8) + "]", ""},
        TemplateCase{2003, repeat("[II]", 9) + "]", ""}, TemplateCase{2004, repeat("[II]", 24) + "]", ""},
        TemplateCase{1013,
                     "IIIIS"
                     "III"
                     "S"
                     "I"
                     "S" +
                         repeat("I", 18) + repeat("S", 10) + "]",
                     ""},
        TemplateCase{1006,
                     "SSS"
                     "II"
                     "DDD"
                     "III"
                     "]",
                     ""},
        TemplateCase{1010,
                     "SSS"
                     "II"
                     "DDD"
                     "IIII"
                     "]",
                     ""},
        TemplateCase{1012,
                     "SSS"
                     "IIII"
                     "DD"
                     "IIIII"
                     "S"
                     "]",
                     ""},
        TemplateCase{2002,
                     "SSS"
                     "III"
                     "DDD"
                     "IIII"
                     "]",
                     ""}),
    [](const auto& info) { return "Template" + std::to_string(info.param.id); });

TEST_F(RecordTemplates, QualityParametersAreAppendFlagAndGradePairs) {
    for (int id : {1003, 1009, 2003, 2004}) {
        ParameterList items;
        ASSERT_EQ(FetchRecordTemplate(items, id), 0);
        for (size_t k = 0; k + 4 < items.size(); k += 4) {
            EXPECT_EQ(items[k + 1].name, "append_it") << id << " position " << k + 1;
            EXPECT_EQ(items[k + 2].name, "grade") << id << " position " << k + 2;
        }
    }
}

class TemplateFetch : public ::testing::Test {
protected:
    void SetUp() override { ::setenv(vt::kLibDirEnv, (lib_.path() / "Lib").c_str(), 1); }
    void TearDown() override { ::unsetenv(vt::kLibDirEnv); }

    vt::test::TempDir lib_;
};

const ParameterList& previousContents() {
    static const ParameterList list = [] {
        ParameterItem it;
        it.name = "kept";
        it.type = "INT";
        it.intValue = 9;
        return ParameterList{it, it};
    }();
    return list;
}

TEST_F(TemplateFetch, MissingTemplateGives60AndLeavesTheList) {
    ParameterList items = previousContents();
    EXPECT_EQ(FetchRecordTemplate(items, 1017), COMM_TEMPLATE_NOT_LOADED) << "no Palvero folder";
    lib_.write("Lib/Palvero/1014.xml", "<r/>");
    EXPECT_EQ(FetchRecordTemplate(items, 1017), COMM_TEMPLATE_NOT_LOADED) << "no such file";
    EXPECT_EQ(items, previousContents());
}

TEST_F(TemplateFetch, MalformedTemplateGives52AndLeavesTheList) {
    lib_.write("Lib/Palvero/1017.xml", "<r><a type=\"INT\">1</a>");
    ParameterList items = previousContents();
    EXPECT_EQ(FetchRecordTemplate(items, 1017), COMM_TEMPLATE_NOT_PARSED);
    EXPECT_EQ(items, previousContents());
}

TEST_F(TemplateFetch, ReplacesTheListWithTheTemplate) {
    lib_.write("Lib/Palvero/1017.xml", "<r><a type=\"INT\">1</a></r>");
    ParameterList items = previousContents();
    ASSERT_EQ(FetchRecordTemplate(items, 1017), 0);
    EXPECT_EQ(shapeOf(items), "I]");
}

TEST_F(TemplateFetch, NeverLooksInTheCurrentFolder) {
    lib_.write("Lib/Palvero/1017.xml", "<r/>");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(lib_.path());
    const auto elsewhere = lib_.path() / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    ::setenv(vt::kLibDirEnv, elsewhere.c_str(), 1);  // a Lib/ without the template
    ParameterList items;
    EXPECT_EQ(FetchRecordTemplate(items, 1017), COMM_TEMPLATE_NOT_LOADED);
    std::filesystem::current_path(before);
}

TEST_F(TemplateFetch, ReaderMayBeReleasedWhileOtherThreadsFetch) {
    lib_.write("Lib/Palvero/1001.xml", "<r><a type=\"DOUBLE\">2.0</a><s><b type=\"INT\">3</b></s></r>");
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                ParameterList items;
                if (FetchRecordTemplate(items, 1001) != 0 || shapeOf(items) != "D[I]]") ++failures;
            }
        });
    threads.emplace_back([] {
        for (int i = 0; i < 50; ++i) dravik::ReleaseTemplateReader();
    });
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
