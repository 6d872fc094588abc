#pragma once
// The information box beside the mouse pointer over the picture: the lines
// of the code under the pointer in a filled, etched box. A child of its owner
// (the main window), transparent for the mouse, so the owner keeps every
// mouse event and repaints what the box covered when it goes.
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "control_services.h"

struct ToolTipInfo {
  int controlId = 0;
  int lineCount = 0;
  QStringList lines;
  std::uint32_t textColour = 0;
  std::uint32_t fillColour = 0;
};

class CBBToolTip : public QWidget {
  Q_OBJECT
public:
  static constexpr int kLineHeight = 14;
  static constexpr int kShrunkLineHeight = 12;

  // language gives the face name (string 10001).
  explicit CBBToolTip(QWidget* owner, TextLookup language = {});

  // Replaces every entry by this one; 1.
  int AddTool(int controlId, const QStringList& lines, std::uint32_t fillColour,
              std::uint32_t textColour);
  // Shows the entry's box at the point (owner coordinates) when there is one.
  void ShowTool(int controlId, QPoint point);
  // 1 always.
  int RemoveTool(int controlId, QPoint point);
  void HideTip(int controlId, QPoint point);

  void CalcSize(const QStringList& lines);
  QRect GetTipRect(int controlId, QPoint point);

  int tipWidth() const { return width_; }
  int tipHeight() const { return height_; }
  int lineHeight() const { return lineHeight_; }
  int currentId() const { return currentId_; }
  const ToolTipInfo* tool(int controlId) const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void ShowTip(const ToolTipInfo& info, QPoint point);

  TextLookup language_;
  int width_ = 0;
  int height_ = 0;
  int lineHeight_ = kLineHeight;
  int lineCount_ = 0;
  int maxLineLength_ = 0;
  std::vector<std::unique_ptr<ToolTipInfo>> tools_;
  int currentId_ = 0;
  ToolTipInfo shown_;
};
