#include "sim/reading_picture.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <exception>

#include "sim/slot_parameters.h"

namespace vt::sim {

namespace {

constexpr uint8_t kDark = 24;

struct Symbology {
    ZXing::BarcodeFormat format;
    const char* name;
    int moduleSize;
    bool linear;
};

Symbology symbologyFor(int codeType) {
    switch (familyOf(codeType).value_or(CodeFamily::BarCode)) {
        case CodeFamily::Ecc200:
            return {ZXing::BarcodeFormat::DataMatrix, "DataMatrix", 8, false};
        case CodeFamily::Pdf417:
            return {ZXing::BarcodeFormat::PDF417, "PDF417", 3, false};
        case CodeFamily::QrCode:
            return {ZXing::BarcodeFormat::QRCode, "QRCode", 6, false};
        case CodeFamily::Aztec:
            return {ZXing::BarcodeFormat::Aztec, "Aztec", 6, false};
        default:
            return {ZXing::BarcodeFormat::Code128, "Code128", 3, true};
    }
}

// PDF417 draws each codeword row several modules high; neighbouring rows
// always differ (their row indicators do), so rows are runs of equal lines.
int pdf417Rows(const ZXing::BitMatrix& matrix) {
    int rows = matrix.height() > 0 ? 1 : 0;
    for (int y = 1; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (matrix.get(x, y) != matrix.get(x, y - 1)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// Start pattern, left and right row indicators and stop pattern take 69
// modules; each data column 17.
int pdf417Columns(int modulesAcross) { return (modulesAcross - 69) / 17; }

// A light background with a gentle shade, as a lit part on a belt looks.
uint8_t background(int x, int y) { return static_cast<uint8_t>(200 + (x + y) * 40 / (kPictureWidth + kPictureHeight)); }

}  // namespace

std::vector<uint8_t> PlainScene() {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            pixels[static_cast<std::size_t>(y) * kPictureWidth + x] = background(x, y);
    return pixels;
}

PaintedCode PaintCode(int codeType, const std::string& text) {
    PaintedCode painted;
    painted.pixels = PlainScene();
    if (text.empty()) return painted;
    const Symbology symbology = symbologyFor(codeType);
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(symbology.format);
        writer.setMargin(0);
        matrix = writer.encode(text, 0, 0);
    } catch (const std::exception&) {
        return painted;  // the symbology cannot hold this text
    }
    const int modulesAcross = matrix.width();
    const int modulesDown = symbology.linear ? 1 : matrix.height();
    int module = symbology.moduleSize;
    // Keep a quiet zone of a few modules inside the picture.
    while (module > 1 && ((modulesAcross + 8) * module > kPictureWidth || (modulesDown + 8) * module > kPictureHeight))
        --module;
    const int width = modulesAcross * module;
    const int height = symbology.linear ? 120 : modulesDown * module;
    if (width + 8 > kPictureWidth || height + 8 > kPictureHeight) return painted;

    // Centred: the detectors look across the middle rows.
    const int left = (kPictureWidth - width) / 2;
    const int top = (kPictureHeight - height) / 2;
    for (int y = 0; y < height; ++y) {
        const int row = symbology.linear ? 0 : y / module;
        for (int x = 0; x < width; ++x) {
            if (matrix.get(x / module, row))
                painted.pixels[static_cast<std::size_t>(top + y) * kPictureWidth + left + x] = kDark;
        }
    }
    painted.format = symbology.name;
    const bool pdf417 = symbology.format == ZXing::BarcodeFormat::PDF417;
    painted.rows = pdf417 ? pdf417Rows(matrix) : modulesDown;
    painted.columns = pdf417 ? pdf417Columns(modulesAcross) : modulesAcross;
    painted.moduleSize = module;
    painted.left = left;
    painted.top = top;
    painted.right = left + width - 1;
    painted.bottom = top + height - 1;
    painted.corners = {{{left, top}, {painted.right, top}, {painted.right, painted.bottom}, {left, painted.bottom}}};
    return painted;
}

}  // namespace vt::sim
