#pragma once
// CLog: messages into the colour-coded message list, each wrapped to the
// list's width and added line by line in its colour; the list is emptied
// when it holds 200 lines. The marked text turns the list into one text
// and back, colours included.
#include <QString>
#include <cstdint>
#include <functional>

class MessageListService;

class CLog {
public:
  static constexpr int kMaxLines = 200;
  static constexpr int kMargin = 13;  // pixels kept free at the right edge
  // The four colours the marked text names (COLORREF).
  static constexpr std::uint32_t kMarkerColours[4] = {0xFF0000, 0x59B300, 0x0000FF, 0x000000};
  static constexpr char16_t kMarkers[4] = {u'!', u'@', u'#', u'$'};

  struct Options {
    std::function<bool()> autoDetected;   // the main window's auto-detect flag
    std::function<bool()> shortMessages;  // the result view keeps messages to three lines
    std::uint32_t unmarkedColour = 32768;  // colour of a marked-text line without a marker
  };

  CLog(MessageListService& list, Options options) : list_(list), options_(std::move(options)) {}
  virtual ~CLog() = default;

  // The clears and adds made while it lives are shown together, where they
  // differ from the lines before (a reading's lines, rewritten each reading).
  class Batch {
  public:
    explicit Batch(CLog* log);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

  private:
    CLog* log_;
  };

  int Add(const QString& text, std::uint32_t colour);
  void Clear();
  // Index of the last character of the first line of the text wrapped to
  // the width; `extent` measures a text in the list's font.
  static int FindBreak(const std::function<int(const QString&)>& extent, int width, const QString& text,
                       bool autoDetected);
  QString GetMarkedText() const;
  void SetMarkedText(const QString& text);

private:
  MessageListService& list_;
  Options options_;
};
