#pragma once
// Reading the number edits of the code definition tabs: digits only, as
// typed; reading stops at the first character that is no digit.
#include <QLineEdit>

inline int EditInt(const QLineEdit* edit) {
  long value = 0;
  const QString text = edit->text().trimmed();
  int i = 0;
  const bool negative = i < text.size() && text[i] == u'-';
  if (negative) ++i;
  for (; i < text.size() && text[i].isDigit() && value < 1000000000L; ++i) value = value * 10 + text[i].digitValue();
  return static_cast<int>(negative ? -value : value);
}

// A decimal edit's text as typed: digits and the first point, nothing else.
inline QString DigitsAndOnePoint(const QString& text) {
  QString kept;
  bool point = false;
  for (QChar c : text) {
    if (c == u'.') {
      if (point) continue;
      point = true;
    } else if (!c.isDigit()) {
      continue;
    }
    kept += c;
  }
  return kept;
}
