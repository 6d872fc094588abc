#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "list_fixtures.h"
#include "record_reads.h"
#include "records/sensor_configuration.h"
#include "template_lists.h"

namespace {

using vt::test::IntAt;
using vt::test::ListOf;
using vt::test::SameItem;
using vt::test::StringAt;
using vt::test::WireForm;

CSensorConfiguration& Converter() {
    return *CSensorConfiguration::GetInstance();
}

ParameterList GlobalsList() {
    return ListOf(vt::test::SensorGlobalsItems());
}

int ReadAll(const ParameterList& list, SensorGlobalRecords& r) {
    return vt::test::ReadSensorGlobals(list, r);
}

TEST(CSensorConfiguration, ReadersFillEveryFieldFromItsPosition) {
    SensorGlobalRecords r;
    ASSERT_EQ(ReadAll(GlobalsList(), r), 0);
    EXPECT_EQ(r.identity.SensorName, StringAt(0));
    EXPECT_EQ(r.identity.SensorLocation, StringAt(1));
    EXPECT_EQ(r.identity.FWRelease, IntAt(2));
    EXPECT_EQ(r.identity.SensorType, StringAt(3));

    EXPECT_EQ(r.network.SensorDHCPactive, IntAt(5));
    EXPECT_EQ(r.network.SensorIPaddress, StringAt(6));
    EXPECT_EQ(r.network.SensorSubnetMask, StringAt(7));
    EXPECT_EQ(r.network.SensorGatewayIP, StringAt(8));
    EXPECT_EQ(r.network.SensorMACaddress, StringAt(9));
    EXPECT_EQ(r.network.XmlRpcPort, IntAt(10));
    EXPECT_EQ(r.network.LiveImagePort, IntAt(11));

    const auto& p = r.procIf;
    EXPECT_EQ(p.ProcIfInterfaceType, IntAt(14));
    EXPECT_EQ(p.SerialBaudrate, IntAt(15));
    EXPECT_EQ(p.SerialStopBits, IntAt(16));
    EXPECT_EQ(p.SerialParity, IntAt(17));
    EXPECT_EQ(p.ProcIfTcpPort, IntAt(18));
    EXPECT_EQ(p.ProtocolVersion, IntAt(19));
    EXPECT_EQ(p.RunIdleHeader, IntAt(20));
    EXPECT_EQ(p.ConsumingAssemblyLength, IntAt(21));
    EXPECT_EQ(p.EnableSegmentation, IntAt(22));
    EXPECT_EQ(p.NumberOfAssemblySegments, IntAt(23));
    EXPECT_EQ(p.AssemblySegments, StringAt(24));
    EXPECT_EQ(p.UseAnswerControleByte, IntAt(25));
    EXPECT_EQ(p.UseDecodeControleByte, IntAt(26));
    EXPECT_EQ(p.UseStatusControleByte, IntAt(27));
    EXPECT_EQ(p.SendConnectMessage, IntAt(28));

    EXPECT_EQ(r.general.DebouncedTrigger, IntAt(31));
    EXPECT_EQ(r.general.LaserMode, IntAt(32));
    EXPECT_EQ(r.general.DisplayMode, IntAt(33));
    EXPECT_EQ(r.general.FailResultsToSave, IntAt(34));
}

TEST(CSensorConfiguration, WriteAllSendsBackWhatWasReadNamedAsTheTemplate) {
    const ParameterList before = GlobalsList();
    SensorGlobalRecords r;
    ASSERT_EQ(ReadAll(before, r), 0);
    ParameterList list = before;
    EXPECT_EQ(Converter().WriteAll(list, r), 0);
    EXPECT_EQ(WireForm(list), WireForm(before));

    const auto items = vt::test::SensorGlobalsItems();
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const std::string type = items[pos].type;
        EXPECT_EQ(list[pos].name, items[pos].name) << pos;
        EXPECT_EQ(list[pos].kind, type == "BEGIN" ? PARAMETER_SECTION_BEGIN
                                  : type == "END" ? PARAMETER_SECTION_END
                                                  : PARAMETER_VALUE)
            << pos;
    }
    // The markers, as typed from the template.
    for (int pos : {4, 13, 30}) EXPECT_EQ(list[pos].kind, PARAMETER_SECTION_BEGIN) << pos;
    for (int pos : {12, 29, 35, 36}) EXPECT_EQ(list[pos].kind, PARAMETER_SECTION_END) << pos;
}

