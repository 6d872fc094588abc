// The sensor address a connect goes to, from the connection panel's fields.
#include <gtest/gtest.h>

#include "core/sensor_address.h"

namespace {

ConnectionPanelFields Fields(std::array<std::u16string, 4> octets, std::u16string port = u"", bool fromScan = false,
                             std::u16string bookmark = u"", std::u16string name = u"", int bookmarkPort = 0,
                             std::u16string scan = u"") {
    ConnectionPanelFields f;
    f.octets = std::move(octets);
    f.portText = std::move(port);
    f.connectFromScan = fromScan;
    f.bookmarkAddress = std::move(bookmark);
    f.bookmarkName = std::move(name);
    f.bookmarkPort = bookmarkPort;
    f.scanAddress = std::move(scan);
    return f;
}

struct AddressCase {
    const char* what;
    ConnectionPanelFields fields;
    std::u16string address;
    bool fromBookmark;
    std::u16string name;
};

TEST(SensorAddress, ChosenFromOctetsThenSavedConnectionThenScan) {
    const AddressCase cases[] = {
        {"typed octets, decimal", Fields({u"010", u"0", u"000", u"7"}), u"10.0.0.7", false, u""},
        {"typed octets win over a saved connection",
         Fields({u"10", u"1", u"1", u"1"}, u"", false, u"192.168.0.9", u"Line 1", 9000),
         u"10.1.1.1",
         false,
         u""},
        {"saved connection, rejoined", Fields({}, u"", false, u"192.168.000.09", u"Line 1"),
         u"192.168.0.9",
         true,
         u"Line 1"},
        {"a saved connection without four parts gives none",
         Fields({}, u"", false, u"192.168.9", u"Line 1"),
         u"",
         true,
         u"Line 1"},
        {"from the scan: its record, not the saved connection",
         Fields({}, u"", true, u"192.168.0.9", u"Line 1", 0, u"10.0.0.5"),
         u"10.0.0.5",
         false,
         u""},
        {"only a connection's name is no address", Fields({}, u"", true, u"", u"Line 1"), u"", false, u""},
        {"nothing at all", Fields({}), u"", true, u""},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SensorAddressChoice choice = GetSensorAddress(c.fields);
        EXPECT_EQ(choice.address, c.address);
        EXPECT_EQ(choice.fromBookmark, c.fromBookmark);
        EXPECT_EQ(choice.connectionName, c.name);
    }
}

TEST(SensorAddress, PortTypedOrSavedAndEightyEightyForNone) {
    ConnectionPanelFields typed = Fields({u"10", u"0", u"0", u"1"}, u"9000");
    EXPECT_EQ(GetSensorPort(typed), 9000);
    typed.portText = u"";
    EXPECT_EQ(GetSensorPort(typed), 8080);
    typed.portText = u"80x";
    EXPECT_EQ(GetSensorPort(typed), 8080);
    ConnectionPanelFields saved = Fields({}, u"9000", false, u"10.0.0.1", u"A", 7000);
    EXPECT_EQ(GetSensorPort(saved), 7000);
    saved.bookmarkPort = 0;
    EXPECT_EQ(GetSensorPort(saved), 8080);
}

}  // namespace
