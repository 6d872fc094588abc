// The library's own copy of the code-type flag table: one flag byte per code
// type, with the same values as the program's. Which data method, data
// template and quality template a code type uses follows from its bits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "record_template.h"

namespace dravik {

enum CodeTypeFlag : uint8_t {
    CODE_FLAG_BARCODE = 0x01,
    CODE_FLAG_2D = 0x02,
    CODE_FLAG_COMPOSITE = 0x04,
    CODE_FLAG_AZTEC = 0x08,
    CODE_FLAG_QR = 0x10,
    CODE_FLAG_PDF417 = 0x20,
    CODE_FLAG_ECC200 = 0x40,
    CODE_FLAG_EAN_UPC = 0x80,
};

inline constexpr std::array<uint8_t, 37> CodeTypeFlags = {
    0x00, 0x42, 0x22, 0x12,                    // none, ECC 200, PDF417, QR Code
    0x81, 0x81, 0x81, 0x81, 0x81, 0x81,        // EAN-13, EAN-8 and their add-ons
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,  // 2/5, Code 39/128, PharmaCode, Codabar, Code 93
    0x81, 0x81, 0x81, 0x81, 0x81, 0x81,        // UPC-A, UPC-E and their add-ons
    0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05,  // GS1 DataBar
    0x01, 0x01, 0x12, 0x0A, 0x42, 0x12, 0x0A,  // GS1-128, MSI, Micro QR, Aztec, GS1 2D
};

// The flag byte of a code type; 0 (no family) for a value outside the table,
// which the sensor may send but must never index past it.
constexpr uint8_t codeTypeFlags(int codeType) {
    return codeType >= 0 && codeType < static_cast<int>(CodeTypeFlags.size())
               ? CodeTypeFlags[static_cast<std::size_t>(codeType)]
               : 0;
}

// The data method and template of a code type's family: the first family
// bit that is set wins, in this order. None for a type without a family.
struct CodeDataRoute {
    const char* method;
    int templateId;
};
constexpr std::optional<CodeDataRoute> codeDataRoute(int codeType) {
    const uint8_t flags = codeTypeFlags(codeType);
    if (flags & CODE_FLAG_AZTEC) return CodeDataRoute{"xmlGetAztecCodeData", TEMPLATE_AZTEC_DATA};
    if (flags & CODE_FLAG_QR) return CodeDataRoute{"xmlGetQRCodeData", TEMPLATE_QR_DATA};
    if (flags & CODE_FLAG_PDF417) return CodeDataRoute{"xmlGetPDF417Data", TEMPLATE_PDF417_DATA};
    if (flags & CODE_FLAG_ECC200) return CodeDataRoute{"xmlGetECC200Data", TEMPLATE_ECC200_DATA};
    if (flags & CODE_FLAG_BARCODE) return CodeDataRoute{"xmlGetBarcodeData", TEMPLATE_BARCODE_DATA};
    return std::nullopt;
}

// The quality template of a code type; a composite component comes first,
// since the GS1 DataBar types are bar codes as well. None without a family.
constexpr std::optional<int> qualityTemplateFor(int codeType) {
    const uint8_t flags = codeTypeFlags(codeType);
    if (flags & CODE_FLAG_COMPOSITE) return TEMPLATE_COMPOSITE_QUALITY;
    if (flags & (CODE_FLAG_AZTEC | CODE_FLAG_QR)) return TEMPLATE_QUALITY_ECC200_QR_AZTEC;
    if (flags & CODE_FLAG_PDF417) return TEMPLATE_PDF417_QUALITY;
    if (flags & CODE_FLAG_ECC200) return TEMPLATE_QUALITY_ECC200_QR_AZTEC;
    if (flags & CODE_FLAG_BARCODE) return TEMPLATE_BARCODE_QUALITY;
    return std::nullopt;
}

}  // namespace dravik
