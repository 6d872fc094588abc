#include <gtest/gtest.h>

#include <array>
#include <string>

#include "text/config_name_codec.h"

namespace {

struct NameCase {
    std::u16string name;
    std::string encoded;
    int utf8Length;
};

class ConfigNameCodec : public ::testing::TestWithParam<NameCase> {};

TEST_P(ConfigNameCodec, EncodesAndDecodesTheFramedForm) {
    const auto& c = GetParam();
    std::string encoded;
    EXPECT_EQ(EncodeConfigName(encoded, c.name), static_cast<int>(c.encoded.size()));
    EXPECT_EQ(encoded, c.encoded);

    std::u16string decoded = u"stale";
    const int length = DecodeConfigName(decoded, c.encoded);
    EXPECT_EQ(decoded, c.name);
    EXPECT_EQ(length, c.utf8Length);
}

// The framed bytes 0x02 ... 0x03 in the alphabet A-Z a-z 0-9 + # with the fill "_".
INSTANTIATE_TEST_SUITE_P(Names, ConfigNameCodec,
                         ::testing::Values(NameCase{u"", "AgM_", 0}, NameCase{u"abc", "AmFiYwM_", 3},
                                           NameCase{u"ab", "AmFiAw__", 2}, NameCase{u"abcd", "AmFiY2QD", 4},
                                           // 0x02 c3 bf c3 be 0x03: the value 63 is "#"
                                           NameCase{u"\u00ff\u00fe", "AsO#w74D", 4},
                                           NameCase{u"Linie 3 / Pr\u00fcfung", "AkxpbmllIDMgLyBQcsO8ZnVuZwM_",
                                                    18}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ConfigNameCodec, NonLatinNamesSurviveEncoding) {
    for (const std::u16string name :
         {u"\u65e5\u672c\u8a9e\u306e\u8a2d\u5b9a", u"\u0421\u0435\u043d\u0441\u043e\u0440 1",
          u"\U0001F600 smile", u"tab\tand\nline"}) {
        std::string encoded;
        EncodeConfigName(encoded, name);
        EXPECT_EQ(
            encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+#_"),
            std::string::npos);
        std::u16string decoded;
        DecodeConfigName(decoded, encoded);
        EXPECT_EQ(decoded, name);
    }
}

TEST(ConfigNameCodec, BlanksAndLineBreaksInsideAnEncodedNameAreSkipped) {
    std::u16string decoded;
    EXPECT_EQ(DecodeConfigName(decoded, " Am Fi\r\nYw\tM_ "), 3);
    EXPECT_EQ(decoded, u"abc");
    EXPECT_EQ(DecodeConfigName(decoded, "A g M _"), 0);
    EXPECT_EQ(decoded, u"");
}

TEST(ConfigNameCodec, APlainNameComesBackUnchanged) {
    struct Case {
        std::string stored;
        std::u16string name;
    };
    // Each of these decodes to bytes that are not framed by 0x02 and 0x03.
    const Case cases[] = {
        {"Test", u"Test"},
        {"Config 1", u"Config 1"},
        {"AmFiYwM", u"AmFiYwM"},  // the frame's end is missing
        {"AmFi", u"AmFi"},
        {"ab", u"ab"},
        {"", u""},
        {"Gruppe \xc3\xbc", u"Gruppe \u00fc"},
    };
    for (const auto& c : cases) {
        std::u16string decoded;
        EXPECT_EQ(DecodeConfigName(decoded, c.stored), static_cast<int>(c.stored.size())) << c.stored;
        EXPECT_EQ(decoded, c.name) << c.stored;
    }
}

TEST(ConfigNameCodec, AFramedTextThatIsNotUtf8IsAnError) {
    const std::string encoded = EncodeBase64Variant(std::string("\x02\xff\xfe\x03", 4));
    std::u16string decoded = u"stale";
    EXPECT_EQ(DecodeConfigName(decoded, encoded), -1);
    EXPECT_EQ(decoded, u"");

    std::array<char16_t, 16> buffer;
    buffer.fill(u'X');
    EXPECT_EQ(DecodeConfigName(buffer.data(), buffer.size(), encoded), -1);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST(Base64Variant, EveryByteValueSurvives) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    // Each length modulo three ends in its own way.
    for (std::size_t cut : {256u, 255u, 254u, 1u, 0u}) {
        const std::string bytes = all.substr(0, cut);
        const std::string encoded = EncodeBase64Variant(bytes);
        EXPECT_EQ(encoded.size(), (cut + 2) / 3 * 4);
        EXPECT_EQ(DecodeBase64Variant(encoded), bytes) << cut << " bytes";
    }
    std::string high;
    for (int b = 255; b >= 0; --b) high += static_cast<char>(b);
    EXPECT_EQ(DecodeBase64Variant(EncodeBase64Variant(high)), high);
}

TEST(Base64Variant, KnownEncodings) {
    // Standard base64 of the same bytes with "/" as "#" and "=" as "_".
    EXPECT_EQ(EncodeBase64Variant(std::string("\xfb\xff\xfe", 3)), "+##+");
    EXPECT_EQ(EncodeBase64Variant(std::string("\x00\x00\x00", 3)), "AAAA");
    EXPECT_EQ(EncodeBase64Variant("M"), "TQ__");
    EXPECT_EQ(EncodeBase64Variant("Ma"), "TWE_");
    EXPECT_EQ(EncodeBase64Variant(""), "");
}

TEST(Base64Variant, TheFillEndsDecoding) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"QUJD", "ABC"},
        {"QUI_", "AB"},
        {"QQ__", "A"},
        {"QQ_", "A"},
        {"QUJDRA__QUJD", "ABCD"},  // nothing after the fill is taken
        {"QUJD_QUJD", "ABC"},      // fill first in a group: nothing more
        {"QUJDQ_UJD", "ABC"},      // fill second in a group: nothing more
        {"QUJDRE", "ABC"},         // an incomplete group gives nothing
        {"Q!U@J$D", "ABC"},        // strays are skipped wherever they stand
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeBase64Variant(c.text), c.bytes) << c.text;
}

TEST(ConfigNameBuffers, RefuseWhatDoesNotFit) {
    std::array<char, 10> narrow;
    narrow.fill('X');
    EXPECT_EQ(EncodeConfigName(narrow.data(), 9, u"abc"), 8);
    EXPECT_EQ(std::string(narrow.data()), "AmFiYwM_");
    EXPECT_EQ(narrow[9], 'X');
    narrow.fill('X');
    EXPECT_EQ(EncodeConfigName(narrow.data(), 8, u"abc"), -1);
    EXPECT_EQ(narrow[0], '\0');
    EXPECT_EQ(narrow[1], 'X');

    // A name far longer than any work buffer the sensor tool ever had.
    const std::u16string longName(5000, u'\u00e9');
    std::string encoded;
    EXPECT_EQ(EncodeConfigName(encoded, longName), static_cast<int>((10000 + 2 + 2) / 3 * 4));
    std::u16string decoded;
    EXPECT_EQ(DecodeConfigName(decoded, encoded), 10000);
    EXPECT_EQ(decoded, longName);

    std::array<char16_t, 4> wide;
    wide.fill(u'X');
    EXPECT_EQ(DecodeConfigName(wide.data(), 4, "AmFiYwM_"), 3);
    EXPECT_EQ(std::u16string(wide.data()), u"abc");
    EXPECT_EQ(DecodeConfigName(wide.data(), 3, "AmFiYwM_"), -1);
    EXPECT_EQ(wide[0], u'\0');
}

}  // namespace
