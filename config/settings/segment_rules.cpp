#include "settings/segment_rules.h"

#include <algorithm>

int ClampSegmentCount(int count) { return std::clamp(count, 0, kMaxAssemblyBytes); }

std::vector<SegmentRow> ParseSegments(const std::u16string& stored, int count) {
  std::u16string text = stored;
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.pop_back();
  count = ClampSegmentCount(count);
  std::vector<std::u16string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t hash = text.find(u'#', start);
    fields.push_back(text.substr(start, hash == std::u16string::npos ? std::u16string::npos : hash - start));
    if (hash == std::u16string::npos) break;
    start = hash + 1;
  }
  const bool whole = static_cast<int>(fields.size()) == 2 * count;
  std::vector<SegmentRow> rows(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < 2; ++k) {
      const std::size_t at = static_cast<std::size_t>(2 * i + k);
      std::u16string value = at < fields.size() ? fields[at] : std::u16string();
      if (value.empty() && whole) value = u"0";
      (k == 0 ? rows[i].offset : rows[i].length) = value;
    }
  }
  return rows;
}

std::u16string JoinSegments(const std::vector<SegmentRow>& rows) {
  std::vector<std::u16string_view> fields;
  for (const SegmentRow& r : rows)
    for (const std::u16string* f : {&r.offset, &r.length})
      fields.push_back(f->empty() ? std::u16string_view(u"0") : std::u16string_view(*f));
  std::size_t size = fields.size();
  for (auto f : fields) size += f.size();
  std::u16string out;
  out.reserve(size);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out.push_back(u'#');
    out.append(fields[i].begin(), fields[i].end());
  }
  return out;
}

int FieldValue(const std::u16string& text) {
  if (text.empty() || text.size() > 6) return -1;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

int AssemblySize(const std::vector<SegmentRow>& rows, int controlBytes) {
  int size = controlBytes;
  for (const auto& r : rows) size += std::max(0, FieldValue(r.length));
  return size;
}

int CheckSegmentRow(const std::vector<SegmentRow>& rows, int row, int controlBytes) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return 0;
  const int offset = FieldValue(rows[row].offset);
  if (offset < 0 || offset >= kMaxAssemblyBytes) return 9940;
  const int length = FieldValue(rows[row].length);
  if (length < 0 || length > kMaxAssemblyBytes) return 9941;
  if (offset + length > kMaxAssemblyBytes) return 9942;
  if (AssemblySize(rows, controlBytes) > kMaxAssemblyBytes) return 9943;
  return 0;
}

int CheckSegmentCount(int value) { return value >= 1 && value <= kMaxAssemblyBytes ? 0 : 9944; }

int CheckAssemblyLength(const std::u16string& text) {
  const int value = FieldValue(text);
  return value >= 1 && value <= kMaxAssemblyBytes ? 0 : 9945;
}
