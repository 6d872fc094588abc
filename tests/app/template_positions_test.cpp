// The converters against the record templates the library reads: every
// position the converters use holds an item of the kind, type and name
// they expect, and each converter reads and writes a fresh template list.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "list_fixtures.h"
#include "record_reads.h"
#include "record_template.h"
#include "records/aztec_code_results.h"
#include "records/barcode_quality_params.h"
#include "records/config_list_info.h"
#include "records/ecc200_quality_params.h"
#include "records/ecc200_results.h"
#include "records/extract_bar_code.h"
#include "records/extract_group_list.h"
#include "records/pdf417_params.h"
#include "records/pdf417_quality_params.h"
#include "records/pdf417_results.h"
#include "records/qr_code_params.h"
#include "records/qr_code_results.h"
#include "records/results.h"
#include "records/sensor_configuration.h"
#include "template_lists.h"

namespace {

using vt::test::ListOf;
using vt::test::ListOfTypes;
using vt::test::WireForm;

// The list a getter leaves: the template's items, without the final end
// item except where the list keeps its closing marker.
ParameterList GotList(int id) {
    ParameterList list;
    EXPECT_EQ(dravik::FetchRecordTemplate(list, id), 0) << id;
    const bool keepsEnd = id == 1017 || id == 1018 || id == 1014;
    if (!keepsEnd && !list.empty()) list.pop_back();
    return list;
}

// Item names without the leading blank the writers give some of them.
std::string Bare(const std::string& name) {
    return name.starts_with(' ') ? name.substr(1) : name;
}

void ExpectShape(int id, const ParameterList& got, const ParameterList& expected, bool namesFromTemplate) {
    ASSERT_EQ(got.size(), expected.size()) << "template " << id;
    for (std::size_t pos = 0; pos < got.size(); ++pos) {
        EXPECT_EQ(got[pos].kind, expected[pos].kind) << "template " << id << " item " << pos;
        if (expected[pos].kind != PARAMETER_VALUE) continue;
        EXPECT_EQ(got[pos].type, expected[pos].type) << "template " << id << " item " << pos;
        if (namesFromTemplate) {
            EXPECT_EQ(got[pos].name, Bare(expected[pos].name)) << "template " << id;
        }
    }
}

struct TemplateCase {
    int id;
    std::function<ParameterList()> expected;
    bool names;  // the item names are fixed, not labels of the template's own
    std::function<int(ParameterList&)> readAndWrite;
};

// Reads the list into a record and, where there is a writer, writes it back.
template <class Record>
std::function<int(ParameterList&)> Through(
    std::function<int(const ParameterList&, Record&)> read,
    std::function<int(ParameterList&, const Record&)> write = nullptr) {
    return [read, write](ParameterList& list) {
        Record record{};
        const int r = read(list, record);
        if (r != 0 || !write) return r;
        return write(list, record);
    };
}

int ConfigThrough(ParameterList& list, bool extended) {
    ConfigurationRecords r;
    if (int rc = vt::test::ReadConfiguration(list, extended, r); rc != 0) return rc;
    return CConfigListInfo::GetInstance()->WriteConfiguration(list, extended, r);
}

int GlobalsThrough(ParameterList& list) {
    SensorGlobalRecords r;
    if (int rc = vt::test::ReadSensorGlobals(list, r); rc != 0) return rc;
    return CSensorConfiguration::GetInstance()->WriteAll(list, r);
}

template <class Converter>
int QualityThrough(ParameterList& list) {
    QualitySettings s;
    const int r = Converter::GetInstance()->ReadAll(list, s);
    return r != 0 ? r : Converter::GetInstance()->WriteAll(list, s);
}

int BarcodeQualityThrough(ParameterList& list, bool composite) {
    QualitySettings s;
    auto* c = CBarcodeQualityParams::GetInstance();
    const int r = c->ReadAll(list, s, composite);
    return r != 0 ? r : c->WriteAll(list, s, composite);
}

class TemplatePositions : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplatePositions, MatchTheConverters) {
    const TemplateCase& c = GetParam();
    const ParameterList got = GotList(c.id);
    ExpectShape(c.id, got, c.expected(), c.names);