TEST(CSensorConfiguration, AChangedFieldChangesOnlyItsOwnItem) {
    struct Case {
        int pos;
        std::function<void(SensorGlobalRecords&)> change;
    };
    const Case cases[] = {
        {0, [](auto& r) { r.identity.SensorName.Assign("AmFiYwM_"); }},
        {2, [](auto& r) { r.identity.FWRelease = 3100; }},
        {7, [](auto& r) { r.network.SensorSubnetMask.Assign("255.255.0.0"); }},
        {11, [](auto& r) { r.network.LiveImagePort = 50003; }},
        {15, [](auto& r) { r.procIf.SerialBaudrate = 9600; }},
        {24, [](auto& r) { r.procIf.AssemblySegments.Assign("1,2,3"); }},
        {28, [](auto& r) { r.procIf.SendConnectMessage = 0; }},
        {34, [](auto& r) { r.general.FailResultsToSave = 5; }},
    };
    for (const auto& c : cases) {
        const ParameterList before = GlobalsList();
        SensorGlobalRecords r;
        ASSERT_EQ(ReadAll(before, r), 0);
        c.change(r);
        ParameterList list = before;
        EXPECT_EQ(Converter().WriteAll(list, r), 0);
        EXPECT_EQ(vt::test::ChangedOnTheWire(before, list), std::vector<int>{c.pos});
    }
}

TEST(CSensorConfiguration, TheAssemblySegmentTextKeepsUpTo3999Bytes) {
    ParameterList list = GlobalsList();
    const std::string longest(3999, 's');
    list[24].stringValue = longest;
    SensorGlobalRecords r;
    ASSERT_EQ(ReadAll(list, r), 0);
    EXPECT_EQ(r.procIf.AssemblySegments, longest);
    ParameterList written = GlobalsList();
    EXPECT_EQ(Converter().WriteAll(written, r), 0);
    EXPECT_EQ(written[24].stringValue, longest);

    list[24].stringValue = std::string(3998, 's') + "\xe2\x82\xac";  // a character across the limit
    ASSERT_EQ(ReadAll(list, r), 0);
    EXPECT_EQ(r.procIf.AssemblySegments, std::string(3998, 's'));
}

TEST(CSensorConfiguration, AShortListIsAnErrorAndOnlyItsOwnItemsAreWritten) {
    const ParameterList full = GlobalsList();
    SensorGlobalRecords r;
    ASSERT_EQ(ReadAll(full, r), 0);
    r.network.XmlRpcPort = 8081;

    ParameterList list = full;
    list.resize(20);
    EXPECT_EQ(Converter().WriteAll(list, r), -1);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list[10].intValue, 8081);
    EXPECT_EQ(list[4].kind, PARAMETER_SECTION_BEGIN);

    ParameterList empty;
    EXPECT_EQ(Converter().WriteAll(empty, r), -1);
    EXPECT_TRUE(empty.empty());

    ParameterList oneShort = full;
    oneShort.pop_back();
    SensorGlobalRecords other;
    EXPECT_EQ(Converter().WriteAll(oneShort, r), -1);
    EXPECT_EQ(Converter().ExtractIdentity(oneShort, other.identity), -1);
    EXPECT_EQ(Converter().ExtractNetwork(oneShort, other.network), -1);
    EXPECT_EQ(Converter().ExtractProcIf(oneShort, other.procIf), -1);
    EXPECT_EQ(Converter().ExtractGlobalSettings(oneShort, other.general), -1);
    EXPECT_EQ(Converter().ExtractNetwork(empty, other.network), -1);
    EXPECT_TRUE(SameItem(oneShort[0], full[0]));
}

}  // namespace
