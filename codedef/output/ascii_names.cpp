#include "ascii_names.h"

// Qt's keyword macro `slots` must not meet the quality record's member.
#pragma push_macro("slots")
#undef slots
#include "core/misc_checks.h"
#pragma pop_macro("slots")

namespace {

struct Name {
  const char* shortName;
  const char* longName;
};

// Codes 0..35 and 38, 127; the others are their own character.
constexpr Name kControlNames[] = {
    {"NUL", "  NULl Character"},
    {"SOH", "  Start Of Heading"},
    {"STX", "  Start of TeXt"},
    {"ETX", "  End Of TeXt"},
    {"EOT", "  End Of Transmission"},
    {"ENQ", "  ENQuiry"},
    {"ACK", "  ACKnowledge"},
    {"BEL", "  BELl,rings terminal bell"},
    {"BS", "  Back Space(non-destructive)"},
    {"HT", "  Horizontal Tab"},
    {"LF", "  Line Feed"},
    {"VT", "  Vertical Tab"},
    {"FF", "  Form Feed"},
    {"CR", "  Carriage Return"},
    {"SO", "  Shift Out"},
    {"SI", "  Shift In"},
    {"DLE", "  Data Link Escape "},
    {"DC1", "  Device Control 1"},
    {"DC2", "  Device Control 2"},
    {"DC3", "  Device Control 3"},
    {"DC4", "  Device Control 4"},
    {"NAK", "  Negative AcKnowledge"},
    {"SYN", "  SYNchronous idle"},
    {"ETB", "  End Transmission Block"},
    {"CAN", "  CANcel line"},
    {"EM", "  End of Medium"},
    {"SUB", "  SUBtitute"},
    {"ESC", "  ESCape"},
    {"FS", "  File Separator"},
    {"GS", "  Group Separator"},
    {"RS", "  Record Separator"},
    {"US", "  Unit Seperator"},
    {"(", "  "},
    {"!", "  !  "},
    {"\"", "  \" "},
    {"#", "  # "},
};

Name NameOf(int code) {
  if (code >= 0 && code < static_cast<int>(std::size(kControlNames))) return kControlNames[code];
  if (code == 127) return {"DEL", "  DEL"};
  return {nullptr, nullptr};
}

int TokenSize(const QString& text, qsizetype i) {
  return text.mid(i, 2) == QStringLiteral("\\x") && text.size() - i >= 4 ? 4 : 1;
}

}  // namespace

QString AsciiCellText(int code) {
  const Name n = NameOf(code);
  const QString shortName = n.shortName ? QString::fromLatin1(n.shortName) : QString(QChar(code));
  return (QStringLiteral("    ") + shortName + QLatin1Char(' ')).right(5);
}

QString AsciiLongName(int code) {
  const Name n = NameOf(code);
  return n.longName ? QString::fromLatin1(n.longName) : QStringLiteral("  ") + QChar(code);
}

QString AsciiInsertText(int code) {
  if (code >= 33 && code <= 126) return QString(QChar(code));
  return QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0')).toUpper().replace(QStringLiteral("\\X"), QStringLiteral("\\x"));
}

int OutputStringLength(const QString& text, int lengthMode) {
  return lengthMode == 1 ? static_cast<int>(text.size()) : CMisc::GetUnescapedLength(text.toStdU16String());
}

QString CutOutputString(const QString& text, int max, int lengthMode) {
  int length = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    const int size = TokenSize(text, i);
    const int counts = lengthMode == 1 ? size : 1;
    if (length + counts > max) break;
    length += counts;
    i += size;
  }
  return text.left(i);
}
