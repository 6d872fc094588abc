#pragma once
// The main window's message list (control 1001) as a CColorListBox.
#include "color_list_box.h"
#include "services/view_services.h"

class ColorListBoxLog final : public MessageListService {
public:
  ColorListBoxLog();

  QWidget* widget() override { return &list_; }
  int AddColorString(const QString& text, std::uint32_t colour) override;
  void ClearItems() override { list_.ClearItems(); }
  int count() const override { return list_.count(); }
  QString itemText(int index) const override;
  std::uint32_t itemColour(int index) const override { return list_.ItemColor(index); }
  int clientWidth() const override { return list_.viewport()->width(); }
  int textWidth(const QString& text) const override;
  void ClearSelection() override { list_.ClearSelection(); }

  CColorListBox& list() { return list_; }

private:
  CColorListBox list_;
};
