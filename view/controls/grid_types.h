#pragma once
// Small types the grid control shares with its cells, its editor and its
// owners: cell ids, state bits, notification records and codes, the owner
// roles and mouse modes, text formats and the keys the grid acts on.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class CGridCtrl;

struct CCellID {
  int row = -1;
  int col = -1;
  constexpr CCellID() = default;
  constexpr CCellID(int r, int c) : row(r), col(c) {}
  constexpr bool IsValid() const { return row >= 0 && col >= 0; }
  constexpr bool operator==(const CCellID&) const = default;
};

// Bits of a cell's state.
namespace CellStateFlags {
inline constexpr std::uint32_t kFocused = 0x01;
inline constexpr std::uint32_t kSelected = 0x02;
inline constexpr std::uint32_t kReadOnly = 0x08;
inline constexpr std::uint32_t kFixed = 0x10;
inline constexpr std::uint32_t kFixedRow = 0x20;
inline constexpr std::uint32_t kFixedCol = 0x40;
inline constexpr std::uint32_t kHighlighted = 0x80;
}  // namespace CellStateFlags

// Text format bits of a cell (the values the owners have always passed).
namespace CellFormat {
inline constexpr std::uint32_t kLeft = 0x0000;
inline constexpr std::uint32_t kCenter = 0x0001;
inline constexpr std::uint32_t kRight = 0x0002;
inline constexpr std::uint32_t kVCenter = 0x0004;
inline constexpr std::uint32_t kBottom = 0x0008;
inline constexpr std::uint32_t kWordBreak = 0x0010;
inline constexpr std::uint32_t kSingleLine = 0x0020;
inline constexpr std::uint32_t kNoPrefix = 0x0800;
inline constexpr std::uint32_t kEndEllipsis = 0x8000;
// Left, vertically centred, one line, "&" drawn as it stands.
inline constexpr std::uint32_t kDefault = kLeft | kVCenter | kSingleLine | kNoPrefix;
// "Inherit from the default cell" for format and margin.
inline constexpr std::uint32_t kUnset = 0xFFFFFFFFu;
}  // namespace CellFormat

// What a left click selects.
namespace GridMouseMode {
inline constexpr int kNone = 0;
inline constexpr int kAll = 1;
inline constexpr int kColumns = 2;
inline constexpr int kRows = 3;
inline constexpr int kRectangle = 4;
inline constexpr int kClickableRectangle = 5;
inline constexpr int kFilledRows = 6;
inline constexpr int kFilledRowsToo = 8;
}  // namespace GridMouseMode

// The grids whose rules differ from the others; the owner sets its role.
enum class GridOwnerRole { Other, FunctionTest, SavedConnections, ServiceReport };

// Codes of the notifications a grid sends its owner.
namespace GridNotifyCode {
inline constexpr int kClick = -2;
inline constexpr int kDoubleClick = -3;
inline constexpr int kRightClick = -5;
inline constexpr int kItemChanging = -100;
inline constexpr int kBeginLabelEdit = -175;
inline constexpr int kEndLabelEdit = -176;
}  // namespace GridNotifyCode

struct GridNotifyRecord {
  CGridCtrl* from = nullptr;
  int code = 0;
  int row = -1;
  int col = -1;
};

// The owner's answer; only -175 and -176 read it (negative: refuse).
using GridNotifyHandler = std::function<int(const GridNotifyRecord&)>;

// The end of an in-place edit, from the editor to its grid.
struct GridDisplayInfo {
  int code = GridNotifyCode::kEndLabelEdit;
  int id = 0;  // the editor's control id
  int row = -1;
  int col = -1;
  unsigned mask = 5;  // text and param are valid
  unsigned param = 0;  // the key that ended the edit, 0 for none
  QString text;
};

// Texts of columns 0 to 3 of one grid row, as the connection dialogs copy them.
using GridRowRecord = std::array<QString, 4>;

// Scroll request codes, as the bars and the keyboard send them.
namespace ScrollCode {
inline constexpr int kLineUp = 0;
inline constexpr int kLineDown = 1;
inline constexpr int kPageUp = 2;
inline constexpr int kPageDown = 3;
inline constexpr int kThumbPosition = 4;
inline constexpr int kThumbTrack = 5;
inline constexpr int kTop = 6;
inline constexpr int kBottom = 7;
inline constexpr int kEndScroll = 8;
}  // namespace ScrollCode

// Key codes the grid and its editor work with (the values edits have always
// been started and ended with).
namespace GridKey {
inline constexpr unsigned kMouse = 1;
inline constexpr unsigned kBack = 8;
inline constexpr unsigned kTab = 9;
inline constexpr unsigned kReturn = 13;
inline constexpr unsigned kEscape = 27;
inline constexpr unsigned kSpace = 32;
inline constexpr unsigned kPageUp = 33;
inline constexpr unsigned kPageDown = 34;
inline constexpr unsigned kEnd = 35;
inline constexpr unsigned kHome = 36;
inline constexpr unsigned kLeft = 37;
inline constexpr unsigned kUp = 38;
inline constexpr unsigned kRight = 39;
inline constexpr unsigned kDown = 40;
}  // namespace GridKey

// Control id of the in-place editor.
inline constexpr int kInPlaceEditId = 8;

// A rectangle as the grid's geometry counts it: right and bottom lie just
// outside what is filled, so a cell of width w at x spans x .. x + w - 1.
struct GridRect {
  int left = -1;
  int top = -1;
  int right = -1;
  int bottom = -1;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool operator==(const GridRect&) const = default;
};
