#include <gtest/gtest.h>

#include <string>

#include "list_fixtures.h"
#include "records/config_list_info.h"
#include "records/converter_singleton.h"
#include "records/converters.h"
#include "records/parameter_items.h"
#include "records/results.h"

namespace {

using namespace ParameterItems;
using vt::test::SameItems;

// The PDF417 data list (twelve items) as a get leaves it.
ParameterList Pdf417DataList() {
    return vt::test::ListOf({
        {"symbol_cols_min", "INT"},
        {"symbol_cols_max", "INT"},
        {"symbol_rows_min", "INT"},
        {"symbol_rows_max", "INT"},
        {"polarity", "STRING"},
        {"mirrored", "STRING"},
        {"contrast_min", "INT"},
        {"module_width_min", "INT"},
        {"module_width_max", "INT"},
        {"module_aspect_min", "DOUBLE"},
        {"module_aspect_max", "DOUBLE"},
        {"strict_model", "STRING"},
    });
}

TEST(ParameterItemReaders, ReadTheItemAtThePosition) {
    const ParameterList list = Pdf417DataList();
    for (int pos : {0, 3, 6, 8}) {
        int32_t value = -7;
        EXPECT_EQ(ReadInt(list, pos, &value), 0);
        EXPECT_EQ(value, vt::test::IntAt(pos));
    }
    for (int pos : {9, 10}) {
        double value = -7;
        EXPECT_EQ(ReadDouble(list, pos, &value), 0);
        EXPECT_EQ(value, vt::test::DoubleAt(pos));
    }
    for (int pos : {4, 5, 11}) {
        std::string value;
        EXPECT_EQ(ReadStdString(list, pos, value), 0);
        EXPECT_EQ(value, vt::test::StringAt(pos));
        Text256 field;
        EXPECT_EQ(ReadString(list, pos, field), 0);
        EXPECT_EQ(field, vt::test::StringAt(pos));
    }
    int32_t value = 0;
    EXPECT_EQ(ReadIntChecked(list, 7, &value), 0);
    EXPECT_EQ(value, vt::test::IntAt(7));
}

TEST(ParameterItemReaders, RefuseAPositionOutsideTheListOrAnItemOfAnotherType) {
    ParameterList list = Pdf417DataList();
    list.insert(list.begin(), vt::test::Marker(PARAMETER_SECTION_BEGIN, "Section"));
    // Shifted by the marker: 1..4 INT, 5..6 STRING, 10..11 DOUBLE.
    struct Case {
        int pos;
        const char* why;
    };
    for (const Case& c : {Case{-1, "negative"}, Case{13, "one past the end"}, Case{1000, "far past the end"},
                          Case{0, "a section marker"}, Case{5, "a text"}, Case{10, "a double"}}) {
        int32_t value = -7;
        EXPECT_EQ(ReadInt(list, c.pos, &value), -1) << c.why;
        EXPECT_EQ(value, -7) << c.why;
    }
    double d = -7;
    EXPECT_EQ(ReadDouble(list, 1, &d), -1);
    EXPECT_EQ(ReadDouble(list, 13, &d), -1);
    EXPECT_EQ(d, -7);
    std::string s = "kept";
    EXPECT_EQ(ReadStdString(list, 10, s), -1);
    EXPECT_EQ(ReadStdString(list, 0, s), -1);
    EXPECT_EQ(ReadStdString(list, 13, s), -1);
    EXPECT_EQ(s, "kept");
    Text256 field("kept");
    EXPECT_EQ(ReadString(list, 2, field), -1);
    EXPECT_EQ(field, "kept");

    const ParameterList empty;
    int32_t value = -7;
    EXPECT_EQ(ReadInt(empty, 0, &value), -1);
    EXPECT_EQ(ReadIntChecked(empty, 0, &value), 1);
    EXPECT_EQ(ReadIntChecked(list, 13, &value), 1);
    EXPECT_EQ(ReadIntChecked(list, 5, &value), -1);
    EXPECT_EQ(value, -7);
}

TEST(ParameterItemReaders, ATextLongerThanItsFieldIsCutAtACharacterBoundary) {
    ParameterList list = Pdf417DataList();
    list[4].stringValue = std::string(126, 'a') + "\xe2\x82\xac" + std::string(200, 'b');
    FixedText<128> field;
    EXPECT_EQ(ReadString(list, 4, field), 0);
    EXPECT_EQ(field.view(), std::string(126, 'a'));
}

TEST(ParameterItemWriters, AWriteChangesOnlyItsOwnItem) {
    const ParameterList before = Pdf417DataList();
    struct Case {
        const char* what;
        int pos;
        int (*write)(ParameterList&, int);
        ParameterItem expected;
    };
    auto item = [](const char* name, int32_t kind, const char* type, int32_t i, double d, const char* s) {
        return ParameterItem{name, kind, type, i, d, s};
    };
    // Each write keeps the fields it does not name as the get left them.
    const Case cases[] = {
        {"int", 7, [](ParameterList& l, int p) { return WriteInt(l, "module_width_min", p, 33); },
         item("module_width_min", 1, "INT", 33, vt::test::DoubleAt(7), vt::test::StringAt(7).c_str())},
        {"int over a text", 4, [](ParameterList& l, int p) { return WriteInt(l, "polarity", p, 2); },
         item("polarity", 1, "INT", 2, vt::test::DoubleAt(4), vt::test::StringAt(4).c_str())},
        {"double", 10, [](ParameterList& l, int p) { return WriteDouble(l, "module_aspect_max", p, 2.5); },
         item("module_aspect_max", 1, "DOUBLE", vt::test::IntAt(10), 2.5, vt::test::StringAt(10).c_str())},
        {"string", 11, [](ParameterList& l, int p) { return WriteString(l, "strict_model", p, "yes"); },
         item("strict_model", 1, "STRING", vt::test::IntAt(11), vt::test::DoubleAt(11), "yes")},
        {"new name", 0, [](ParameterList& l, int p) { return WriteInt(l, "other", p, 1); },
         item("other", 1, "INT", 1, vt::test::DoubleAt(0), vt::test::StringAt(0).c_str())},
        {"section begin", 2, [](ParameterList& l, int p) { return WriteSectionBegin(l, "Rows", p); },
         item("Rows", 2, "STRING", vt::test::IntAt(2), vt::test::DoubleAt(2), vt::test::StringAt(2).c_str())},
        {"section end", 3, [](ParameterList& l, int p) { return WriteSectionEnd(l, "Rows_EOS", p); },
         item("Rows_EOS", 3, "STRING", vt::test::IntAt(3), vt::test::DoubleAt(3),
              vt::test::StringAt(3).c_str())},
    };
    for (const auto& c : cases) {
        ParameterList list = before;
        EXPECT_EQ(c.write(list, c.pos), 0) << c.what;
        ParameterList expected = before;
        expected[c.pos] = c.expected;
        EXPECT_TRUE(SameItems(list, expected)) << c.what;

        // Past the end, the same write fails and changes nothing.
        list = before;
        EXPECT_EQ(c.write(list, 12), -1) << c.what;
        EXPECT_EQ(c.write(list, -1), -1) << c.what;
        EXPECT_TRUE(SameItems(list, before)) << c.what;

        ParameterList empty;
        EXPECT_EQ(c.write(empty, 0), -1) << c.what;
        EXPECT_TRUE(empty.empty()) << c.what;
    }
}

struct CountedConverter : ConverterSingleton<CountedConverter> {
    static inline int alive = 0;
    CountedConverter() { ++alive; }
    ~CountedConverter() override { --alive; }
};

TEST(ConverterSingleton, OneInstanceUntilDestroyedThenAFreshOne) {
    CountedConverter* first = CountedConverter::GetInstance();
    EXPECT_EQ(CountedConverter::GetInstance(), first);
    EXPECT_EQ(CountedConverter::alive, 1);
    CountedConverter::DestroyInstance();
    EXPECT_EQ(CountedConverter::alive, 0);
    CountedConverter::DestroyInstance();  // twice is harmless
    CountedConverter* second = CountedConverter::GetInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(CountedConverter::alive, 1);
    CountedConverter::DestroyInstance();
}

TEST(ConverterSingleton, DestroyConvertersEndsEveryInstanceAndTheyComeBack) {
    ASSERT_NE(CResults::GetInstance(), nullptr);
    ASSERT_NE(CConfigListInfo::GetInstance(), nullptr);
    DestroyConverters();
    DestroyConverters();  // nothing left to destroy
    ParameterList list;
    ReadResultRecord record;
    EXPECT_EQ(CResults::GetInstance()->Extract(list, record), -1);
}

}  // namespace
