// The error-code table: severity by range, origin, headings, silent codes
// and the three message forms.
#include <gtest/gtest.h>

#include <map>

#include "core/error_codes.h"

using namespace ErrorCodes;

TEST(ErrorCodesTest, SeverityOriginAndHeadingByRange) {
  const struct {
    int code;
    Severity severity;
    Origin origin;
    int heading;
    int note;
  } rows[] = {
      {-1, Severity::Error, Origin::Library, 40528, 40526},
      {-99, Severity::Error, Origin::Library, 40528, 40526},
      {-100, Severity::Error, Origin::Sensor, 40529, 40526},
      {-3999, Severity::Error, Origin::Sensor, 40529, 40526},
      {-4000, Severity::Warning, Origin::Sensor, 40532, 0},
      {-6999, Severity::Warning, Origin::Sensor, 40532, 0},
      {-7000, Severity::Information, Origin::Sensor, 0, 0},
      {-9999, Severity::Information, Origin::Sensor, 0, 0},
      {-10000, Severity::ConnectionError, Origin::Program, 40523, 40522},
      {-10999, Severity::ConnectionError, Origin::Program, 40523, 40522},
      {-11000, Severity::Error, Origin::Program, 40527, 40526},
      {-13999, Severity::Error, Origin::Program, 40527, 40526},
      {-14000, Severity::Warning, Origin::Program, 40530, 0},
      {-18999, Severity::Warning, Origin::Program, 40530, 0},
      {-19000, Severity::Information, Origin::Program, 0, 0},
      {-2147483647 - 1, Severity::Information, Origin::Program, 0, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(SeverityOf(r.code), r.severity) << r.code;
    EXPECT_EQ(OriginOf(r.code), r.origin) << r.code;
    EXPECT_EQ(HeadingId(r.severity, r.origin), r.heading) << r.code;
    EXPECT_EQ(TrailingNoteId(r.severity), r.note) << r.code;
  }
  // Library warnings and errors of the library range take their own headings.
  EXPECT_EQ(HeadingId(Severity::Warning, Origin::Library), 40531);
  EXPECT_EQ(HeadingId(Severity::ConnectionError, Origin::Sensor), 40525);
  EXPECT_EQ(HeadingId(Severity::ConnectionError, Origin::Library), 40524);
}

TEST(ErrorCodesTest, SilentCodesTextIdsAndTheConnectCode) {
  for (int code : {0, 1, 5, 12, 99, -800, -10054}) EXPECT_TRUE(IsSilent(code)) << code;
  for (int code : {11, -1, -38, -801, -10053, -19032}) EXPECT_FALSE(IsSilent(code)) << code;
  EXPECT_EQ(Normalise(-38), -19032);
  EXPECT_EQ(Normalise(-39), -39);
  EXPECT_EQ(TextId(-19032), 46504);
  EXPECT_EQ(TextId(-1), 65535);
  EXPECT_EQ(TextId(-65536), 0);
  EXPECT_TRUE(IsLocalFileError(-11033));
  EXPECT_FALSE(IsLocalFileError(-11034));
}

TEST(ErrorCodesTest, MessageFormsWithAndWithoutOwnText) {
  const std::map<int, std::string> strings = {
      {40536, "No text"},  {40530, "Program warning"}, {40527, "Program error"}, {40526, "Disconnecting."},
      {40523, "Connection error"}, {40522, "Connection reset."}, {TextId(-11033), "Cannot open the file"},
      {TextId(-14021), "Cannot save"}, {TextId(-10080), "Connection lost"}, {TextId(-19015), "Note"},
  };
  auto text = [&](int id) {
    const auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
  };
  const struct {
    int code;
    std::optional<std::string> message;
  } rows[] = {
      {-19015, "Note"},
      {-19016, std::nullopt},  // information without a text shows nothing
      {-14021, "Cannot save"},
      {-14022, "Program warning [-14022] - No text"},
      {-11033, "Program error [-11033] - Cannot open the file"},  // a local file: nothing follows
      {-11034, "Program error [-11034] - No text\nDisconnecting."},
      {-10080, "Connection error [-10080] - Connection lost\nConnection reset."},
  };
  for (const auto& r : rows) EXPECT_EQ(BuildMessage(r.code, text), r.message) << r.code;
}
