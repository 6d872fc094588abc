#pragma once
// The EtherNet/IP segment list without its grid: the stored text form, the
// row checks, the assembly size and the bounds of the two counts.
#include <string>
#include <vector>

inline constexpr int kMaxAssemblyBytes = 450;

struct SegmentRow {
  std::u16string offset;
  std::u16string length;
};

// Clamped to 0..450: the count comes from the sensor and sizes the grid.
int ClampSegmentCount(int count);

// "o1#l1#o2#l2..." into count rows (trailing blanks dropped). With exactly
// 2*count-1 separators a missing field reads "0"; otherwise it stays empty.
std::vector<SegmentRow> ParseSegments(const std::u16string& text, int count);
std::u16string JoinSegments(const std::vector<SegmentRow>& rows);

// Digits only, not empty; -1 otherwise.
int FieldValue(const std::u16string& text);

// The sum of the lengths (unreadable ones count 0) plus one byte per control byte.
int AssemblySize(const std::vector<SegmentRow>& rows, int controlBytes);

// The checks of one edited row, in order: 0, or the message id 9940 (offset),
// 9941 (length), 9942 (offset + length), 9943 (assembly size).
int CheckSegmentRow(const std::vector<SegmentRow>& rows, int row, int controlBytes);

// Before Add (the row count) and Del (the count less 2): 0 or 9944.
int CheckSegmentCount(int value);
// The consuming assembly length: 0 or 9945.
int CheckAssemblyLength(const std::u16string& text);
