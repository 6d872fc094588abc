#pragma once
// The "..." buttons that open the ASCII editor beside a text (the bar-code
// separator, the process interface's strings) show picture 96 of the
// resource library.
class QPushButton;
class QString;

// The picture at `path` on the button, its dots in the greyed text's colour
// while the button is off: the style's own greying leaves them dark beside
// a greyed row, so the button looked as if it could be clicked. Without the
// picture the button reads "...".
void SetDotsPicture(QPushButton* button, const QString& path);
