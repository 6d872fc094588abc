#pragma once
// The colour settings dialog: the search-zone colour and the colours of the
// image-field texts (pass, fail, other). OK publishes them to the display
// colours, restyles the overlays and stores them ("Graphics/ColRegion",
// "ColPassMsg", "ColFailMsg", "ColOtherMsg", decimal text); Cancel keeps what
// the dialog published when it opened.
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "control_services.h"
#include "core/graphics_colours.h"

class CColourStatic;
class Prompt;
class QLabel;
class QPushButton;

class CQuorrenReg;

struct ColourSettingsHooks {
  using Values = std::array<QString, 4>;  // region, pass, fail, other
  // The stored texts; nothing when they cannot be read. An empty text is a
  // value left empty.
  std::function<std::optional<Values>()> readGraphics;
  // Stores the texts ("Graphics/ColRegion", "ColPassMsg", "ColFailMsg",
  // "ColOtherMsg").
  std::function<void(const Values&)> writeGraphics;
  // After OK: the overlays take the new colours and the picture is rendered again.
  std::function<void()> refreshOverlays;
  // The main window's m_nOpenDialog (1 while the dialog is open).
  std::function<void(int)> setOpenDialog;
};

class CColorSettings : public QDialog {
  Q_OBJECT
public:
  // Rows in the order of the stored values and of GraphicsColours.
  enum Row { kRegion, kPass, kFail, kOther, kRowCount };

  // language: the language table; common: the common definitions (strings
  // 200, 205, 206, 207 hold the default colours as decimal text).
  CColorSettings(GraphicsColours& colours, ColourSettingsHooks hooks, Prompt& prompt,
                 TextLookup language, TextLookup common, QWidget* parent = nullptr);

  std::uint32_t currentColour(Row row) const { return current_[row]; }
  std::uint32_t defaultColour(Row row) const { return defaults_[row]; }

  void accept() override;
  void reject() override;

private:
  void chooseColour(Row row);
  void restoreDefaults();
  void publish();
  QString text(unsigned id, const char* fallback) const;

  GraphicsColours& colours_;
  ColourSettingsHooks hooks_;
  Prompt& prompt_;
  TextLookup language_;
  std::array<std::uint32_t, kRowCount> defaults_{};
  std::array<std::uint32_t, kRowCount> current_{};
  std::array<CColourStatic*, kRowCount> swatches_{};
};

// Reading and writing through the program's settings store; the owner adds
// the other hooks.
ColourSettingsHooks graphicsSettingsHooks(CQuorrenReg& settings);

// A text read as a decimal integer the way the stored colours always were:
// leading blanks, an optional sign, digits up to the first other character;
// 0 when no digit comes.
std::uint32_t decimalColour(const QString& text);
