// Parameter lists on the wire without a sensor: the setter marshalling, the
// reply fill over a template, the reply element readers and the choice of
// data method and templates by code type.
#include "parameter_wire.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "code_type_flags.h"
#include "dravik/comm_status.h"
#include "extract_bar_code.h"
#include "template_items.h"
#include "xmlrpc/array_of.h"

namespace {

using dravik::FillListFromReply;
using dravik::MarshalParameterList;
using dravik::SectionForm;
using XmlRpc::XmlRpcValue;

using vt::test::arrayOf;

ParameterItem value(const char* name, const char* type, int i = 0, double d = 0.0, const char* s = "") {
    return MakeItem(PARAMETER_VALUE, type, name, i, s, d);
}

ParameterItem section(int32_t kind, const char* name) {
    return MakeItem(kind, "STRING", name);
}

// A section of two values, as a template reads: begin, two values, end, and the whole's end.
ParameterList sectionTemplate() {
    return {section(PARAMETER_SECTION_BEGIN, "Limits"), value("Count", "INT", 7),
            value("Label", "STRING", 0, 0.0, "default"), section(PARAMETER_SECTION_END, "-"),
            section(PARAMETER_SECTION_END, "-")};
}

TEST(SetterMarshalling, SendsValuesByTypeAndSectionsAsMarkersWithoutNames) {
    const ParameterList list = {section(PARAMETER_SECTION_BEGIN, "Anything"), value("a", "INT", 5, 9.5, "x"),
                                value("b", "DOUBLE", 5, 2.25, "x"), value("c", "STRING", 5, 9.5, "text"),
                                section(PARAMETER_SECTION_END, "Anything_EOS")};
    XmlRpcValue out;
    ASSERT_EQ(MarshalParameterList(list, SectionForm::Markers, out), COMM_OK);
    EXPECT_EQ(out, arrayOf({kSectionBeginMarker, 5, 2.25, "text", kSectionEndMarker}));

    ASSERT_EQ(MarshalParameterList(list, SectionForm::Names, out), COMM_OK);
    EXPECT_EQ(out, arrayOf({"Anything", 5, 2.25, "text", "Anything_EOS"}));
}

TEST(SetterMarshalling, AnEmptyListIsAnEmptyArray) {
    XmlRpcValue out;
    ASSERT_EQ(MarshalParameterList({}, SectionForm::Markers, out), COMM_OK);
    EXPECT_EQ(out.getType(), XmlRpcValue::TypeArray);
    EXPECT_EQ(out.size(), 0);
}

// An unknown item used to go out as an empty element and shift every later
// value on the sensor's side: now the whole list is refused.
TEST(SetterMarshalling, RefusesAnItemOfUnknownTypeOrKind) {
    const ParameterItem bad[] = {value("lower", "int", 1), value("empty", "", 1), value("bool", "BOOLEAN", 1),
                                 section(0, "kind0"), section(4, "kind4")};
    for (const ParameterItem& item : bad) {
        for (bool last : {false, true}) {
            ParameterList list = {value("a", "INT", 1)};
            if (last) {
                list.push_back(item);
            } else {
                list.insert(list.begin(), item);
            }
            XmlRpcValue out = arrayOf({"untouched"});
            EXPECT_EQ(MarshalParameterList(list, SectionForm::Markers, out), COMM_INVALID_ARGUMENT)
                << item.name << (last ? " last" : " first");
            EXPECT_EQ(out, arrayOf({"untouched"}));
        }
    }
}

TEST(SetterMarshalling, WritesTheMarkersIntoSectionItemsOnly) {
    ParameterList list = sectionTemplate();
    dravik::WriteSectionMarkers(list);
    EXPECT_EQ(list[0].stringValue, kSectionBeginMarker);
    EXPECT_EQ(list[2].stringValue, "default");
    EXPECT_EQ(list[3].stringValue, kSectionEndMarker);
    EXPECT_EQ(list[4].stringValue, kSectionEndMarker);
    EXPECT_EQ(list[0].name, "Limits") << "names stay";
}

TEST(ReplyFill, LaysTheReplyOverTheTemplateWithoutItsFinalEnd) {
    const XmlRpcValue reply =
        arrayOf({0, kSectionBeginMarker, 42, "sensor text", kSectionEndMarker, "ignored"});
    ParameterList list = {value("stale", "INT")};
    FillListFromReply(list, sectionTemplate(), reply, 1);

    ParameterList expected = sectionTemplate();
    expected.pop_back();
    expected[0].name = kSectionBeginMarker;
    expected[1].intValue = 42;
    expected[2].stringValue = "sensor text";
    expected[3].name = kSectionEndMarker;
    EXPECT_EQ(list, expected);

    FillListFromReply(list, sectionTemplate(), reply, 0);
    EXPECT_EQ(list.size(), 5u) << "skip 0 keeps the final end item";
}

struct ReplyCase {
    const char* what;
    XmlRpcValue reply;
    int count;          // expected int of item 1
    std::string label;  // expected text of item 2
    std::string sectionName;
};

class ReplyFillDefaults : public ::testing::TestWithParam<ReplyCase> {};

// Missing or mistyped elements keep the template's defaults; the length is
// always the template's.
TEST_P(ReplyFillDefaults, KeepTheTemplateWhereTheReplyHasNothingOfTheType) {
    const ReplyCase& c = GetParam();
    ParameterList list;
    FillListFromReply(list, sectionTemplate(), c.reply, 1);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].intValue, c.count);
    EXPECT_EQ(list[2].stringValue, c.label);
    EXPECT_EQ(list[0].name, c.sectionName);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyFillDefaults,
    ::testing::Values(ReplyCase{"StatusOnly", arrayOf({0}), 7, "default", "Limits"},
                      ReplyCase{"Short", arrayOf({0, "Sec", 3}), 3, "default", "Sec"},
                      ReplyCase{"IntWhereText", arrayOf({0, 1, 3, 99}), 3, "default", "Limits"},
                      ReplyCase{"TextWhereInt", arrayOf({0, "Sec", "3", "x"}), 7, "x", "Sec"},
                      ReplyCase{"DoubleWhereInt", arrayOf({0, "Sec", 3.0, "x"}), 7, "x", "Sec"},
                      ReplyCase{"NotAnArray", XmlRpcValue(5), 7, "default", "Limits"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ReplyFill, ReadsUnknownValueTypesAsDoubles) {
    const ParameterList templ = {value("odd", "FLOAT", 0, 1.5), section(PARAMETER_SECTION_END, "-")};
    ParameterList list;
    FillListFromReply(list, templ, arrayOf({0, 6.5}), 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].doubleValue, 6.5);
}

