#pragma once
// A text that works as a web link: underlined, coloured by state (link,
// visited, under the pointer), a hand cursor, and a click opens the target.
// When it cannot be opened the user hears a beep and reads why.
#include <QLabel>
#include <QUrl>
#include <cstdint>
#include <functional>

#include "control_services.h"

class Prompt;

class CHyperlink : public QLabel {
  Q_OBJECT
public:
  // Opens a target; false when it cannot.
  using Opener = std::function<bool(const QUrl&)>;

  explicit CHyperlink(QWidget* parent = nullptr);

  // The system's opener and message boxes unless set; caption: the
  // application title.
  void setOpener(Opener opener) { opener_ = std::move(opener); }
  void setPrompt(Prompt* prompt, const QString& caption) {
    prompt_ = prompt;
    caption_ = caption;
  }
  void setTexts(TextLookup language) { language_ = std::move(language); }

  void SetURL(const QString& url);
  QString url() const { return url_; }
  void SetUnderline(int underline);
  void SetVisited(int visited);
  int visited() const { return visited_; }
  bool over() const { return over_; }
  // The colour the text shows now (COLORREF).
  std::uint32_t textColour() const;

  // Opens the target as a click does.
  void open();

protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void applyLook();
  void sizeToText();

  std::uint32_t linkColour_ = 0xEE0000;
  std::uint32_t visitedColour_ = 0x8B1A55;
  bool over_ = false;
  int visited_ = 0;
  int underline_ = 1;
  int adjustToFit_ = 1;
  QString url_;
  Opener opener_;
  Prompt* prompt_ = nullptr;
  QString caption_;
  TextLookup language_;
};
