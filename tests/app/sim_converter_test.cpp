// The converters over lists fetched from the simulated sensor: the sensor
// holds a record with distinct values at the documented positions (the
// hand-typed tables of template_lists.h), libdravik's getter fetches it
// through the record template, and each converter reads from the fetched
// list exactly what it reads from the hand-typed one.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dravik_fixture.h"
#include "list_fixtures.h"
#include "parameter_wire.h"
#include "record_reads.h"
#include "records/barcode_quality_params.h"
#include "records/config_list_info.h"
#include "records/ecc200_quality_params.h"
#include "records/extract_bar_code.h"
#include "records/extract_group_list.h"
#include "records/pdf417_params.h"
#include "records/pdf417_quality_params.h"
#include "records/qr_code_params.h"
#include "records/sensor_configuration.h"
#include "sim/parameter_methods.h"
#include "sim/parameter_shapes.h"
#include "template_lists.h"

namespace {

using vt::sim::CodeFamily;
using vt::sim::QualityForm;
using vt::sim::SensorData;
using vt::sim::SensorRecords;
using vt::sim::SlotParameters;
using vt::test::ListOf;
using vt::test::WireForm;
using XmlRpc::XmlRpcValue;

constexpr int kEditedSlot = 2;

XmlRpcValue wireOf(const ParameterList& list) {
    XmlRpcValue array;
    EXPECT_EQ(dravik::MarshalParameterList(list, dravik::SectionForm::Markers, array), 0);
    return array;
}

// The list with every value replaced, so a writer's output shows what it wrote.
ParameterList Scrambled(ParameterList list) {
    for (ParameterItem& item : list) {
        item.intValue = -7;
        item.doubleValue = -7.5;
        item.stringValue = "scrambled";
    }
    return list;
}

class SimConverters : public vt::test::DravikFixture {
public:
    void SetUp() override {
        vt::sim::addParameterMethods(server, model, store);
        DravikFixture::SetUp();
        ASSERT_EQ(model.createConfig({kEditedSlot, "Converters", 1}), vt::sim::kSimOk);
        ASSERT_EQ(connect(), COMM_OK);
    }

    void putEdited(const std::function<void(SlotParameters&)>& put) {
        model.access([&](SensorData& d) { put(*vt::sim::editedParameters(d)); });
    }
    void putSensor(const std::function<void(SensorRecords&)>& put) {
        store.with([&](SensorRecords& r) { put(r); });
    }