    ParameterList list = got;
    EXPECT_EQ(c.readAndWrite(list), 0) << "template " << c.id;
    EXPECT_EQ(WireForm(list), WireForm(got)) << "template " << c.id << " changed by a read and write back";
}

INSTANTIATE_TEST_SUITE_P(
    Templates, TemplatePositions,
    ::testing::Values(
        TemplateCase{1017, [] { return vt::test::ConfigList(false); }, true,
                     [](ParameterList& l) { return ConfigThrough(l, false); }},
        TemplateCase{1018, [] { return vt::test::ConfigList(true); }, true,
                     [](ParameterList& l) { return ConfigThrough(l, true); }},
        TemplateCase{1014, [] { return ListOf(vt::test::SensorGlobalsItems()); }, true, GlobalsThrough},
        TemplateCase{
            1005, [] { return ListOf(vt::test::Ecc200DataItems()); }, true,
            Through<ECC200Settings>(
                [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->ReadECC200Data(l, r); },
                [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->WriteECC200Data(l, r); })},
        TemplateCase{1008, [] { return ListOf(vt::test::Pdf417DataItems()); }, true,
                     Through<PDF417Settings>(
                         [](auto& l, auto& r) { return CPdf417Params::GetInstance()->Extract(l, r); },
                         [](auto& l, auto& r) { return CPdf417Params::GetInstance()->WriteParams(l, r); })},
        TemplateCase{1011, [] { return ListOf(vt::test::QrCodeDataItems()); }, true,
                     Through<QRCodeSettings>(
                         [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->Extract(l, r); },
                         [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->WriteParams(l, r); })},
        TemplateCase{
            2001, [] { return ListOf(vt::test::AztecDataItems()); }, true,
            Through<AztecSettings>(
                [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->ReadAztecData(l, r); },
                [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->WriteAztecData(l, r); })},
        TemplateCase{1001, [] { return ListOf(vt::test::BarCodeDataItems()); }, true,
                     Through<BarCodeSettings>(
                         [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->Extract(l, r); },
                         [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->WriteParams(l, r); })},
        TemplateCase{1007, [] { return ListOf(vt::test::GroupListItems()); }, false,
                     Through<GroupNames>([](auto& l, auto& r) {
                         return CExtractGroupList::GetInstance()->Extract(l, r);
                     })},
        TemplateCase{1003, [] { return vt::test::QualityList(9); }, true,
                     QualityThrough<CECC200QualityParams>},
        TemplateCase{1009, [] { return vt::test::QualityList(8); }, true,
                     QualityThrough<CPDF417QualityParams>},
        TemplateCase{2003, [] { return vt::test::QualityList(9); }, true,
                     [](ParameterList& l) { return BarcodeQualityThrough(l, false); }},
        TemplateCase{2004, [] { return vt::test::QualityList(24); }, true,
                     [](ParameterList& l) { return BarcodeQualityThrough(l, true); }},
        TemplateCase{1013, [] { return ListOfTypes(vt::test::kReadResult); }, false,
                     Through<ReadResultRecord>([](auto& l, auto& r) {
                         return CResults::GetInstance()->Extract(l, r);
                     })},
        TemplateCase{1006, [] { return ListOfTypes(vt::test::kEcc200Result); }, false,
                     Through<Ecc200ResultRecord>([](auto& l, auto& r) {
                         return CECC200Results::GetInstance()->Extract(l, r);
                     })},
        TemplateCase{1010, [] { return ListOfTypes(vt::test::kPdf417Result); }, false,
                     Through<Pdf417ResultRecord>([](auto& l, auto& r) {
                         return CPDF417Results::GetInstance()->Extract(l, r);
                     })},
        TemplateCase{1012, [] { return ListOfTypes(vt::test::kQrCodeResult); }, false,
                     Through<QrCodeResultRecord>([](auto& l, auto& r) {
                         return CQRCodeResults::GetInstance()->Extract(l, r);
                     })},
        TemplateCase{2002, [] { return ListOfTypes(vt::test::kAztecResult); }, false,
                     Through<AztecResultRecord>([](auto& l, auto& r) {
                         return CAztecCodeResults::GetInstance()->Extract(l, r);
                     })}),
    [](const auto& info) { return "Template" + std::to_string(info.param.id); });

}  // namespace
