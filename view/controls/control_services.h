#pragma once
// What the controls take from their owner besides the program's Prompt:
// texts of the outside string tables by id, and pictures of the resource
// library.
#include <QPixmap>
#include <QString>
#include <functional>

// A text by id; empty when the table has none.
using TextLookup = std::function<QString(unsigned id)>;

// Bitmap <id>.png of the common resource library (Lib/Lindaro/); null when
// the file is missing or unreadable.
QPixmap lindaroBitmap(int id);
