#pragma once
// The main window's message list (control 1001) as a CColorListBox.
#include <QFont>
#include <QHash>

#include "color_list_box.h"
#include "services/view_services.h"

class ColorListBoxLog final : public MessageListService {
public:
  ColorListBoxLog();

  QWidget* widget() override { return &list_; }
  int AddColorString(const QString& text, std::uint32_t colour) override;
  void ClearItems() override;
  int count() const override;
  QString itemText(int index) const override;
  std::uint32_t itemColour(int index) const override;
  int clientWidth() const override { return list_.viewport()->width(); }
  int textWidth(const QString& text) const override;
  void ClearSelection() override { list_.ClearSelection(); }
  void BeginChanges() override { ++changesDepth_; }
  void EndChanges() override;

  CColorListBox& list() { return list_; }

private:
  bool changing() const { return changesDepth_ > 0; }

  CColorListBox list_;
  // While changing: the list's first `kept_` rows, then `added_`; `cleared_`
  // once a clear came (then nothing of the list is kept).
  int changesDepth_ = 0;
  bool cleared_ = false;
  int kept_ = 0;
  std::vector<CColorListBox::Line> added_;
  // Widths measured in widthsFont_: a reading's lines mostly come again
  // with the next one, and each measure shapes the text anew.
  static constexpr int kKeptWidths = 256;
  mutable QFont widthsFont_;
  mutable QHash<QString, int> widths_;
};
