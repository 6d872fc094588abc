#include <gtest/gtest.h>

#include <array>
#include <string>

#include "text/fixed_text.h"
#include "text/text_codecs.h"

namespace {

struct ConversionCase {
    const char* what;
    std::u16string utf16;
    std::string utf8;
};

class Utf16Utf8 : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Utf16Utf8, ConvertsBothWays) {
    const auto& c = GetParam();
    std::string utf8;
    Utf16ToUtf8String(utf8, c.utf16);
    EXPECT_EQ(utf8, c.utf8);
    std::u16string utf16;
    Utf8ToUtf16String(utf16, c.utf8);
    EXPECT_EQ(utf16, c.utf16);
    EXPECT_EQ(CompareUtf8WithWide(c.utf8, c.utf16), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf16Utf8,
    ::testing::Values(ConversionCase{"empty", u"", ""}, ConversionCase{"ascii", u"Config 07", "Config 07"},
                      ConversionCase{"latin1", u"Pr\u00fcfung",
                                     "Pr\xc3\xbc"
                                     "fung"},
                      ConversionCase{"euro", u"\u20ac", "\xe2\x82\xac"},
                      ConversionCase{"cjk", u"\u65e5\u672c", "\xe6\x97\xa5\xe6\x9c\xac"},
                      ConversionCase{"beyond the BMP", u"\U0001F600", "\xf0\x9f\x98\x80"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(Utf8ToUtf16, MalformedBytesBecomeReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xc3", u"a\ufffd"},                              // cut sequence at the end
        {"\xe0\x80\x80", u"\ufffd\ufffd\ufffd"},            // overlong form
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},            // encoded surrogate
        {"\xf0\x9f\x98z", u"\ufffdz"},                      // cut four-byte sequence, then ASCII
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},  // above U+10FFFF
        {"\xff\xfe", u"\ufffd\ufffd"},
    };
    for (const auto& c : cases) {
        std::u16string out;
        Utf8ToUtf16String(out, c.utf8);
        EXPECT_EQ(out, c.expected) << "input of " << c.utf8.size() << " bytes";
        EXPECT_FALSE(IsValidUtf8(c.utf8));
    }
}

TEST(Utf16ToUtf8, LoneSurrogatesBecomeReplacementCharacters) {
    std::string out;
    Utf16ToUtf8String(out, std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)});
    EXPECT_EQ(out,
              "a\xef\xbf\xbd"
              "b\xef\xbf\xbd");
}

TEST(TextBuffers, WriteTheTextAndItsNulOnlyWhenBothFit) {
    std::array<char, 8> narrow;
    narrow.fill('X');
    EXPECT_EQ(Utf16ToUtf8(narrow.data(), 5, u"\u20acx"), 4);
    EXPECT_EQ(std::string(narrow.data()), "\xe2\x82\xacx");
    EXPECT_EQ(narrow[5], 'X');

    narrow.fill('X');
    EXPECT_EQ(Utf16ToUtf8(narrow.data(), 4, u"\u20acx"), -1);
    EXPECT_EQ(narrow[0], '\0');
    EXPECT_EQ(narrow[1], 'X');
    EXPECT_EQ(Utf16ToUtf8(nullptr, 4, u"a"), -1);
    EXPECT_EQ(Utf16ToUtf8(narrow.data(), 0, u""), -1);

    std::array<char16_t, 4> wide;
    wide.fill(u'X');
    EXPECT_EQ(Utf8ToUtf16(wide.data(), 3, "\xf0\x9f\x98\x80"), 2);  // one code point, two units
    EXPECT_EQ(std::u16string(wide.data()), u"\U0001F600");
    EXPECT_EQ(wide[3], u'X');
    EXPECT_EQ(Utf8ToUtf16(wide.data(), 2, "\xf0\x9f\x98\x80"), -1);
    EXPECT_EQ(wide[0], u'\0');
}

TEST(CompareUtf8WithWide, ComparesBytesAsUnsignedValues) {
    EXPECT_EQ(CompareUtf8WithWide("a", u"b"), -1);
    EXPECT_EQ(CompareUtf8WithWide("b", u"a"), 1);
    EXPECT_EQ(CompareUtf8WithWide("ab", u"abc"), -1);
    EXPECT_EQ(CompareUtf8WithWide("", u""), 0);
    // 0xC3 is above 'z' only when bytes count as unsigned.
    EXPECT_EQ(CompareUtf8WithWide("\xc3\xbc", u"z"), 1);
    EXPECT_EQ(CompareUtf8WithWide("z", u"\u00fc"), -1);
}

TEST(FixedText, CutsALongTextAtAUtf8Boundary) {
    struct Case {
        std::string text;
        std::string kept;
    };
    // Four bytes of room before the NUL.
    const Case cases[] = {
        {"abcd", "abcd"},
        {"abcde", "abcd"},
        {"abc\xc3\xbc", "abc"},              // two-byte sequence cut after its first byte
        {"a\xe2\x82\xac", "a\xe2\x82\xac"},  // fits exactly
        {"ab\xe2\x82\xac", "ab"},
        {"\xf0\x9f\x98\x80!", "\xf0\x9f\x98\x80"},
        {"", ""},
    };
    for (const auto& c : cases) {
        FixedText<5> field("zzzz");
        EXPECT_EQ(field.Assign(c.text), c.kept == c.text);
        EXPECT_EQ(field.view(), c.kept);
        EXPECT_TRUE(IsValidUtf8(field.view()));
    }
}

TEST(FixedText, ADamagedTextIsStillBounded) {
    FixedText<5> field;
    field.Assign(std::string(10, '\x80'));  // continuation bytes only
    EXPECT_EQ(field.view().size(), 4u);
}

}  // namespace