TEST(ReplyFill, SkipLargerThanTheTemplateGivesAnEmptyList) {
    ParameterList list = {value("stale", "INT")};
    FillListFromReply(list, {}, arrayOf({0, 1}), 1);
    EXPECT_TRUE(list.empty());
}

TEST(ReplyElementReaders, ReadOnlyAnElementOfTheirType) {
    const XmlRpcValue reply = arrayOf({0, "text", 12, 2.5});
    std::string s = "keep";
    int i = -1;
    double d = -1.0;
    EXPECT_EQ(dravik::ReadReplyText(s, 1, reply), COMM_OK);
    EXPECT_EQ(dravik::ReadReplyInt(i, 2, reply), COMM_OK);
    EXPECT_EQ(dravik::ReadReplyDouble(d, 3, reply), COMM_OK);
    EXPECT_EQ(s, "text");
    EXPECT_EQ(i, 12);
    EXPECT_EQ(d, 2.5);

    for (int index : {-1, 2, 4, 100}) {
        std::string s2 = "keep";
        EXPECT_EQ(dravik::ReadReplyText(s2, index, reply), COMM_STATUS_NOT_INT) << index;
        EXPECT_EQ(s2, "keep");
    }
    int i2 = -1;
    EXPECT_EQ(dravik::ReadReplyInt(i2, 1, reply), COMM_STATUS_NOT_INT);
    EXPECT_EQ(dravik::ReadReplyInt(i2, 0, XmlRpcValue()), COMM_STATUS_NOT_INT);
    EXPECT_EQ(i2, -1);
}

struct CodeTypeCase {
    int codeType;
    std::optional<int> dataTemplate;
    const char* dataMethod;
    std::optional<int> qualityTemplate;
};

class CodeTypeRoutes : public ::testing::TestWithParam<CodeTypeCase> {};

TEST_P(CodeTypeRoutes, FollowTheFlagsInTheirOrder) {
    const CodeTypeCase& c = GetParam();
    const auto route = dravik::codeDataRoute(c.codeType);
    ASSERT_EQ(route.has_value(), c.dataTemplate.has_value());
    if (route) {
        EXPECT_EQ(route->templateId, *c.dataTemplate);
        EXPECT_STREQ(route->method, c.dataMethod);
    }
    EXPECT_EQ(dravik::qualityTemplateFor(c.codeType), c.qualityTemplate);
}

INSTANTIATE_TEST_SUITE_P(Types, CodeTypeRoutes,
                         ::testing::Values(CodeTypeCase{1, 1005, "xmlGetECC200Data", 1003},
                                           CodeTypeCase{2, 1008, "xmlGetPDF417Data", 1009},
                                           CodeTypeCase{3, 1011, "xmlGetQRCodeData", 1003},
                                           CodeTypeCase{4, 1001, "xmlGetBarcodeData", 2003},
                                           CodeTypeCase{14, 1001, "xmlGetBarcodeData", 2003},
                                           CodeTypeCase{23, 1001, "xmlGetBarcodeData", 2004},
                                           CodeTypeCase{29, 1001, "xmlGetBarcodeData", 2004},
                                           CodeTypeCase{32, 1011, "xmlGetQRCodeData", 1003},
                                           CodeTypeCase{33, 2001, "xmlGetAztecCodeData", 1003},
                                           CodeTypeCase{34, 1005, "xmlGetECC200Data", 1003},
                                           CodeTypeCase{36, 2001, "xmlGetAztecCodeData", 1003},
                                           CodeTypeCase{0, std::nullopt, nullptr, std::nullopt},
                                           CodeTypeCase{-1, std::nullopt, nullptr, std::nullopt},
                                           CodeTypeCase{37, std::nullopt, nullptr, std::nullopt},
                                           CodeTypeCase{1000000, std::nullopt, nullptr, std::nullopt}),
                         [](const auto& info) {
                             const int t = info.param.codeType;
                             return t < 0 ? "Minus" + std::to_string(-t) : "Type" + std::to_string(t);
                         });

TEST(CExtractBarCode, OneInstanceUntilDestroyed) {
    auto* first = dravik::CExtractBarCode::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(dravik::CExtractBarCode::GetInstance(), first);
    first->item().name = "scratch";
    dravik::CExtractBarCode::DestroyInstance();
    auto* second = dravik::CExtractBarCode::GetInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->item().name, "") << "a new instance after the old one was destroyed";
    delete second;  // deleting the instance directly clears the process-wide pointer as well
    EXPECT_NE(dravik::CExtractBarCode::GetInstance(), nullptr);
    dravik::CExtractBarCode::DestroyInstance();
}

}  // namespace
