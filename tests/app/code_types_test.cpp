#include "core/code_types.h"

#include <gtest/gtest.h>

#include <bit>

#include "code_type_flags.h"  // the library's copy

namespace {

TEST(CodeTypes, ProgramTableEqualsTheLibrarysCopy) {
  ASSERT_EQ(CodeTypeFlags.size(), dravik::CodeTypeFlags.size());
  for (std::size_t i = 0; i < CodeTypeFlags.size(); ++i) EXPECT_EQ(CodeTypeFlags[i], dravik::CodeTypeFlags[i]) << i;
  EXPECT_EQ(CODE_FLAG_ECC200, dravik::CODE_FLAG_ECC200);
  EXPECT_EQ(CODE_FLAG_PDF417, dravik::CODE_FLAG_PDF417);
  EXPECT_EQ(CODE_FLAG_QR, dravik::CODE_FLAG_QR);
  EXPECT_EQ(CODE_FLAG_AZTEC, dravik::CODE_FLAG_AZTEC);
  EXPECT_EQ(CODE_FLAG_COMPOSITE, dravik::CODE_FLAG_COMPOSITE);
  EXPECT_EQ(CODE_FLAG_2D, dravik::CODE_FLAG_2D);
  EXPECT_EQ(CODE_FLAG_BARCODE, dravik::CODE_FLAG_BARCODE);
  EXPECT_EQ(CODE_FLAG_EAN_UPC, dravik::CODE_FLAG_EAN_UPC);
}

// Every type: flag byte, code tab, data read/write and quality commands, name id.
struct Row {
  int type;
  std::uint8_t flags;
  std::uint8_t tab;
  int getData, setData, getQuality;
  int nameId;
};

constexpr std::uint8_t E = CODE_FLAG_ECC200, P = CODE_FLAG_PDF417, Q = CODE_FLAG_QR, A = CODE_FLAG_AZTEC,
                       B = CODE_FLAG_BARCODE;

const Row kRows[] = {
    {CODE_TYPE_NONE, 0x00, 0, 0, 0, 0, 7162},
    {CODE_TYPE_ECC200, 0x42, E, 10143, 10144, 10153, 7163},
    {CODE_TYPE_PDF417, 0x22, P, 10145, 10146, 10179, 7164},
    {CODE_TYPE_QR, 0x12, Q, 10147, 10148, 10153, 7165},
    {CODE_TYPE_EAN13, 0x81, B, 10150, 10151, 10177, 7166},
    {CODE_TYPE_EAN13_ADDON2, 0x81, B, 10150, 10151, 10177, 7167},
    {CODE_TYPE_EAN13_ADDON5, 0x81, B, 10150, 10151, 10177, 7168},
    {CODE_TYPE_EAN8, 0x81, B, 10150, 10151, 10177, 7169},
    {CODE_TYPE_EAN8_ADDON2, 0x81, B, 10150, 10151, 10177, 7170},
    {CODE_TYPE_EAN8_ADDON5, 0x81, B, 10150, 10151, 10177, 7171},
    {CODE_TYPE_2OF5_INDUSTRIAL, 0x01, B, 10150, 10151, 10177, 7172},
    {CODE_TYPE_2OF5_INTERLEAVED, 0x01, B, 10150, 10151, 10177, 7173},
    {CODE_TYPE_CODE39, 0x01, B, 10150, 10151, 10177, 7174},
    {CODE_TYPE_CODE128, 0x01, B, 10150, 10151, 10177, 7175},
    {CODE_TYPE_PHARMACODE, 0x01, B, 10150, 10151, 10177, 7176},
    {CODE_TYPE_CODABAR, 0x01, B, 10150, 10151, 10177, 7177},
    {CODE_TYPE_CODE93, 0x01, B, 10150, 10151, 10177, 7178},
    {CODE_TYPE_UPCA, 0x81, B, 10150, 10151, 10177, 7179},
    {CODE_TYPE_UPCA_ADDON2, 0x81, B, 10150, 10151, 10177, 7180},
    {CODE_TYPE_UPCA_ADDON5, 0x81, B, 10150, 10151, 10177, 7181},
    {CODE_TYPE_UPCE, 0x81, B, 10150, 10151, 10177, 7182},
    {CODE_TYPE_UPCE_ADDON2, 0x81, B, 10150, 10151, 10177, 7183},
    {CODE_TYPE_UPCE_ADDON5, 0x81, B, 10150, 10151, 10177, 7184},
    {CODE_TYPE_GS1_DATABAR_OMNIDIR, 0x05, B, 10150, 10151, 10177, 20010},
    {CODE_TYPE_GS1_DATABAR_TRUNCATED, 0x05, B, 10150, 10151, 10177, 20011},
    {CODE_TYPE_GS1_DATABAR_STACKED, 0x05, B, 10150, 10151, 10177, 20012},
    {CODE_TYPE_GS1_DATABAR_STACKED_OMNIDIR, 0x05, B, 10150, 10151, 10177, 20013},
    {CODE_TYPE_GS1_DATABAR_LIMITED, 0x05, B, 10150, 10151, 10177, 20014},
    {CODE_TYPE_GS1_DATABAR_EXPANDED, 0x05, B, 10150, 10151, 10177, 20015},
    {CODE_TYPE_GS1_DATABAR_EXPANDED_STACKED, 0x05, B, 10150, 10151, 10177, 20016},
    {CODE_TYPE_GS1_128, 0x01, B, 10150, 10151, 10177, 20017},
    {CODE_TYPE_MSI, 0x01, B, 10150, 10151, 10177, 20018},
    {CODE_TYPE_MICRO_QR, 0x12, Q, 10147, 10148, 10153, 20019},
    {CODE_TYPE_AZTEC, 0x0A, A, 10182, 10181, 10153, 20020},
    {CODE_TYPE_GS1_DATAMATRIX, 0x42, E, 10143, 10144, 10153, 20021},
    {CODE_TYPE_GS1_QR, 0x12, Q, 10147, 10148, 10153, 20022},
    {CODE_TYPE_GS1_AZTEC, 0x0A, A, 10182, 10181, 10153, 20023},
};

TEST(CodeTypes, EveryTypeHasItsFamilyCommandsAndName) {
  ASSERT_EQ(std::size(kRows), static_cast<std::size_t>(kCodeTypeCount));
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(CodeTypeFlagsOf(row.type), row.flags);
    EXPECT_EQ(GetCodeFamilyTab(row.type), row.tab);
    const CodeFamilyCommands commands = GetCodeFamilyCommands(row.type);
    EXPECT_EQ(commands.getData, row.getData);
    EXPECT_EQ(commands.setData, row.setData);
    EXPECT_EQ(commands.getQuality, row.getQuality);
    EXPECT_EQ(CodeTypeStringId(row.type), row.nameId);
  }
}

TEST(CodeTypes, AtMostOneFamilyBitPerType) {
  for (int type = 0; type < kCodeTypeCount; ++type) {
    const int families = std::popcount(static_cast<unsigned>(CodeTypeFlagsOf(type) & 0x79));
    EXPECT_EQ(families, type == 0 ? 0 : 1) << type;
  }
}

// The sensor's result names the code type; a value outside the table must
// read as "no code type" everywhere rather than past its end.
TEST(CodeTypes, TypeOutsideTheTableIsNoneInEveryLookup) {
  for (int type : {-1, -100, 37, 38, 255, 0x7FFFFFFF, static_cast<int>(0x80000000u)}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(CodeTypeFlagsOf(type), 0);
    EXPECT_FALSE(HasCodeFlag(type, CODE_FLAG_2D));
    EXPECT_EQ(GetCodeFamilyTab(type), 0);
    const CodeFamilyCommands commands = GetCodeFamilyCommands(type);
    EXPECT_EQ(commands.getData, 0);
    EXPECT_EQ(commands.getQuality, 0);
    EXPECT_EQ(CodeTypeStringId(type), -1);
  }
}

}  // namespace