    vt::sim::SensorModel model;
    vt::sim::ParameterStore store;
};

struct ConverterCase {
    const char* name;
    std::function<ParameterList()> expected;
    std::function<void(SimConverters&)> put;
    std::function<int(ParameterList*)> get;
    // Reads `list` into the converter's record and writes that record into `out`.
    std::function<int(const ParameterList& list, ParameterList& out)> convert;
};

template <class Record>
std::function<int(const ParameterList&, ParameterList&)> ReadWrite(
    std::function<int(const ParameterList&, Record&)> read,
    std::function<int(ParameterList&, const Record&)> write) {
    return [read, write](const ParameterList& list, ParameterList& out) {
        Record record{};
        const int r = read(list, record);
        return r != 0 ? r : write(out, record);
    };
}

int ConfigConvert(const ParameterList& list, ParameterList& out, bool extended) {
    ConfigurationRecords r;
    if (int rc = vt::test::ReadConfiguration(list, extended, r); rc != 0) return rc;
    return CConfigListInfo::GetInstance()->WriteConfiguration(out, extended, r);
}

int GlobalsConvert(const ParameterList& list, ParameterList& out) {
    SensorGlobalRecords r;
    if (int rc = vt::test::ReadSensorGlobals(list, r); rc != 0) return rc;
    return CSensorConfiguration::GetInstance()->WriteAll(out, r);
}

// The group list has no writer: the names go back by position.
int GroupsConvert(const ParameterList& list, ParameterList& out) {
    GroupNames names{};
    if (int r = CExtractGroupList::GetInstance()->Extract(list, names); r != 0) return r;
    for (std::size_t i = 0; i < out.size() && i < std::size(names.names); ++i)
        out[i].stringValue = std::string(names.names[i].view());
    return 0;
}

template <class Converter>
int QualityConvert(const ParameterList& list, ParameterList& out) {
    QualitySettings s;
    const int r = Converter::GetInstance()->ReadAll(list, s);
    return r != 0 ? r : Converter::GetInstance()->WriteAll(out, s);
}

int BarcodeQualityConvert(const ParameterList& list, ParameterList& out, bool composite) {
    QualitySettings s;
    auto* c = CBarcodeQualityParams::GetInstance();
    const int r = c->ReadAll(list, s, composite);
    return r != 0 ? r : c->WriteAll(out, s, composite);
}

std::function<void(SimConverters&)> PutCodeData(CodeFamily family, std::function<ParameterList()> list) {
    return [family, list](SimConverters& t) {
        t.putEdited([&](SlotParameters& p) { p.codeDataOf(family) = wireOf(list()); });
    };
}

std::function<void(SimConverters&)> PutQuality(QualityForm form, int codeType, int parameters) {
    return [=](SimConverters& t) {
        t.putEdited([&](SlotParameters& p) {
            p.configData[vt::sim::shape::kConfigDataCodeType] = codeType;
            p.qualityOf(form) = wireOf(vt::test::QualityList(parameters));
        });
    };
}

void PutConfig(SimConverters& t) {
    t.putEdited([](SlotParameters& p) { p.configData = wireOf(vt::test::ConfigList(true)); });
}

const ConverterCase kCases[] = {
    {"ConfigData", [] { return vt::test::ConfigList(false); }, PutConfig,
     [](ParameterList* l) { return GetConfigData(l, 0, 1017); },
     [](const ParameterList& l, ParameterList& o) { return ConfigConvert(l, o, false); }},
    {"ConfigExtendedData", [] { return vt::test::ConfigList(true); }, PutConfig,
     [](ParameterList* l) { return GetConfigExtendedData(l, 0); },
     [](const ParameterList& l, ParameterList& o) { return ConfigConvert(l, o, true); }},
    {"SensorGlobals", [] { return ListOf(vt::test::SensorGlobalsItems()); },
     [](SimConverters& t) {
         t.putSensor(
             [](SensorRecords& r) { r.sensorGlobals = wireOf(ListOf(vt::test::SensorGlobalsItems())); });
     },
     GetSensorGlobals, GlobalsConvert},
    {"ECC200Data", [] { return ListOf(vt::test::Ecc200DataItems()); },
     PutCodeData(CodeFamily::Ecc200, [] { return ListOf(vt::test::Ecc200DataItems()); }), GetECC200Data,
     ReadWrite<ECC200Settings>(
         [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->ReadECC200Data(l, r); },
         [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->WriteECC200Data(l, r); })},
    {"PDF417Data", [] { return ListOf(vt::test::Pdf417DataItems()); },
     PutCodeData(CodeFamily::Pdf417, [] { return ListOf(vt::test::Pdf417DataItems()); }), GetPDF417Data,
     ReadWrite<PDF417Settings>(
         [](auto& l, auto& r) { return CPdf417Params::GetInstance()->Extract(l, r); },
         [](auto& l, auto& r) { return CPdf417Params::GetInstance()->WriteParams(l, r); })},
    {"QRCodeData", [] { return ListOf(vt::test::QrCodeDataItems()); },
     PutCodeData(CodeFamily::QrCode, [] { return ListOf(vt::test::QrCodeDataItems()); }), GetQRCodeData,
     ReadWrite<QRCodeSettings>(
         [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->Extract(l, r); },
         [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->WriteParams(l, r); })},
    {"AztecCodeData", [] { return ListOf(vt::test::AztecDataItems()); },
     PutCodeData(CodeFamily::Aztec, [] { return ListOf(vt::test::AztecDataItems()); }), GetAztecCodeData,
     ReadWrite<AztecSettings>(
         [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->ReadAztecData(l, r); },
         [](auto& l, auto& r) { return CConfigListInfo::GetInstance()->WriteAztecData(l, r); })},
    {"BarCodeData", [] { return ListOf(vt::test::BarCodeDataItems()); },
     PutCodeData(CodeFamily::BarCode, [] { return ListOf(vt::test::BarCodeDataItems()); }), GetBarCodeData,
     ReadWrite<BarCodeSettings>(
         [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->Extract(l, r); },
         [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->WriteParams(l, r); })},
    {"GroupList", [] { return ListOf(vt::test::GroupListItems()); },
     [](SimConverters& t) {
         t.putSensor([](SensorRecords& r) { r.groupList = wireOf(ListOf(vt::test::GroupListItems())); });
     },
     GetGroupList, GroupsConvert},
    {"ECC200QRQuality", [] { return vt::test::QualityList(9); }, PutQuality(QualityForm::Ecc200QrAztec, 1, 9),
     GetECC200QRQuality, QualityConvert<CECC200QualityParams>},
    {"PDF417Quality", [] { return vt::test::QualityList(8); }, PutQuality(QualityForm::Pdf417, 2, 8),
     GetPDF417Quality, QualityConvert<CPDF417QualityParams>},
    {"BarCodeQuality", [] { return vt::test::QualityList(9); }, PutQuality(QualityForm::BarCode, 12, 9),
     [](ParameterList* l) { return GetQualityParams(12, l); },
     [](const ParameterList& l, ParameterList& o) { return BarcodeQualityConvert(l, o, false); }},
    {"CompositeQuality", [] { return vt::test::QualityList(24); }, PutQuality(QualityForm::Composite, 25, 24),
     [](ParameterList* l) { return GetQualityParams(25, l); },
     [](const ParameterList& l, ParameterList& o) { return BarcodeQualityConvert(l, o, true); }},
};

class FetchedLists : public SimConverters, public ::testing::WithParamInterface<ConverterCase> {};

TEST_P(FetchedLists, ReadAsTheHandTypedOnes) {
    const ConverterCase& c = GetParam();
    const ParameterList expected = c.expected();
    c.put(*this);

    ParameterList fetched;
    ASSERT_EQ(c.get(&fetched), COMM_OK);
    // Kind, type and value of every position, as the documentation has them.
    EXPECT_EQ(WireForm(fetched), WireForm(expected));

    ParameterList fromSensor = Scrambled(expected);
    ParameterList fromTable = Scrambled(expected);
    ASSERT_EQ(c.convert(fetched, fromSensor), 0);
    ASSERT_EQ(c.convert(expected, fromTable), 0);
    EXPECT_EQ(WireForm(fromSensor), WireForm(fromTable));
    EXPECT_NE(WireForm(fromSensor), WireForm(Scrambled(expected))) << "the converter wrote nothing";
}

INSTANTIATE_TEST_SUITE_P(Records, FetchedLists, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
