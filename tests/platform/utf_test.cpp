#include <gtest/gtest.h>

#include <string>

#include "platform/utf.h"

namespace {

template <class Text>
struct DecodeCase {
    const char* name;
    Text units;
    bool valid;
    char32_t value;  // when valid
    std::size_t length;
};

template <class Text>
void expectDecoded(const DecodeCase<Text>& c, const vt::DecodedCodePoint& d,
                   void (*append)(Text&, char32_t)) {
    EXPECT_EQ(d.valid, c.valid);
    EXPECT_EQ(d.length, c.length);
    if (c.valid) {
        EXPECT_EQ(d.value, c.value);
        Text again;
        append(again, d.value);
        EXPECT_EQ(again, c.units.substr(0, c.length)) << "encoding gives back the input";
    }
}

using Utf8Case = DecodeCase<std::string>;
using Utf16Case = DecodeCase<std::u16string>;

class Utf8Decode : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Decode, TakesAWholeSequenceOrOnlyItsLongestValidPrefix) {
    const Utf8Case& c = GetParam();
    expectDecoded(c, vt::decodeUtf8(c.units, 0), vt::appendUtf8);
    EXPECT_EQ(vt::isValidUtf8(c.units), c.valid && c.length == c.units.size());
}

INSTANTIATE_TEST_SUITE_P(Sequences, Utf8Decode,
                         ::testing::Values(Utf8Case{"Ascii", "A", true, U'A', 1},
                                           Utf8Case{"Nul", std::string(1, '\0'), true, 0, 1},
                                           Utf8Case{"TwoBytes", "\xC3\xA9", true, 0xE9, 2},
                                           Utf8Case{"ThreeBytes", "\xE2\x82\xAC", true, 0x20AC, 3},
                                           Utf8Case{"LastBeforeSurrogates", "\xED\x9F\xBF", true, 0xD7FF, 3},
                                           Utf8Case{"FirstAfterSurrogates", "\xEE\x80\x80", true, 0xE000, 3},
                                           Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", true, 0x1F600, 4},
                                           Utf8Case{"FirstFourByte", "\xF0\x90\x80\x80", true, 0x10000, 4},
                                           Utf8Case{"Highest", "\xF4\x8F\xBF\xBF", true, 0x10FFFF, 4},
                                           Utf8Case{"FollowedByAStrayByte", "\xC3\xA9\x80", true, 0xE9, 2},
                                           Utf8Case{"OverlongTwo", "\xC0\xAF", false, 0, 1},
                                           Utf8Case{"OverlongTwoHighest", "\xC1\xBF", false, 0, 1},
                                           Utf8Case{"OverlongThree", "\xE0\x9F\xBF", false, 0, 1},
                                           Utf8Case{"OverlongFour", "\xF0\x8F\xBF\xBF", false, 0, 1},
                                           Utf8Case{"HighSurrogate", "\xED\xA0\x80", false, 0, 1},
                                           Utf8Case{"LowSurrogate", "\xED\xBF\xBF", false, 0, 1},
                                           Utf8Case{"AboveRange", "\xF4\x90\x80\x80", false, 0, 1},
                                           Utf8Case{"LeadAboveF4", "\xF5\x80\x80\x80", false, 0, 1},
                                           Utf8Case{"ByteFF", "\xFF", false, 0, 1},
                                           Utf8Case{"LoneContinuation", "\x80", false, 0, 1},
                                           Utf8Case{"TruncatedTwo", "\xC3", false, 0, 1},
                                           Utf8Case{"TruncatedThree", "\xE2\x82", false, 0, 2},
                                           Utf8Case{"TruncatedFour", "\xF0\x9F\x98", false, 0, 3},
                                           Utf8Case{"CutByAscii", "\xF0\x9F\x98z", false, 0, 3},
                                           Utf8Case{"BadSecondByte", "\xE2\x28\xA1", false, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Decode, StopsAtTheEndOfTheViewNotOfTheBuffer) {
    const std::string whole = "\xF0\x9F\x98\x80";
    for (std::size_t n = 1; n < whole.size(); ++n) {
        const vt::DecodedCodePoint d = vt::decodeUtf8(std::string_view(whole.data(), n), 0);
        EXPECT_FALSE(d.valid) << n;
        EXPECT_EQ(d.length, n);
    }
}

TEST(Utf8Decode, DecodesAtAnOffset) {
    const std::string text = "a\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(vt::decodeUtf8(text, 1).value, 0x20AC);
    EXPECT_EQ(vt::decodeUtf8(text, 4).value, 0x1F600);
    EXPECT_TRUE(vt::isValidUtf8(text));
    EXPECT_FALSE(vt::isValidUtf8(text.substr(0, text.size() - 1))) << "a text cut inside its last sequence";
    EXPECT_TRUE(vt::isValidUtf8(""));
}

class Utf16Decode : public ::testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16Decode, PairsSurrogatesAndRejectsLoneOnes) {
    const Utf16Case& c = GetParam();
    expectDecoded(c, vt::decodeUtf16(c.units, 0), vt::appendUtf16);
}

INSTANTIATE_TEST_SUITE_P(
    Units, Utf16Decode,
    ::testing::Values(
        Utf16Case{"Ascii", u"a", true, U'a', 1},
        Utf16Case{"LastOfBasicPlane", std::u16string{char16_t(0xFFFF)}, true, 0xFFFF, 1},
        Utf16Case{"Pair", std::u16string{char16_t(0xD83D), char16_t(0xDE00)}, true, 0x1F600, 2},
        Utf16Case{"FirstPair", std::u16string{char16_t(0xD800), char16_t(0xDC00)}, true, 0x10000, 2},
        Utf16Case{"LastPair", std::u16string{char16_t(0xDBFF), char16_t(0xDFFF)}, true, 0x10FFFF, 2},
        Utf16Case{"HighAtEnd", std::u16string{char16_t(0xD800)}, false, 0, 1},
        Utf16Case{"HighThenOther", std::u16string{char16_t(0xDBFF), u'a'}, false, 0, 1},
        Utf16Case{"HighThenHigh", std::u16string{char16_t(0xD800), char16_t(0xD800)}, false, 0, 1},
        Utf16Case{"LoneLow", std::u16string{char16_t(0xDC00)}, false, 0, 1},
        Utf16Case{"LowThenHigh", std::u16string{char16_t(0xDFFF), char16_t(0xD800)}, false, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
