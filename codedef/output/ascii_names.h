#pragma once
// The names the character table shows for codes 0..127: the cell text (the
// short name in a five-character cell) and the long name of the tooltip.
#include <QString>

// The short name after four blanks with one blank behind, cut to its last
// five characters: 65 gives "   A ", 0 gives " NUL ".
QString AsciiCellText(int code);
// Starts with two blanks: 10 gives "  Line Feed".
QString AsciiLongName(int code);
// What a click on the code adds to an output string: 33..126 the character,
// any other code "\x" and two upper-case hexadecimal digits.
QString AsciiInsertText(int code);
// The output string's length: mode 1 every character, mode 0 an escape
// ("\x" and two more) as one.
int OutputStringLength(const QString& text, int lengthMode);
// The longest start of text whose length by the mode is at most max, never
// ending inside an escape.
QString CutOutputString(const QString& text, int max, int lengthMode);
