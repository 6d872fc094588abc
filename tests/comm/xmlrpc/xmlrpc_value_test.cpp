// Values against XML typed by hand: what we write, what we read, and what we
// refuse. The simulator parses with the same code, so these texts are the
// independent reference.
#include <gtest/gtest.h>

#include <string>

#include "array_of.h"
#include "xmlrpc/XmlRpcValue.h"

using vt::test::arrayOf;
using XmlRpc::XmlRpcDateTime;
using XmlRpc::XmlRpcException;
using XmlRpc::XmlRpcValue;

namespace {

XmlRpcValue bytes(std::string s) {
    return XmlRpcValue(XmlRpcValue::BinaryData(s.begin(), s.end()));
}

struct WireCase {
    const char* name;
    XmlRpcValue value;
    std::string xml;
};

std::string fiftyFourBytesBase64() {
    // 54 zero bytes: 72 'A's, and the line feed that closes every full line.
    return "<value><base64>" + std::string(72, 'A') + "\n</base64></value>";
}

std::vector<WireCase> wireCases() {
    XmlRpcValue st;
    st["zeta"] = 2;
    st["alpha"] = std::string("x");
    st["a&b"] = true;
    return {
        {"true", XmlRpcValue(true), "<value><boolean>1</boolean></value>"},
        {"false", XmlRpcValue(false), "<value><boolean>0</boolean></value>"},
        {"int", XmlRpcValue(-2147483647 - 1), "<value><i4>-2147483648</i4></value>"},
        {"double", XmlRpcValue(1.5), "<value><double>1.500000</double></value>"},
        {"negative_double", XmlRpcValue(-0.25), "<value><double>-0.250000</double></value>"},
        {"string_escaped", XmlRpcValue("a<b>&'\""), "<value>a&lt;b&gt;&amp;&apos;&quot;</value>"},
        {"latin1_two_bytes", XmlRpcValue("\xFC\xDF"), "<value>\xBC\xC3\x9F\xC3</value>"},
        {"latin1_extremes", XmlRpcValue("\x80\xFF"), "<value>\x80\xC2\xBF\xC3</value>"},
        {"empty_string", XmlRpcValue(""), "<value></value>"},
        {"date_time", XmlRpcValue(XmlRpcDateTime{2026, 3, 4, 5, 6, 7}),
         "<value><dateTime.iso8601>20260304T05:06:07</dateTime.iso8601></value>"},
        {"date_time_early_year", XmlRpcValue(XmlRpcDateTime{26, 1, 1, 1, 2, 3}),
         "<value><dateTime.iso8601>00260101T01:02:03</dateTime.iso8601></value>"},
        {"base64_short", bytes("abcd"), "<value><base64>YWJjZA==</base64></value>"},
        {"base64_54", bytes(std::string(54, '\0')), fiftyFourBytesBase64()},
        {"base64_55", bytes(std::string(55, '\0')),
         "<value><base64>" + std::string(72, 'A') + "\nAA==</base64></value>"},
        {"array", arrayOf({1, "x"}),
         "<value><array><data><value><i4>1</i4></value><value>x</value></data></array></value>"},
        {"struct_by_name", st,
         "<value><struct><member><name>a&amp;b</name><value><boolean>1</boolean></value></member>"
         "<member><name>alpha</name><value>x</value></member>"
         "<member><name>zeta</name><value><i4>2</i4></value></member></struct></value>"},
    };
}

class ValueWrite : public ::testing::TestWithParam<WireCase> {};

TEST_P(ValueWrite, WritesTheTypedText) {
    EXPECT_EQ(GetParam().value.toXml(), GetParam().xml);
}

INSTANTIATE_TEST_SUITE_P(Table, ValueWrite, ::testing::ValuesIn(wireCases()),
                         [](const auto& info) { return std::string(info.param.name); });

class ValueRead : public ::testing::TestWithParam<WireCase> {};

TEST_P(ValueRead, ReadsTheTypedTextBack) {
    const auto& c = GetParam();
    XmlRpcValue v;
    int offset = 0;
    ASSERT_TRUE(v.fromXml(c.xml, &offset));
    EXPECT_EQ(v, c.value);
    EXPECT_EQ(offset, static_cast<int>(c.xml.size()));
}

// Member names are escaped on the way out but taken as they stand on the
// way in, so the struct with "a&b" reads back as "a&amp;b".
std::vector<WireCase> readableCases() {
    auto cases = wireCases();
    std::erase_if(cases, [](const WireCase& c) { return std::string(c.name) == "struct_by_name"; });
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, ValueRead, ::testing::ValuesIn(readableCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    std::string xml;
    XmlRpcValue expected;
};

class ValueReadOther : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ValueReadOther, Reads) {
    XmlRpcValue v;
    int offset = 0;
    ASSERT_TRUE(v.fromXml(GetParam().xml, &offset));
    EXPECT_EQ(v, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueReadOther,
    ::testing::Values(
        ReadCase{"empty_string_tag", "<value><string></string></value>", XmlRpcValue("")},
        ReadCase{"string_tag", "<value><string>a&amp;b&#65;</string></value>", XmlRpcValue("a&b&#65;")},
        ReadCase{"int_tag", "<value><int>7</int></value>", XmlRpcValue(7)},
        ReadCase{"leading_white_space", " \r\n<value> <i4> +42</i4> </value>", XmlRpcValue(42)},
        ReadCase{"double_exponent", "<value><double>1e+300</double></value>", XmlRpcValue(1e300)},
        // UTF-8 order is not the sensor's order: a different byte, and no error.
        ReadCase{"utf8_order_misread", "<value>\xC3\xBC</value>", XmlRpcValue("\x03")},
        ReadCase{"lone_high_byte_at_end", "<value>ab\xC3</value>", XmlRpcValue("ab\xC3")},
        ReadCase{"base64_with_breaks", "<value><base64>YW\nJj\r\n ZA==\n</base64></value>", bytes("abcd")},
        ReadCase{"empty_array", "<value><array><data>\n</data></array></value>", arrayOf({})},
        // An unreadable element ends its array; the reply around it still reads.
        ReadCase{"array_junk", "<value><array><data>junk</data></array></value>", arrayOf({})},
        ReadCase{"array_ends_at_bad_element",
                 "<value><array><data><value><i4>1</i4></value><value><i4>x</i4></value>"
                 "<value><array><data><value>2</value></data></array></value></data></array></value>",
                 arrayOf({1})},
        ReadCase{"inner_array_ends_at_bad_element",
                 "<value><array><data><value><array><data><value>a</value><value><boolean>2</boolean></value>"
                 "<value>b</value></data></array></value><value>c</value></data></array></value>",
                 arrayOf({arrayOf({"a"}), "c"})},
        ReadCase{"white_space_string", "<value>  </value>", XmlRpcValue("  ")}),
    [](const auto& info) { return std::string(info.param.name); });

class ValueRefuse : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(ValueRefuse, FailsAndKeepsTheOffset) {
    XmlRpcValue v(5);
    int offset = 0;
    EXPECT_FALSE(v.fromXml(GetParam().second, &offset));
    EXPECT_FALSE(v.valid());
    EXPECT_EQ(offset, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueRefuse,
    ::testing::Values(
        std::pair{"i4_letters", std::string("<value><i4>abc</i4></value>")},
        std::pair{"i4_empty", std::string("<value><i4></i4></value>")},
        std::pair{"i4_too_large", std::string("<value><i4>2147483648</i4></value>")},
        std::pair{"boolean_two", std::string("<value><boolean>2</boolean></value>")},
        std::pair{"double_letters", std::string("<value><double>x</double></value>")},
        std::pair{"date_short", std::string("<value><dateTime.iso8601>2026</dateTime.iso8601></value>")},
        std::pair{"member_without_value",
                  std::string("<value><struct><member><name>a</name></member></struct></value>")},
        std::pair{"array_without_its_end", std::string("<value><array><data><value><i4>x</i4></value></data>")},
        std::pair{"no_value_end", std::string("<value><i4>1</i4>")},
        std::pair{"no_value_tag", std::string("<i4>1</i4>")},
        std::pair{"unknown_tag", std::string("<value><nil/></value>")},
        std::pair{"unterminated_string", std::string("<value>abc")}, std::pair{"empty", std::string()}),
    [](const auto& info) { return std::string(info.param.first); });

TEST(Value, MemberNamesAreTakenAsTheyStand) {
    XmlRpcValue v;
    int offset = 0;
    ASSERT_TRUE(v.fromXml(std::string("<value><struct><member><name>a&amp;b</name><value><i4>1</i4></value>"
                                      "</member></struct></value>"),
                          &offset));
    EXPECT_TRUE(v.hasMember("a&amp;b"));
}

TEST(Value, DeepNestingIsRefusedNotACrash) {
    std::string xml;
    for (int i = 0; i < 100000; ++i) xml += "<value><array><data>";
    XmlRpcValue v;
    int offset = 0;
    EXPECT_FALSE(v.fromXml(xml, &offset));
}

TEST(Value, ParsesAtAnOffsetAndMovesPastTheValue) {
    std::string xml = "junk<value><i4>1</i4></value><value>two</value>";
    int offset = 4;
    XmlRpcValue first(xml, &offset);
    EXPECT_EQ(first, XmlRpcValue(1));
    XmlRpcValue second(xml, &offset);
    EXPECT_EQ(second, XmlRpcValue("two"));
    EXPECT_EQ(offset, static_cast<int>(xml.size()));
}

TEST(Value, IndexingAndConversionErrors) {
    XmlRpcValue v;
    v[2] = 5;  // an invalid value becomes an array and grows
    EXPECT_EQ(v.getType(), XmlRpcValue::TypeArray);
    EXPECT_EQ(v.size(), 3);
    const XmlRpcValue& cv = v;
    EXPECT_FALSE(cv[0].valid());
    try {
        (void)cv[3];
        FAIL();
    } catch (const XmlRpcException& e) {
        EXPECT_EQ(e.getMessage(), "range error: array index too large");
        EXPECT_EQ(e.getCode(), -1);
    }
    const XmlRpcValue number(1);
    try {
        (void)number[0];
        FAIL();
    } catch (const XmlRpcException& e) {
        EXPECT_EQ(e.getMessage(), "type error: expected an array");
    }
    EXPECT_THROW((void)number.size(), XmlRpcException);
    XmlRpcValue text("x");
    EXPECT_THROW((void)static_cast<int&>(text), XmlRpcException);
    XmlRpcValue fresh;
    static_cast<int&>(fresh) = 9;  // an invalid value takes the type asked for
    EXPECT_EQ(fresh, XmlRpcValue(9));
}

TEST(Value, CopiesAreDeep) {
    XmlRpcValue a;
    a[0]["k"] = 1;
    XmlRpcValue b = a;
    b[0]["k"] = 2;
    EXPECT_EQ(a[0]["k"], XmlRpcValue(1));
    EXPECT_NE(a, b);
}

TEST(Value, AnInvalidValueWritesNothing) {
    XmlRpcValue a;
    a[1] = 3;
    EXPECT_EQ(a.toXml(), "<value><array><data><value><i4>3</i4></value></data></array></value>");
}

}  // namespace
