// Records in range for trying the program (varnis-sim --plausible), the
// families' standard and enhanced sets behind "xmlRevertCodeDataSettings",
// and "xmlDecodeImage" taking a reading in any state.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "loopback_address.h"
#include "sim/parameter_methods.h"
#include "sim/parameter_shapes.h"
#include "sim/plausible_records.h"
#include "sim/reading_methods.h"
#include "sim/reading_model.h"
#include "sim/sensor_command_methods.h"
#include "xmlrpc/XmlRpcClient.h"

namespace vt::sim {
namespace {

using XmlRpc::XmlRpcValue;

TEST(PlausibleRecords, EverySeedStaysInsideThePagesRanges) {
    const std::set<std::string> polarity{"dark_on_light", "light_on_dark", "any"};
    const std::set<std::string> mirror{"no", "yes", "any"};
    const std::set<std::string> gap{"no", "small", "big"};
    const std::set<std::string> yesNo{"yes", "no"};
    const std::set<int> imageOutputs{1, 2, 5, 6};
    std::set<int> modes, shownImageOutputs;
    for (int seed = 0; seed < 32; ++seed) {
        SCOPED_TRACE(seed);
        const XmlRpcValue config = plausibleConfigData(seed);
        ASSERT_TRUE(matchesShape(config, shape::kConfigExtendedData, 0));
        const int codeType = config[32].asInt();
        EXPECT_TRUE(codeType >= 1 && codeType <= 36);
        EXPECT_EQ(config[33].asInt(), 2);
        EXPECT_TRUE(config[34].asInt() >= 1 && config[34].asInt() <= 10);
        EXPECT_TRUE(config[35].asInt() >= 10 && config[35].asInt() <= 5000);
        for (int filter : {37, 38, 39}) EXPECT_TRUE(config[filter].asInt() >= 0 && config[filter].asInt() <= 8);
        // Process interface: what its pages can show and write back unchanged.
        const int mode = config[18].asInt();
        EXPECT_TRUE(mode == 0 || (mode % 2 == 1 && mode <= 11)) << mode;
        modes.insert(mode);
        for (int flag : {19, 20, 22, 49, 50}) EXPECT_TRUE(config[flag].asInt() == 0 || config[flag].asInt() == 1) << flag;
        EXPECT_TRUE(config[21].asInt() >= 0 && config[21].asInt() <= 2);
        EXPECT_TRUE(imageOutputs.count(config[23].asInt())) << config[23].asInt();
        shownImageOutputs.insert(config[23].asInt());
        EXPECT_TRUE(config[29].asInt() == 0 || config[29].asInt() == 1 || config[29].asInt() == 3);
        for (int item = 24; item <= 28; ++item) {
            const std::string text = config[item].asString();
            EXPECT_LE(text.size(), item == 28 ? 256u : 32u) << item;
            for (char ch : text) EXPECT_TRUE(ch >= 33 && ch <= 126) << item << " holds " << int(ch);
        }

        for (const XmlRpcValue& ecc : {plausibleCodeData(seed, CodeFamily::Ecc200), revertedCodeData(seed % 2, CodeFamily::Ecc200)}) {
            ASSERT_TRUE(matchesShape(ecc, shape::kEcc200Data, 0));
            for (int i : {0, 1}) EXPECT_TRUE(ecc[i].asInt() >= 10 && ecc[i].asInt() <= 144 && ecc[i].asInt() % 2 == 0);
            for (int i : {2, 3}) EXPECT_TRUE(ecc[i].asInt() >= 8 && ecc[i].asInt() <= 144 && ecc[i].asInt() % 2 == 0);
            EXPECT_LE(ecc[0].asInt(), ecc[1].asInt());
            EXPECT_LE(ecc[2].asInt(), ecc[3].asInt());
            EXPECT_TRUE(polarity.count(ecc[4].asString()));
            EXPECT_TRUE(mirror.count(ecc[5].asString()));
            EXPECT_TRUE(ecc[6].asInt() >= 1 && ecc[6].asInt() <= 100);
            EXPECT_TRUE(ecc[7].asInt() >= 2 && ecc[7].asInt() <= ecc[8].asInt() && ecc[8].asInt() <= 100);
            for (int i : {9, 10, 11, 12}) EXPECT_TRUE(gap.count(ecc[i].asString()));
            const double degrees = ecc[13].asDouble() * 180 / 3.14;
            EXPECT_TRUE(degrees >= 0 && degrees <= 30.000001) << degrees;
            EXPECT_TRUE(yesNo.count(ecc[15].asString()));
        }
        const XmlRpcValue pdf = plausibleCodeData(seed, CodeFamily::Pdf417);
        ASSERT_TRUE(matchesShape(pdf, shape::kPdf417Data, 0));
        EXPECT_TRUE(pdf[9].asDouble() >= 0.5 && pdf[9].asDouble() <= pdf[10].asDouble() && pdf[10].asDouble() <= 20);
        EXPECT_TRUE(matchesShape(plausibleCodeData(seed, CodeFamily::QrCode), shape::kQrCodeData, 0));
        EXPECT_TRUE(matchesShape(plausibleCodeData(seed, CodeFamily::Aztec), shape::kAztecData, 0));
        const XmlRpcValue bar = plausibleCodeData(seed, CodeFamily::BarCode);
        ASSERT_TRUE(matchesShape(bar, shape::kBarCodeData, 0));
        EXPECT_TRUE(bar[0].asDouble() >= 1.5 && bar[0].asDouble() <= 10 && bar[1].asDouble() >= 4 && bar[1].asDouble() <= 60);
    }
    EXPECT_EQ(modes, (std::set<int>{0, 1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(shownImageOutputs, imageOutputs);
}

// Quality records: the overall grade's flag is a mode (0, 1, 3), every
// other parameter's flag 0 or 1, grades 1..4; every mode turns up.
TEST(PlausibleRecords, QualityRecordsCarryModesFlagsAndGrades) {
    std::set<int> modes;
    for (int seed = 0; seed < 12; ++seed) {
        for (QualityForm form : {QualityForm::Ecc200QrAztec, QualityForm::Pdf417, QualityForm::BarCode, QualityForm::Composite}) {
            SCOPED_TRACE(testing::Message() << seed << " form " << static_cast<int>(form));
            XmlRpcValue quality = plausibleQuality(seed, form);
            ASSERT_TRUE(matchesShape(quality, shapeOf(form), 0));
            modes.insert(quality[1].asInt());
            EXPECT_TRUE(quality[1].asInt() == 0 || quality[1].asInt() == 1 || quality[1].asInt() == 3);
            for (int pos = 4; pos < quality.size(); pos += 4) EXPECT_TRUE(quality[pos + 1].asInt() == 0 || quality[pos + 1].asInt() == 1);
            for (int pos = 0; pos < quality.size(); pos += 4) EXPECT_TRUE(quality[pos + 2].asInt() >= 1 && quality[pos + 2].asInt() <= 4);
        }
    }
    EXPECT_EQ(modes, (std::set<int>{0, 1, 3}));
}

// Through the server, a configuration being edited.
class CodeDataMethods : public ::testing::Test {
protected:
    void SetUp() override {
        addSensorCommandMethods(server, model);
        addParameterMethods(server, model, store);
        addReadingMethods(server, model, readings);
        usePlausibleRecords(model);
        ASSERT_TRUE(server.start()) << server.error();
        client = std::make_unique<XmlRpc::XmlRpcClient>(server.address().c_str(), server.port());
    }
    void TearDown() override {
        readings.shutdown();
        server.stop();
    }
    XmlRpcValue call(const char* method, const XmlRpcValue& params = XmlRpcValue()) {
        XmlRpcValue reply;
        if (!client->execute(method, params, reply, 10.0)) reply.clear();
        return reply;
    }
    static XmlRpcValue one(int value) {
        XmlRpcValue p;
        p[0] = value;
        return p;
    }
    // The edited configuration's records.
    SlotParameters edited() {
        return model.access([](SensorData& d) { return d.slots[static_cast<std::size_t>(d.editing->slot)].data.parameters; });
    }

    SensorModel model;
    ParameterStore store;
    ReadingModel readings{model};
    XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    std::unique_ptr<XmlRpc::XmlRpcClient> client;
};

TEST_F(CodeDataMethods, RevertPutsTheEditedFamilysStandardOrEnhancedSet) {
    EXPECT_EQ(call("xmlRevertCodeDataSettings", one(0))[0].asInt(), kSimNotEditing);
    ASSERT_EQ(model.createConfig({5, "{Five}", 0}), kSimOk);
    // A created configuration is in range too; slot 0's seed reads Data Matrix.
    ASSERT_EQ(edited().codeType(), plausibleConfigData(5).operator[](32).asInt());
    model.access([](SensorData& d) { d.slots[5].data.parameters.configData[32] = 1; });
    for (int kind : {1, 0}) {
        ASSERT_EQ(call("xmlRevertCodeDataSettings", one(kind))[0].asInt(), kSimOk) << kind;
        XmlRpcValue expected = revertedCodeData(kind, CodeFamily::Ecc200);
        EXPECT_EQ(edited().codeDataOf(CodeFamily::Ecc200).toXml(), expected.toXml()) << kind;
    }
    EXPECT_EQ(edited().codeDataOf(CodeFamily::Ecc200)[13].asDouble(), 10 * 3.14 / 180);
    const std::string before = edited().codeDataOf(CodeFamily::Ecc200).toXml();
    for (int kind : {2, -1, 33}) EXPECT_EQ(call("xmlRevertCodeDataSettings", one(kind))[0].asInt(), kSimBadArguments) << kind;
    EXPECT_EQ(edited().codeDataOf(CodeFamily::Ecc200).toXml(), before);
    // The enhanced set differs from the standard one in every family.
    for (int f = 0; f < kCodeFamilies; ++f)
        EXPECT_NE(revertedCodeData(0, CodeFamily(f)).toXml(), revertedCodeData(1, CodeFamily(f)).toXml()) << f;
}

TEST_F(CodeDataMethods, DecodeImageReadsInTheConfigurationState) {
    ASSERT_EQ(model.state(), 4);
    ASSERT_EQ(model.createConfig({0, "{Zero}", 0}), kSimOk);
    EXPECT_EQ(call("xmlDecodeImage")[0].asInt(), kSimOk);
    ASSERT_TRUE(readings.latest().has_value());
    EXPECT_EQ(readings.latest()->codeType, edited().codeType());
    EXPECT_TRUE(readings.latest()->passed);
    XmlRpcValue latest;
    latest[0] = -1;
    latest[1] = 0;
    EXPECT_EQ(call("xmlLockResult", latest)[1].asInt(), 1);
    EXPECT_EQ(model.snapshot().totalReadings, 0);
}

// The rate reads in monitor operation, and in the test states only for a
// configuration that runs free; other sources wait for a trigger.
TEST_F(CodeDataMethods, TheRateReadsInTestStatesOnlyWhenTheSensorRunsFree) {
    ASSERT_EQ(model.createConfig({2, "{Two}", 0}), kSimOk);
    struct Case {
        int state, source;
        bool reads;
    };
    for (const Case& c : {Case{2, 0, true}, Case{6, 3, true}, Case{7, 3, true}, Case{6, 0, false}, Case{7, 2, false},
                          Case{7, 4, false}, Case{4, 3, false}, Case{5, 3, false}}) {
        model.access([&](SensorData& d) {
            d.state = c.state;
            d.slots[2].data.parameters.configData[shape::kConfigDataTriggerSource] = c.source;
        });
        EXPECT_EQ(ReadingModel::readsOnItsOwn(model.snapshot()), c.reads) << c.state << " " << c.source;
    }
}

// The quality get answers the edited configuration's record in the form of
// its code type; a set takes only that form followed by two end markers.
TEST_F(CodeDataMethods, QualityGetAndSetTakeTheCodeTypesForm) {
    EXPECT_EQ(call("xmlGetQualityParams")[0].asInt(), kSimNotEditing);
    ASSERT_EQ(model.createConfig({0, "{Zero}", 0}), kSimOk);
    struct Case {
        int codeType;
        QualityForm form;
        int items;
    };
    const Case cases[] = {{1, QualityForm::Ecc200QrAztec, 36}, {33, QualityForm::Ecc200QrAztec, 36}, {2, QualityForm::Pdf417, 32},
                          {4, QualityForm::BarCode, 36},       {23, QualityForm::Composite, 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codeType);
        model.access([&](SensorData& d) { d.slots[0].data.parameters.configData[32] = c.codeType; });
        XmlRpcValue reply = call("xmlGetQualityParams");
        ASSERT_EQ(reply.size(), c.items + 1);
        EXPECT_EQ(reply[0].asInt(), kSimOk);
        XmlRpcValue set;
        for (int i = 0; i < c.items; ++i) set[i] = reply[i + 1];
        set[1] = 3;
        set[5] = 1 - set[5].asInt();
        // One end marker only, or the other form's length: refused, nothing taken.
        EXPECT_EQ(call("xmlSetQualityParams", set)[0].asInt(), kSimBadArguments);
        set[c.items] = "_EOS_STRING_CONTENT_54978654";
        XmlRpcValue longer = set;
        longer[c.items + 1] = "_EOS_STRING_CONTENT_54978654";
        EXPECT_EQ(call("xmlSetQualityParams", longer)[0].asInt(), kSimBadArguments);
        EXPECT_NE(edited().qualityOf(c.form)[5].asInt(), set[5].asInt());
        EXPECT_EQ(call("xmlSetQualityParams", set)[0].asInt(), kSimOk);
        EXPECT_EQ(edited().qualityOf(c.form)[1].asInt(), 3);
        EXPECT_EQ(edited().qualityOf(c.form)[5].asInt(), set[5].asInt());
    }
    model.access([](SensorData& d) { d.slots[0].data.parameters.configData[32] = 0; });
    EXPECT_EQ(call("xmlGetQualityParams")[0].asInt(), kSimBadArguments);
}

}  // namespace
}  // namespace vt::sim
