#pragma once
// The plain message list the main window uses until view/ plugs in its own:
// a list of lines, each drawn in its colour.
#include <QListWidget>

#include "services/view_services.h"

class ColourMessageList : public MessageListService {
public:
  ColourMessageList();
  QWidget* widget() override { return &list_; }
  int AddColorString(const QString& text, std::uint32_t colour) override;
  void ClearItems() override { list_.clear(); }
  int count() const override { return list_.count(); }
  QString itemText(int index) const override;
  std::uint32_t itemColour(int index) const override;
  int clientWidth() const override;
  int textWidth(const QString& text) const override;

private:
  QListWidget list_;
};
