#pragma once
// The message log's list: each line drawn in its own colour (a COLORREF kept
// as the line's data; 0 = the window-text colour). A right click selects all
// lines, shown in the window-text colour, and the next one deselects them.
// The colours stay in the lines throughout, so a log read back while all
// lines are selected keeps them.
#include <QListWidget>
#include <cstdint>
#include <vector>

class CColorListBox : public QListWidget {
  Q_OBJECT
public:
  static constexpr int kColourRole = Qt::UserRole;
  struct Line {
    QString text;
    std::uint32_t colour = 0;
  };

  explicit CColorListBox(QWidget* parent = nullptr);

  // The new line's index.
  int AddColorString(const QString& text, std::uint32_t colour);
  void SetItemColor(int index, std::uint32_t colour);
  // The line's colour; 0 for an index without a line.
  std::uint32_t ItemColor(int index) const;
  void ClearItems();
  // The list as ClearItems and AddColorString of each line leave it, but
  // the rows there are kept and changed only where they differ: the same
  // number of lines again repaints only the lines that changed.
  void ReplaceLines(const std::vector<Line>& lines);
  void ToggleSelectAll();
  // Deselects (as a right click would) when any line is selected.
  void ClearSelection();

  // Lines that show in the window-text colour until the next deselection: the
  // lines that existed when a right click selected them all.
  int mutedLineCount() const { return mutedLines_; }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  // A line's new text or colour repaints that line alone. The list view
  // would lay every line out again and repaint them all (each reading's two
  // changed lines repainted the whole list), but no line moves: the lines
  // share one height and the list does not scroll sideways.
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;

private:
  int mutedLines_ = 0;
};
