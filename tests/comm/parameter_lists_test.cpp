// The list getters and setters against the simulated sensor: every record
// goes there and back, the sensor checks the exact sequence of each set, and
// failures leave the caller's list as the library promises.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "dravik/sensor_commands.h"
#include "dravik_fixture.h"
#include "platform/lib_dir.h"
#include "record_template.h"
#include "sim/parameter_methods.h"
#include "sim/parameter_shapes.h"
#include "sim/sensor_command_methods.h"
#include "temp_dir.h"
#include "template_items.h"
#include "xmlrpc/array_of.h"

namespace {

using vt::sim::ParameterStore;
using vt::sim::SensorData;
using vt::sim::SensorRecords;
using vt::sim::SlotParameters;
using vt::test::arrayOf;
using XmlRpc::XmlRpcValue;

constexpr int kEditedSlot = 5;

class ParameterLists : public vt::test::DravikFixture {
public:
    void SetUp() override {
        vt::sim::addSensorCommandMethods(server, model);
        vt::sim::addParameterMethods(server, model, store);
        DravikFixture::SetUp();
        ASSERT_EQ(model.createConfig({kEditedSlot, "Edited", 0}), vt::sim::kSimOk);
        ASSERT_EQ(connect(), COMM_OK);
    }

    void setEditedCodeType(int codeType) {
        model.access([&](SensorData& d) {
            vt::sim::editedParameters(d)->configData[vt::sim::shape::kConfigDataCodeType] = codeType;
        });
    }

    // What the sensor holds for the configuration being edited.
    SlotParameters edited() {
        return model.access([](SensorData& d) { return *vt::sim::editedParameters(d); });
    }

    // The parameters of the last call of `method`.
    XmlRpcValue lastParams(const std::string& method) {
        XmlRpcValue params;
        for (const auto& call : server.calls())
            if (call.method == method) params = call.params;
        return params;
    }

