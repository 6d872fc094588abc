// What the positions of the result records mean, named once. The records
// keep the sensor's item order; the views read them only through these.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "records/result_records.h"

struct QualityPair;
struct QualitySettings;

// --- General result of one reading (ReadResultRecord, items 0..38) ---
inline int32_t verdict(const ReadResultRecord& r) { return r.ints0[1]; }  // 1 = good reading
inline int32_t codeType(const ReadResultRecord& r) { return r.ints0[2]; }
// Non-zero: the reading is judged per code (verdict text 9807), else 9802.
inline int32_t verdictSelector(const ReadResultRecord& r) { return r.ints0[3]; }
// The configuration label: number, ")" and the stored (encoded) name.
inline std::string_view configLabel(const ReadResultRecord& r) { return r.text4.view(); }
inline int32_t goodCodes(const ReadResultRecord& r) { return r.ints5[1]; }
inline int32_t expectedCodes(const ReadResultRecord& r) { return r.ints5[2]; }
inline std::string_view codeText(const ReadResultRecord& r) { return r.text8.view(); }
inline int32_t decodingTime(const ReadResultRecord& r) { return r.int9; }

struct SearchWindow {
    int32_t left, top, right, bottom;
};
// Items 11..14 stand left, right, top, bottom.
inline SearchWindow searchWindow(const ReadResultRecord& r) {
    return {r.ints11[0], r.ints11[2], r.ints11[1], r.ints11[3]};
}
// Items 15..22: x0, y0 .. x3, y3.
inline std::array<int32_t, 8> codeCorners(const ReadResultRecord& r) {
    std::array<int32_t, 8> c{};
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = r.ints11[4 + i];
    return c;
}
inline int32_t codeVerdict(const ReadResultRecord& r) { return r.ints11[12]; }  // 1 or more = good code
inline int32_t totalDecodingTime(const ReadResultRecord& r) { return r.ints11[13]; }  // multi-image reading
inline int32_t imageCount(const ReadResultRecord& r) { return r.ints11[14]; }
inline int32_t continuationFlag(const ReadResultRecord& r) { return r.ints11[15]; }
inline int32_t readingMode(const ReadResultRecord& r) { return r.ints11[16]; }
inline bool isMultiImage(const ReadResultRecord& r) { return readingMode(r) == 4 || readingMode(r) == 5; }

// --- Detail of one code: every family begins with polarity, mirroring and
// the code's text; then rows and columns ---
template <class Detail>
std::string_view polarity(const Detail& d) { return d.texts0[0].view(); }
template <class Detail>
std::string_view mirroring(const Detail& d) { return d.texts0[1].view(); }
template <class Detail>
int32_t symbolRows(const Detail& d) { return d.ints3[0]; }
template <class Detail>
int32_t symbolColumns(const Detail& d) { return d.ints3[1]; }

// The values of the tooltip's detail lines, each family's positions.
struct CodeDetailValues {
    double size1 = 0, size2 = 0;  // the size line shows size2 x size1
    double angle = 65535.0;       // radians; 65535 = no angle
    double percentage = 0;
    int32_t line9705 = 0, line9706 = 0;
    int32_t line9716 = 0, line9717 = 0, line9718 = 0;
    int32_t line9719 = 0;
    std::string_view text9719;
    int32_t line20028 = 0, line20029 = 0;
};

inline CodeDetailValues detailValues(const Ecc200ResultRecord& d) {
    CodeDetailValues v;
    v.size1 = d.doubles5[0];
    v.size2 = d.doubles5[1];
    v.angle = d.doubles5[2];
    v.percentage = d.ints8[0];
    v.line9705 = d.ints8[1];
    v.line9706 = d.ints8[2];
    return v;
}
inline CodeDetailValues detailValues(const Pdf417ResultRecord& d) {
    CodeDetailValues v;
    v.size1 = d.doubles5[0];
    v.size2 = d.doubles5[1];
    v.percentage = d.ints8[0];
    v.line9705 = d.ints8[1];
    v.line9706 = d.ints8[2];
    v.line9719 = d.ints8[3];
    return v;
}
inline CodeDetailValues detailValues(const QrCodeResultRecord& d) {
    CodeDetailValues v;
    v.line9716 = d.ints3[2];
    v.size1 = d.doubles7[0];
    v.size2 = d.doubles7[1];
    v.percentage = d.ints9[0];
    v.line9705 = d.ints9[1];
    v.line9706 = d.ints9[2];
    v.line9717 = d.ints9[3];
    v.line9718 = d.ints9[4];
    v.text9719 = d.text14.view();
    return v;
}
inline CodeDetailValues detailValues(const AztecResultRecord& d) {
    CodeDetailValues v;
    v.size1 = d.doubles6[0];
    v.size2 = d.doubles6[1];
    v.percentage = d.doubles6[2];
    v.line9705 = d.ints9[0];
    v.line9706 = d.ints9[1];
    v.line20028 = d.ints9[2];
    v.line20029 = d.ints9[3];
    return v;
}

// --- Quality pairs {marker, value} of one code ---
// The families' parameter orders (their quality templates).
enum class QualityLines { Ecc200QrAztec, Pdf417, Barcode, Composite };
// The pair of the i-th parameter in the family's order; {0, -1} (no value)
// past the parameters or without a table.
QualityPair qualityPairAt(const QualitySettings* quality, QualityLines family, std::size_t i);
