#include "xml_config_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "template_items.h"

namespace {

using dravik::CXmlConfigReader;

ParameterItem item(std::string name, int32_t kind, std::string type) {
    return ParameterItem{std::move(name), kind, std::move(type), 0, 0.0, {}};
}

ParameterItem sectionEnd() {
    return item("-", PARAMETER_SECTION_END, "STRING");
}

ParameterList read(const std::string& text) {
    ParameterList items;
    EXPECT_EQ(CXmlConfigReader().Read(text, items), 0) << text;
    return items;
}

TEST(XmlConfigReader, OneSectionOfTwoValuesGivesFiveItems) {
    auto items = read(R"(<r><s><a type="INT">7</a><b type="STRING">x</b></s></r>)");

    auto a = item("a", PARAMETER_VALUE, "INT");
    a.intValue = 7;
    auto b = item("b", PARAMETER_VALUE, "STRING");
    b.stringValue = std::string("x");
    EXPECT_EQ(items, (ParameterList{item("s", PARAMETER_SECTION_BEGIN, "STRING"), a, b, sectionEnd(),
                                    sectionEnd()}));

    // A getter that leaves out the final item keeps the section closed.
    items.pop_back();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items.back().kind, PARAMETER_SECTION_END);
}

TEST(XmlConfigReader, EmptyLevelsStillGetTheirEndItem) {
    EXPECT_EQ(read("<r/>"), ParameterList{sectionEnd()});
    EXPECT_EQ(read("<r><s/></r>"),
              (ParameterList{item("s", PARAMETER_SECTION_BEGIN, "STRING"), sectionEnd(), sectionEnd()}));
}

// The same template laid out in different ways reads the same.
class TemplateLayout : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

const char* const kCompact =
    R"(<r><v type="INT">1</v><s><t type="DOUBLE">2.5</t><u><w type="STRING">x</w></u></s><z type="STRING"/></r>)";

TEST_P(TemplateLayout, ReadsLikeTheCompactForm) {
    EXPECT_EQ(read(GetParam().second), read(kCompact));
    EXPECT_EQ(read(kCompact).size(), 9u);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TemplateLayout,
    ::testing::Values(
        std::pair{"Compact", kCompact},
        std::pair{
            "Indented",
            "<?xml version=\"1.0\"?>\n<r>\n  <v type=\"INT\">1</v>\n  <s>\n    <t type=\"DOUBLE\">2.5</t>\n"
            "    <u>\n      <w type=\"STRING\">x</w>\n    </u>\n  </s>\n  <z type=\"STRING\"></z>\n</r>\n"},
        std::pair{"TwoBlanksAndTabs",
                  "<r>\t\t<v type=\"INT\">1</v>  <s>\r\n\r\n<t type=\"DOUBLE\">2.5</t>\t<u>  <w "
                  "type=\"STRING\">x</w></u>\n\n</s> \t <z type=\"STRING\"/></r>"},
        std::pair{"Comments",
                  "<!-- head --><r><!-- a --><v type=\"INT\">1</v><!-- b --><!-- c --><s><t "
                  "type=\"DOUBLE\">2.5</t><u><?pi x?><w type=\"STRING\">x</w></u></s><z "
                  "type=\"STRING\"/><!-- end --></r>"},
        std::pair{"StrayTextBetweenElements",
                  "<r>a<v type=\"INT\">1</v>b<s>c<t type=\"DOUBLE\">2.5</t><u><w "
                  "type=\"STRING\">x</w>d</u></s><z type=\"STRING\"/>e</r>"}),
    [](const auto& info) { return std::string(info.param.first); });

struct DefaultCase {
    const char* label;
    const char* element;
    ParameterItem expected;
};