    vt::sim::SensorModel model;
    ParameterStore store;
};

struct RecordCase {
    const char* name;
    int count;
    std::vector<int> begins;  // positions of section begins and ends, as the documentation lists them
    std::vector<int> ends;
    std::function<int(ParameterList*)> get;
    std::function<int(ParameterList*)> set;
    const char* setMethod;
    int trailingEnds;  // end markers the set appends after the list's own items
    std::function<XmlRpcValue(ParameterLists&)> held;  // the sensor's record
    int codeType = 0;                                  // the edited configuration's code type, 0: as it is
};

std::vector<int> every(int first, int step, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(first + i * step);
    return out;
}

XmlRpcValue editedCodeData(ParameterLists& t, vt::sim::CodeFamily f) {
    return t.edited().codeDataOf(f);
}

XmlRpcValue editedQuality(ParameterLists& t, vt::sim::QualityForm f) {
    return t.edited().qualityOf(f);
}

const RecordCase kRecords[] = {
    {"ConfigData",
     49,
     {2, 10, 17, 31, 36, 42},
     {15, 16, 30, 40, 41, 47, 48},
     [](ParameterList* l) { return GetConfigData(l, 0, 1017); },
     SetConfigData,
     "xmlSetConfigData",
     0,
     [](ParameterLists& t) { return t.edited().configData; }},
    {"ConfigExtendedData",
     55,
     {2, 10, 17, 31, 36, 42, 48},
     {15, 16, 30, 40, 41, 47, 53, 54},
     [](ParameterList* l) { return GetConfigExtendedData(l, 0); },
     SetConfigExtendedData,
     "xmlSetConfigData",
     0,
     [](ParameterLists& t) { return t.edited().configData; }},
    {"SensorGlobals",
     37,
     {4, 13, 30},
     {12, 29, 35, 36},
     GetSensorGlobals,
     SetSensorGlobals,
     "xmlSetSensorGlobals",
     0,
     [](ParameterLists& t) { return t.store.with([](SensorRecords& r) { return r.sensorGlobals; }); }},
    {"ECC200Data",
     16,
     {},
     {},
     GetECC200Data,
     SetECC200Data,
     "xmlSetECC200Data",
     1,
     [](ParameterLists& t) { return editedCodeData(t, vt::sim::CodeFamily::Ecc200); }},
    {"PDF417Data",
     12,
     {},
     {},
     GetPDF417Data,
     SetPDF417Data,
     "xmlSetPDF417Data",
     1,
     [](ParameterLists& t) { return editedCodeData(t, vt::sim::CodeFamily::Pdf417); }},
    {"QRCodeData",
     16,
     {},
     {},
     GetQRCodeData,
     SetQRCodeData,
     "xmlSetQRCodeData",
     1,
     [](ParameterLists& t) { return editedCodeData(t, vt::sim::CodeFamily::QrCode); }},
    {"AztecCodeData",
     12,
     {},
     {},
     GetAztecCodeData,
     SetAztecCodeData,
     "xmlSetAztecCodeData",
     1,
     [](ParameterLists& t) { return editedCodeData(t, vt::sim::CodeFamily::Aztec); }},
    {"BarCodeData",
     6,
     {},
     {},
     GetBarCodeData,
     SetBarCodeData,
     "xmlSetBarcodeData",
     1,
     [](ParameterLists& t) { return editedCodeData(t, vt::sim::CodeFamily::BarCode); }},
    {"GroupList",
     8,
     {},
     {},
     GetGroupList,
     SetGroupList,
     "xmlSetGroupList",
     0,
     [](ParameterLists& t) { return t.store.with([](SensorRecords& r) { return r.groupList; }); }},
    {"ECC200QRQuality", 36, every(0, 4, 9), every(3, 4, 9), GetECC200QRQuality,
     [](ParameterList* l) { return SetQualityParams(0, l); }, "xmlSetQualityParams", 1,
     [](ParameterLists& t) { return editedQuality(t, vt::sim::QualityForm::Ecc200QrAztec); }, 3},
    {"PDF417Quality", 32, every(0, 4, 8), every(3, 4, 8), GetPDF417Quality,
     [](ParameterList* l) { return SetQualityParams(0, l); }, "xmlSetQualityParams", 1,
     [](ParameterLists& t) { return editedQuality(t, vt::sim::QualityForm::Pdf417); }, 2},
    {"BarCodeQuality", 36, every(0, 4, 9), every(3, 4, 9),
     [](ParameterList* l) { return GetQualityParams(4, l); },
     [](ParameterList* l) { return SetQualityParams(0, l); }, "xmlSetQualityParams", 1,
     [](ParameterLists& t) { return editedQuality(t, vt::sim::QualityForm::BarCode); }, 4},
    {"CompositeQuality", 96, every(0, 4, 24), every(3, 4, 24),
     [](ParameterList* l) { return GetQualityParams(23, l); },
     [](ParameterList* l) { return SetQualityParams(0, l); }, "xmlSetQualityParams", 1,
     [](ParameterLists& t) { return editedQuality(t, vt::sim::QualityForm::Composite); }, 23},
};

class Records : public ParameterLists, public ::testing::WithParamInterface<RecordCase> {};

void expectSensorValues(const ParameterList& list, const XmlRpcValue& held) {
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const ParameterItem& item = list[pos];
        if (item.kind != PARAMETER_VALUE) continue;
        const XmlRpcValue& v = held[static_cast<int>(pos)];
        if (item.type == "INT")
            EXPECT_EQ(item.intValue, v.asInt()) << "item " << pos;
        else if (item.type == "DOUBLE")
            EXPECT_EQ(item.doubleValue, v.asDouble()) << "item " << pos;
        else
            EXPECT_EQ(item.stringValue, v.asString()) << "item " << pos;
    }
}

