#pragma once
// Code types and their flag bytes: which code a configuration reads, and
// through its flag byte which tab, commands, templates and result format go
// with it. The communication library compiles an identical table of its own.
#include <array>
#include <cstdint>

enum CodeType : std::int32_t {
  CODE_TYPE_NONE = 0,
  CODE_TYPE_ECC200 = 1,
  CODE_TYPE_PDF417 = 2,
  CODE_TYPE_QR = 3,
  CODE_TYPE_EAN13 = 4,
  CODE_TYPE_EAN13_ADDON2 = 5,
  CODE_TYPE_EAN13_ADDON5 = 6,
  CODE_TYPE_EAN8 = 7,
  CODE_TYPE_EAN8_ADDON2 = 8,
  CODE_TYPE_EAN8_ADDON5 = 9,
  CODE_TYPE_2OF5_INDUSTRIAL = 10,
  CODE_TYPE_2OF5_INTERLEAVED = 11,
  CODE_TYPE_CODE39 = 12,
  CODE_TYPE_CODE128 = 13,
  CODE_TYPE_PHARMACODE = 14,
  CODE_TYPE_CODABAR = 15,
  CODE_TYPE_CODE93 = 16,
  CODE_TYPE_UPCA = 17,
  CODE_TYPE_UPCA_ADDON2 = 18,
  CODE_TYPE_UPCA_ADDON5 = 19,
  CODE_TYPE_UPCE = 20,
  CODE_TYPE_UPCE_ADDON2 = 21,
  CODE_TYPE_UPCE_ADDON5 = 22,
  CODE_TYPE_GS1_DATABAR_OMNIDIR = 23,
  CODE_TYPE_GS1_DATABAR_TRUNCATED = 24,
  CODE_TYPE_GS1_DATABAR_STACKED = 25,
  CODE_TYPE_GS1_DATABAR_STACKED_OMNIDIR = 26,
  CODE_TYPE_GS1_DATABAR_LIMITED = 27,
  CODE_TYPE_GS1_DATABAR_EXPANDED = 28,
  CODE_TYPE_GS1_DATABAR_EXPANDED_STACKED = 29,
  CODE_TYPE_GS1_128 = 30,
  CODE_TYPE_MSI = 31,
  CODE_TYPE_MICRO_QR = 32,
  CODE_TYPE_AZTEC = 33,
  CODE_TYPE_GS1_DATAMATRIX = 34,
  CODE_TYPE_GS1_QR = 35,
  CODE_TYPE_GS1_AZTEC = 36,
};

inline constexpr int kCodeTypeCount = 37;
// Types from here on exist only with the extended configuration.
inline constexpr int kFirstExtendedCodeType = CODE_TYPE_GS1_128;

enum CodeTypeFlag : std::uint8_t {
  CODE_FLAG_BARCODE = 0x01,
  CODE_FLAG_2D = 0x02,
  CODE_FLAG_COMPOSITE = 0x04,
  CODE_FLAG_AZTEC = 0x08,
  CODE_FLAG_QR = 0x10,
  CODE_FLAG_PDF417 = 0x20,
  CODE_FLAG_ECC200 = 0x40,
  CODE_FLAG_EAN_UPC = 0x80,
};

// The families that share the ECC 200/QR quality parameters and their command.
inline constexpr std::uint8_t kCodeFlagsEcc200QrAztec = CODE_FLAG_ECC200 | CODE_FLAG_QR | CODE_FLAG_AZTEC;

// One flag byte per code type. Index it only through CodeTypeFlagsOf: the
// sensor's result carries a code type that nobody has checked.
inline constexpr std::array<std::uint8_t, kCodeTypeCount> CodeTypeFlags = {
    0x00, 0x42, 0x22, 0x12,                    // none, ECC 200, PDF417, QR Code
    0x81, 0x81, 0x81, 0x81, 0x81, 0x81,        // EAN-13, EAN-8 and their add-ons
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,  // 2/5, Code 39/128, PharmaCode, Codabar, Code 93
    0x81, 0x81, 0x81, 0x81, 0x81, 0x81,        // UPC-A, UPC-E and their add-ons
    0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05,  // GS1 DataBar
    0x01, 0x01, 0x12, 0x0A, 0x42, 0x12, 0x0A,  // GS1-128, MSI, Micro QR, Aztec, GS1 2D
};

// The flag byte of a code type; 0 (no code type) outside 0..36.
constexpr std::uint8_t CodeTypeFlagsOf(int codeType) {
  return codeType >= 0 && codeType < kCodeTypeCount ? CodeTypeFlags[static_cast<std::size_t>(codeType)] : 0;
}

constexpr bool HasCodeFlag(int codeType, std::uint8_t flag) { return (CodeTypeFlagsOf(codeType) & flag) != 0; }

// The code tab of a code type: the first family bit set, tested in the order
// ECC 200, PDF417, QR Code, Aztec Code, bar code; 0 when none (no code tab).
// Every dispatch by family goes through this order.
constexpr std::uint8_t GetCodeFamilyTab(int codeType) {
  const std::uint8_t flags = CodeTypeFlagsOf(codeType);
  for (std::uint8_t family : {CODE_FLAG_ECC200, CODE_FLAG_PDF417, CODE_FLAG_QR, CODE_FLAG_AZTEC, CODE_FLAG_BARCODE})
    if (flags & family) return family;
  return 0;
}

// The sensor commands that read and write a family's code settings, and the
// one that reads its quality parameters; 0 where a type has none.
struct CodeFamilyCommands {
  int getData = 0;
  int setData = 0;
  int getQuality = 0;
};
CodeFamilyCommands GetCodeFamilyCommands(int codeType);

// Language string id of a code type's name: 7162 + type for 0..22,
// 19987 + type for 23..36, -1 for any other value. CMisc::GetCodeTypeStringId
// answers with this.
constexpr int CodeTypeStringId(int codeType) {
  if (codeType >= 0 && codeType <= 22) return 7162 + codeType;
  if (codeType >= 23 && codeType < kCodeTypeCount) return 19987 + codeType;
  return -1;
}