ParameterItem withInt(int32_t v) {
    auto it = item("a", PARAMETER_VALUE, "INT");
    it.intValue = v;
    return it;
}
ParameterItem withDouble(double v) {
    auto it = item("a", PARAMETER_VALUE, "DOUBLE");
    it.doubleValue = v;
    return it;
}
ParameterItem withString(std::string v) {
    auto it = item("a", PARAMETER_VALUE, "STRING");
    it.stringValue = std::move(v);
    return it;
}

class ValueDefault : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(ValueDefault, IsTakenFromTheTextByType) {
    auto items = read(std::string("<r>") + GetParam().element + "</r>");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, ValueDefault,
    ::testing::Values(
        DefaultCase{"Int", R"(<a type="INT">42</a>)", withInt(42)},
        DefaultCase{"IntBlanksAndSign", R"(<a type="INT"> -7 </a>)", withInt(-7)},
        DefaultCase{"IntPlus", R"(<a type="INT">+3</a>)", withInt(3)},
        DefaultCase{"IntTrailingText", R"(<a type="INT">12abc</a>)", withInt(12)},
        DefaultCase{"IntNoNumber", R"(<a type="INT">abc</a>)", withInt(0)},
        DefaultCase{"IntEmpty", R"(<a type="INT"></a>)", withInt(0)},
        DefaultCase{"IntOutOfRange", R"(<a type="INT">99999999999</a>)", withInt(0)},
        DefaultCase{"Double", R"(<a type="DOUBLE">2.5</a>)", withDouble(2.5)},
        DefaultCase{"DoubleExponent", R"(<a type="DOUBLE">-1e-3</a>)", withDouble(-1e-3)},
        DefaultCase{"DoubleEmpty", R"(<a type="DOUBLE"/>)", withDouble(0.0)},
        DefaultCase{"StringKeepsBlanks", R"(<a type="STRING">  a b </a>)", withString("  a b ")},
        DefaultCase{"StringUtf8AndEntities", "<a type=\"STRING\">\xC3\x84&lt;&amp;&gt;</a>",
                    withString("\xC3\x84<&>")},
        DefaultCase{"StringEmpty", R"(<a type="STRING"/>)", withString("")},
        DefaultCase{"FirstAttributeGivesTheType", R"(<a kind="DOUBLE" type="INT">1.5</a>)", withDouble(1.5)},
        DefaultCase{"UnknownTypeSetsNoValue", R"(<a type="int">5</a>)", item("a", PARAMETER_VALUE, "int")}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(XmlConfigReader, DoesNotLoadExternalEntities) {
    auto items =
        read(R"(<!DOCTYPE r [<!ENTITY e SYSTEM "file:///etc/passwd">]><r><a type="STRING">&e;</a></r>)");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].stringValue.find("root"), std::string::npos);
}

// Ten levels of ten references each: a billion characters if expanded.
std::string entityBomb() {
    std::string text = "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        text += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i) text += std::string("&") + static_cast<char>(c - 1) + ";";
        text += "\">";
    }
    return text + "]><r><v type=\"STRING\">&j;</v></r>";
}

class Unparsable : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(Unparsable, Gives52AndLeavesTheListAlone) {
    ParameterList items{withInt(5)};
    EXPECT_EQ(CXmlConfigReader().Read(GetParam().second, items), COMM_TEMPLATE_NOT_PARSED);
    EXPECT_EQ(items, ParameterList{withInt(5)});
}

INSTANTIATE_TEST_SUITE_P(Texts, Unparsable,
                         ::testing::Values(std::pair{"Empty", std::string()},
                                           std::pair{"NotXml", std::string("a=b")},
                                           std::pair{"Unclosed", std::string("<r><a type=\"INT\">1</a>")},
                                           std::pair{"Crossed", std::string("<r><s></r></s>")},
                                           std::pair{"UndefinedEntity", std::string("<r>&nothing;</r>")},
                                           std::pair{"TwoRoots", std::string("<r/><q/>")},
                                           std::pair{"EmbeddedZero", std::string("<r>\0</r>", 8)},
                                           std::pair{"EntityBomb", entityBomb()}),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
