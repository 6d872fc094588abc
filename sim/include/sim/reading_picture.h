// The simulated camera's picture of one reading: a 640 x 480 grey scene
// with a real code painted into its middle.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vt::sim {

inline constexpr int kPictureWidth = 640;
inline constexpr int kPictureHeight = 480;

struct PaintedCode {
    std::vector<uint8_t> pixels;  // 640 x 480, top row first
    std::string format;           // the symbology's name, e.g. "DataMatrix"
    // The symbol's size as a reader reports it: modules for Data Matrix,
    // QR Code and Aztec Code; codeword rows and data columns for PDF417;
    // bar codes 1 row and the modules across.
    int rows = 0;
    int columns = 0;
    int moduleSize = 0;           // pixels per module
    // Corners of the code, clockwise from its top left: (x, y) pairs.
    std::array<std::array<int, 2>, 4> corners{};
    int left = 0, top = 0, right = 0, bottom = 0;  // bounding box, inclusive
};

// The code painted for a code type goes by its family: Data Matrix, PDF417,
// QR Code or Aztec Code; a bar code (or an unknown type) as Code 128.
// An empty text or one the symbology cannot hold gives a picture without a
// code (format empty).
PaintedCode PaintCode(int codeType, const std::string& text);

// The camera's picture between readings: a plain shaded scene, no code.
std::vector<uint8_t> PlainScene();

}  // namespace vt::sim