TEST_P(Records, GoThereAndBack) {
    const RecordCase& c = GetParam();
    if (c.codeType != 0) setEditedCodeType(c.codeType);

    ParameterList list;
    ASSERT_EQ(c.get(&list), COMM_OK);
    ASSERT_EQ(static_cast<int>(list.size()), c.count);
    std::vector<int> begins, ends;
    for (int pos = 0; pos < c.count; ++pos) {
        if (list[static_cast<std::size_t>(pos)].kind == PARAMETER_SECTION_BEGIN) begins.push_back(pos);
        if (list[static_cast<std::size_t>(pos)].kind == PARAMETER_SECTION_END) ends.push_back(pos);
    }
    EXPECT_EQ(begins, c.begins);
    EXPECT_EQ(ends, c.ends);
    expectSensorValues(list, c.held(*this));

    // One value of each type changes.
    std::set<std::string> changedTypes;
    std::vector<std::size_t> changed;
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        ParameterItem& item = list[pos];
        if (item.kind != PARAMETER_VALUE || !changedTypes.insert(item.type).second) continue;
        item.intValue += 11;
        item.doubleValue += 0.125;
        item.stringValue += " changed";
        changed.push_back(pos);
    }
    const ParameterList sent = list;
    ASSERT_EQ(c.set(&list), COMM_OK) << "the sensor refused the sequence";

    const XmlRpcValue params = lastParams(c.setMethod);
    ASSERT_EQ(params.size(), c.count + c.trailingEnds);
    // The list's own closing item, if any, and what the setter appends.
    const int endMarkers = c.trailingEnds + (sent.back().kind == PARAMETER_SECTION_END ? 1 : 0);
    for (int i = 0; i < endMarkers; ++i)
        EXPECT_EQ(params[params.size() - 1 - i], XmlRpcValue(kSectionEndMarker)) << "end marker " << i;

    ParameterList again;
    ASSERT_EQ(c.get(&again), COMM_OK);
    ASSERT_EQ(again.size(), sent.size());
    for (std::size_t pos = 0; pos < sent.size(); ++pos) {
        if (sent[pos].kind != PARAMETER_VALUE) continue;
        const bool wasChanged = std::find(changed.begin(), changed.end(), pos) != changed.end();
        const ParameterItem& a = again[pos];
        const ParameterItem& s = sent[pos];
        const char* note = wasChanged ? " (changed)" : "";
        if (s.type == "INT") {
            EXPECT_EQ(a.intValue, s.intValue) << "item " << pos << note;
        } else if (s.type == "DOUBLE") {
            EXPECT_EQ(a.doubleValue, s.doubleValue) << "item " << pos << note;
        } else {
            EXPECT_EQ(a.stringValue, s.stringValue) << "item " << pos << note;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllRecords, Records, ::testing::ValuesIn(kRecords),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParameterLists, InfoConfigReadsTheSlotItNames) {
    ASSERT_EQ(model.closeAndSave(), vt::sim::kSimOk);  // the edit of slot 5 would be in the way
    ASSERT_EQ(model.createConfig({7, "Seven", 1}), vt::sim::kSimOk);
    ASSERT_EQ(model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_EQ(model.createConfig({8, "", 2}), vt::sim::kSimBadArguments) << "the sensor wants a name";
    model.access([](SensorData& d) {
        d.slots[8].used = true;
        d.slots[8].group = 2;
    });

    ParameterList list;
    ASSERT_EQ(GetInfoConfig(7, "Seven", 1, &list, 1017), COMM_OK);
    ASSERT_EQ(list.size(), 49u);
    expectSensorValues(list, vt::sim::initialConfigData(7));
    ASSERT_EQ(GetInfoConfigExtended(8, nullptr, 2, &list), COMM_OK);
    ASSERT_EQ(list.size(), 55u);
    expectSensorValues(list, vt::sim::initialConfigData(8));
    const XmlRpcValue params = lastParams("xmlGetInfoConfig");
    EXPECT_EQ(params, arrayOf({8, "", 2}));

    EXPECT_EQ(GetInfoConfig(7, "Other", 1, &list, 1017), vt::sim::kSimNameMismatch);
    EXPECT_TRUE(list.empty());
}

TEST_F(ParameterLists, ConfigDataAsksForTheConfigurationItNames) {
    ParameterList list;
    EXPECT_EQ(GetConfigData(&list, 2, 1017), vt::sim::kSimNoConfiguration) << "nothing is active";
    model.access([](SensorData& d) { d.activeConfig = kEditedSlot; });
    ASSERT_EQ(GetConfigData(&list, 2, 1017), COMM_OK);
    expectSensorValues(list, vt::sim::initialConfigData(kEditedSlot));
    EXPECT_EQ(lastParams("xmlGetConfigData"), arrayOf({2}));
}

TEST_F(ParameterLists, SlotOperationsShowInTheNextConfigList) {
    ParameterList list;
    ASSERT_EQ(GetConfigList(&list), COMM_OK);
    ASSERT_EQ(list.size(), 192u);
    EXPECT_EQ(list[6 * kEditedSlot + 1].stringValue, "Edited");
    EXPECT_EQ(list[6 * kEditedSlot + 2].intValue, 0);
    EXPECT_EQ(list[6 * 3 + 1].stringValue, "");
    EXPECT_EQ(list[6 * 3 + 2].intValue, -1);

    ASSERT_EQ(CloseAndSave(), COMM_OK);
    ASSERT_EQ(CopyConfig(kEditedSlot, "Edited", 0, 3, "Copy", 4), COMM_OK);
    ASSERT_EQ(SetAsGroupMaster(3, "Copy", 4, 2), COMM_OK);
    ASSERT_EQ(ActivateConfig(3, "Copy", 4), COMM_OK);
    ASSERT_EQ(RenameConfig(kEditedSlot, "Edited", 0, 9, "Moved"), COMM_OK);

    ASSERT_EQ(GetConfigList(&list), COMM_OK);
    ASSERT_EQ(list.size(), 192u);
    const auto slot = [&](int k) {
        const auto& l = list;
        return std::make_tuple(l[6 * k + 1].stringValue, l[6 * k + 2].intValue, l[6 * k + 3].intValue,
                               l[6 * k + 4].intValue);
    };
    EXPECT_EQ(slot(3), std::make_tuple(std::string("Copy"), 4, 2, 1));
    EXPECT_EQ(slot(9), std::make_tuple(std::string("Moved"), 0, 0, 0));
    EXPECT_EQ(slot(kEditedSlot), std::make_tuple(std::string(), -1, 0, 0));
    EXPECT_EQ(list[6 * 3].kind, PARAMETER_SECTION_BEGIN);
    EXPECT_EQ(list[6 * 3].name, "Config04") << "the sensor's label";
    EXPECT_EQ(list[6 * 3 + 5].kind, PARAMETER_SECTION_END);

    // The copy carries the configuration's records along.
    ASSERT_EQ(GetInfoConfig(3, "Copy", 4, &list, 1017), COMM_OK);
    expectSensorValues(list, vt::sim::initialConfigData(kEditedSlot));
}

ParameterList sentinelList() {
    ParameterItem item;
    item.name = "caller's";
    item.type = "INT";
    item.intValue = 77;
    return {item};
}

TEST_F(ParameterLists, WithoutAConnectionNothingIsSentOrTouched) {
    Disconnect("sensor");
    server.clearCalls();
    ParameterList list = sentinelList();
    EXPECT_EQ(GetSensorGlobals(&list), COMM_NOT_CONNECTED);
    EXPECT_EQ(GetConfigData(&list, 0, 1017), COMM_NOT_CONNECTED);
    EXPECT_EQ(GetECC200Data(&list), COMM_NOT_CONNECTED);
    EXPECT_EQ(SetSensorGlobals(&list), COMM_NOT_CONNECTED);
    EXPECT_EQ(SetQualityParams(0, &list), COMM_NOT_CONNECTED);
    EXPECT_EQ(list, sentinelList());
    EXPECT_TRUE(server.calls().empty());
}

// Disconnect releases the template reader; the next session makes a new one.
TEST_F(ParameterLists, TemplatesReadAgainAfterADisconnect) {
    ParameterList list;
    ASSERT_EQ(GetGroupList(&list), COMM_OK);
    Disconnect("sensor");
    ASSERT_EQ(connect(), COMM_OK);
    ASSERT_EQ(GetGroupList(&list), COMM_OK);
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[7].stringValue, "Group 8 of the sensor");
}

TEST_F(ParameterLists, NullListIsRefused) {
    EXPECT_EQ(GetConfigList(nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(GetQualityParams(1, nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(SetConfigData(nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(SetQualityParams(0, nullptr), COMM_INVALID_ARGUMENT);
}

TEST_F(ParameterLists, AMissingTemplateLeavesTheListAndSendsNothing) {
    vt::test::TempDir emptyLib;
    ::setenv(vt::kLibDirEnv, emptyLib.path().c_str(), 1);
    server.clearCalls();
    ParameterList list = sentinelList();
    const int globals = GetSensorGlobals(&list);
    const int config = GetConfigData(&list, 0, 1017);
    const int info = GetInfoConfig(1, "x", 0, &list, 1017);
    ::unsetenv(vt::kLibDirEnv);
    EXPECT_EQ(globals, COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(config, COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(info, COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(list, sentinelList());
    EXPECT_TRUE(server.calls().empty());

    EXPECT_EQ(GetConfigData(&list, 0, 4242), COMM_TEMPLATE_NOT_LOADED) << "no template by that id";
    EXPECT_EQ(list, sentinelList());
}

TEST_F(ParameterLists, ACodeTypeWithoutAFamilyIsRefusedWithoutACall) {
    server.clearCalls();
    ParameterList list = sentinelList();
    for (int codeType : {0, -3, 37})
        EXPECT_EQ(GetQualityParams(codeType, &list), COMM_INVALID_ARGUMENT) << codeType;
    EXPECT_EQ(list, sentinelList());
    EXPECT_TRUE(server.calls().empty());
}

struct StatusCase {
    const char* what;
    std::function<XmlRpcValue()> reply;
    bool fault;
    int expected;
};

class ReplyStatus : public ParameterLists, public ::testing::WithParamInterface<StatusCase> {};

// After any failure of the call the list is empty; a short or mistyped reply
// is no failure and leaves the template's defaults.
TEST_P(ReplyStatus, GivesTheCodeAndLeavesTheList) {
    const StatusCase& c = GetParam();
    server.setMethod("xmlGetSensorGlobals", [&c](const XmlRpcValue&) { return c.reply(); });
    vt::sim::MethodFaults faults;
    faults.fault = c.fault;
    server.setFaults("xmlGetSensorGlobals", faults);
    ParameterList list = sentinelList();
    EXPECT_EQ(GetSensorGlobals(&list), c.expected);
    if (c.expected != COMM_OK) {
        EXPECT_TRUE(list.empty());
        return;
    }
    ParameterList defaults;
    ASSERT_EQ(dravik::FetchRecordTemplate(defaults, 1014), COMM_OK);
    ASSERT_EQ(list.size(), 37u);
    EXPECT_EQ(list[0].stringValue, c.what == std::string("ShortReply") ? "only the name" : "");
    for (std::size_t pos = 1; pos < list.size(); ++pos) {
        if (list[pos].kind != PARAMETER_VALUE) continue;
        EXPECT_EQ(list[pos].intValue, defaults[pos].intValue) << pos;
        EXPECT_EQ(list[pos].stringValue, defaults[pos].stringValue) << pos;
    }
    EXPECT_EQ(list[10].intValue, 8080) << "a default of the template";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyStatus,
    ::testing::Values(StatusCase{"ShortReply",
                                 [] {
                                     return arrayOf({0, "only the name"});
                                 },
                                 false, COMM_OK},
                      StatusCase{"MistypedReply",
                                 [] {
                                     return arrayOf({0, 5, 6, "x", 7, 8, "y", 9, 10, 11, 12, "port"});
                                 },
                                 false, COMM_OK},
                      StatusCase{"EmptyArray", [] { return arrayOf({}); }, false, COMM_NO_REPLY},
                      StatusCase{"TextStatus",
                                 [] {
                                     return arrayOf({"0", "name"});
                                 },
                                 false, COMM_STATUS_NOT_INT},
                      StatusCase{"NotAnArray", [] { return XmlRpcValue(0); }, false, COMM_STATUS_NOT_INT},
                      StatusCase{"Fault", [] { return arrayOf({0}); }, true, COMM_STATUS_NOT_INT},
                      StatusCase{"SensorStatus",
                                 [] {
                                     return arrayOf({-4711, "name"});
                                 },
                                 false, -4711}),
    [](const auto& info) { return std::string(info.param.what); });

// Accepts any set and keeps its parameters for the test.
void acceptEverySet(vt::sim::XmlRpcServer& server) {
    for (const char* method :
         {"xmlSetECC200Data", "xmlSetSensorGlobals", "xmlSetBarcodeData", "xmlSetQualityParams"})
        server.setMethod(method, [](const XmlRpcValue&) { return arrayOf({0}); });
}

TEST_F(ParameterLists, CodeDataSettersAppendAnEndMarker) {
    acceptEverySet(server);
    ParameterList three = {MakeItem(PARAMETER_VALUE, "INT", "a", 1),
                           MakeItem(PARAMETER_VALUE, "STRING", "b", 0, "two"),
                           MakeItem(PARAMETER_VALUE, "INT", "c", 3)};
    ASSERT_EQ(SetECC200Data(&three), COMM_OK);
    EXPECT_EQ(lastParams("xmlSetECC200Data"), arrayOf({1, "two", 3, kSectionEndMarker}));
    ASSERT_EQ(SetSensorGlobals(&three), COMM_OK);
    EXPECT_EQ(lastParams("xmlSetSensorGlobals"), arrayOf({1, "two", 3}));
}

TEST_F(ParameterLists, SettersLeaveMarkersInTheSectionItems) {
    acceptEverySet(server);
    ParameterList list = {MakeItem(PARAMETER_SECTION_BEGIN, "STRING", "Whatever"),
                          MakeItem(PARAMETER_VALUE, "INT"),
                          MakeItem(PARAMETER_SECTION_END, "STRING", "Whatever_EOS")};
    ASSERT_EQ(SetBarCodeData(&list), COMM_OK);
    EXPECT_EQ(lastParams("xmlSetBarcodeData"),
              arrayOf({kSectionBeginMarker, 0, kSectionEndMarker, kSectionEndMarker}));
    EXPECT_EQ(list[0].stringValue, kSectionBeginMarker);
    EXPECT_EQ(list[2].stringValue, kSectionEndMarker);
    EXPECT_EQ(list[0].name, "Whatever");

    // The configuration setter sends the same but leaves the list as it was.
    ParameterList config = {MakeItem(PARAMETER_SECTION_BEGIN, "STRING", "Whatever"),
                            MakeItem(PARAMETER_VALUE, "INT")};
    const ParameterList before = config;
    EXPECT_EQ(SetConfigData(&config), vt::sim::kSimBadArguments) << "the sensor refuses a short record";
    EXPECT_EQ(config, before);
}

// A list with an item the wire has no form for used to go out with an empty
// element in its place; now nothing is sent and the list is not touched.
TEST_F(ParameterLists, AnItemOfUnknownKindOrTypeSendsNothing) {
    acceptEverySet(server);
    server.clearCalls();
    ParameterList list = {MakeItem(PARAMETER_SECTION_BEGIN, "STRING", "S"),
                          MakeItem(PARAMETER_VALUE, "LONG", "odd", 4),
                          MakeItem(PARAMETER_SECTION_END, "STRING", "S_EOS")};
    const ParameterList before = list;
    EXPECT_EQ(SetBarCodeData(&list), COMM_INVALID_ARGUMENT);
    list[1].type = "INT";
    list[1].kind = 7;
    EXPECT_EQ(SetSensorGlobals(&list), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(SetQualityParams(0, &list), COMM_INVALID_ARGUMENT);
    list[1].kind = before[1].kind;
    list[1].type = before[1].type;
    EXPECT_EQ(list, before);
    EXPECT_TRUE(server.calls().empty());
}

struct QualityEndCase {
    const char* what;
    ParameterList list;
    std::optional<XmlRpcValue> sent;  // none: refused with COMM_INVALID_ARGUMENT
};

class QualityEnd : public ParameterLists, public ::testing::WithParamInterface<QualityEndCase> {};

TEST_P(QualityEnd, TheArrayEndsWithTwoEndMarkers) {
    acceptEverySet(server);
    server.clearCalls();
    ParameterList list = GetParam().list;
    const ParameterList before = list;
    const auto& sent = GetParam().sent;
    EXPECT_EQ(SetQualityParams(99, &list), sent ? COMM_OK : COMM_INVALID_ARGUMENT);
    EXPECT_EQ(list, before);
    if (sent)
        EXPECT_EQ(lastParams("xmlSetQualityParams"), *sent);
    else
        EXPECT_TRUE(server.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, QualityEnd,
    ::testing::Values(QualityEndCase{"EndItemNamedByTheMarker",
                                     {MakeItem(PARAMETER_SECTION_BEGIN, "STRING", "Grade"),
                                      MakeItem(PARAMETER_VALUE, "INT", "a", 1),
                                      MakeItem(PARAMETER_SECTION_END, "STRING", kSectionEndMarker)},
                                     arrayOf({"Grade", 1, kSectionEndMarker, kSectionEndMarker})},
                      QualityEndCase{"MarkerBeforeALastText",
                                     {MakeItem(PARAMETER_VALUE, "INT", "a", 1),
                                      MakeItem(PARAMETER_SECTION_END, "STRING", kSectionEndMarker),
                                      MakeItem(PARAMETER_VALUE, "STRING", "tail", 0, "replaced")},
                                     arrayOf({1, kSectionEndMarker, kSectionEndMarker})},
                      QualityEndCase{"LastItemAnInt",
                                     {MakeItem(PARAMETER_SECTION_END, "STRING", kSectionEndMarker),
                                      MakeItem(PARAMETER_VALUE, "INT", "a", 1)},
                                     std::nullopt},
                      QualityEndCase{"EndNotMarked",
                                     {MakeItem(PARAMETER_SECTION_BEGIN, "STRING", "Grade"),
                                      MakeItem(PARAMETER_VALUE, "INT", "a", 1),
                                      MakeItem(PARAMETER_SECTION_END, "STRING", "Grade_EOS")},
                                     std::nullopt},
                      QualityEndCase{"OneItem",
                                     {MakeItem(PARAMETER_SECTION_END, "STRING", kSectionEndMarker)},
                                     std::nullopt},
                      QualityEndCase{"Empty", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(ParameterLists, TheSensorRefusesASetOfAnotherShape) {
    ParameterList list;
    ASSERT_EQ(GetECC200Data(&list), COMM_OK);
    const XmlRpcValue held = edited().codeDataOf(vt::sim::CodeFamily::Ecc200);
    list.pop_back();
    EXPECT_EQ(SetECC200Data(&list), vt::sim::kSimBadArguments);
    ASSERT_EQ(GetECC200Data(&list), COMM_OK);
    list[13].type = "INT";  // slant_max goes out as an int
    EXPECT_EQ(SetECC200Data(&list), vt::sim::kSimBadArguments);
    EXPECT_EQ(edited().codeDataOf(vt::sim::CodeFamily::Ecc200), held);
}

}  // namespace
