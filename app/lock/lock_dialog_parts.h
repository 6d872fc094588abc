#pragma once
// Pieces both lock dialogs share: the padlock static, the password edit,
// the OK and Escape buttons, and the red frame drawn around a control whose
// input was refused (2 pixels wide, 5 pixels out to the left and right, 7
// above and 4 below).
#include <QRect>
#include <functional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPainter;
class QPixmap;
class QString;
class QWidget;

QLabel* MakeLockIcon(QWidget* dialog, const QPixmap& icon);  // static 1250
QLineEdit* MakePasswordEdit(int id, QWidget* dialog);
// OK 1200 (default) and Escape 1252, right-aligned.
QHBoxLayout* MakeOkEscapeRow(QWidget* dialog, const QString& okText, const QString& escapeText,
                             std::function<void()> onOk, std::function<void()> onEscape);

// The frame around the controls (united) in dialog coordinates.
QRect ErrorFrameRect(const QWidget& dialog, std::initializer_list<const QWidget*> controls);
void DrawErrorFrame(QPainter& painter, const QRect& frame);
