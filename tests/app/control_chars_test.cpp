// Escapes and checks of typed texts, and the sensor address from its octets.
#include <gtest/gtest.h>

#include "core/control_chars.h"
#include "core/join_address.h"
#include "core/text_escape.h"
#include "text/config_name_codec.h"

TEST(ControlCharsTest, EscapesControlCharactersAndTheTilde) {
  const struct {
    std::u16string in, out;
  } rows[] = {
      {u"AB\r", u"AB\\x0D"},           // a carriage return at the end
      {u"a~b", u"a\\x7Eb"},            // the tilde too
      {u"{x}", u"{x}"},                // the closing brace is not
      {u"\t", u"\\x09"},
      {u"\x1f", u"\\x1F"},
      {u"\x10", u"\\x10"},
      {std::u16string(1, u'\0'), u"\\x00"},
      {u"\x7f\u00e9\u20ac", u"\x7f\u00e9\u20ac"},  // 127 and above are copied
      {u"", u""},
  };
  for (const auto& r : rows) EXPECT_EQ(EscapeControlChars(r.in), r.out);
}

TEST(ControlCharsTest, NonAsciiAndControlChecks) {
  EXPECT_FALSE(HasNonAsciiChars(u"abc\x1f"));  // 31 passes
  EXPECT_TRUE(HasNonAsciiChars(u"abc\x7f"));   // 127 does not
  EXPECT_TRUE(HasNonAsciiChars(u"\x1e"));
  EXPECT_TRUE(HasNonAsciiChars(u"\u00e9"));
  EXPECT_FALSE(HasNonAsciiChars(u" ~"));
  EXPECT_FALSE(HasNonAsciiChars(u""));

  EXPECT_TRUE(HasControlChars(u"a\x1f"));
  EXPECT_TRUE(HasControlChars(u"a\x7f"));
  EXPECT_TRUE(HasControlChars(u"\u0085"));
  EXPECT_FALSE(HasControlChars(u"a~ \u00e9"));
}

TEST(JoinAddressTest, OctetsInPlainDecimal) {
  EXPECT_EQ(JoinAddress({u"192", u"168", u"0", u"10"}), u"192.168.0.10");
  // The leading zeros go, all of them: "009" must not read as octal later.
  EXPECT_EQ(JoinAddress({u"010", u"009", u"000", u"00"}), u"10.9.0.0");
  EXPECT_EQ(JoinAddress({u"127", u"0", u"0", u"1"}), u"127.0.0.1");
  // Empty and non-numeric texts stay for the address check to refuse.
  EXPECT_EQ(JoinAddress({u"", u"1", u"0x1", u"1a"}), u".1.0x1.1a");
}

// UnescapeText and DecodeSensorText live with the command engine's text
// helpers; these are the cases the state controller relies on.
TEST(ControlCharsTest, UnescapeStopsAtAnIncompleteEscape) {
  EXPECT_EQ(UnescapeText(u"A=41B=4"), u"AAB");
  EXPECT_EQ(UnescapeText(u"x=7Ey"), u"x~y");
  EXPECT_EQ(UnescapeText(u"ab="), u"ab");
  EXPECT_EQ(UnescapeText(u"ab=G1cd"), u"ab");
  EXPECT_EQ(UnescapeText(u"=0d=0a"), u"\r\n");
}

TEST(ControlCharsTest, SensorTextsDecodedOrUnescaped) {
  std::string framed;
  ASSERT_GT(EncodeConfigName(framed, u"Line \u00e9 1"), 0);
  bool encoded = false;
  EXPECT_EQ(DecodeSensorText(framed, &encoded), u"Line \u00e9 1");
  EXPECT_TRUE(encoded);
  EXPECT_EQ(DecodeSensorText("Plain=20text", &encoded), u"Plain text");
  EXPECT_FALSE(encoded);
}
