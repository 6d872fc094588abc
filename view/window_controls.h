#pragma once
// The small controls of view/controls/ as the main window's services: the
// balloon tooltip (its owner is the main window) and the colour settings
// dialog (over the window's colours, settings store and picture).
#include <QPoint>
#include <QPointer>

#include "services/view_services.h"

class CBBToolTip;
class CColorSettings;

class BalloonTip : public BalloonTipService {
public:
  BalloonTip();
  ~BalloonTip() override;

  void AttachView(const ViewHost& host) override;
  int AddTool(int controlId, const QStringList& lines, std::uint32_t fill, std::uint32_t textColour) override;
  void ShowTip(int controlId, QPoint at) override;
  void RemoveTool(int controlId, QPoint at) override;
  void HideTip() override;
  QWidget* owner() const override;

  CBBToolTip* tip() const;
  bool shown() const;                       // a box is on the owner
  QStringList lines(int controlId) const;   // the tool's lines, none without one

private:
  QPointer<CBBToolTip> tip_;  // a child of the owner, which deletes it
  int shownId_ = 0;
  QPoint shownAt_;
};

// The painted texts and the link of view/controls for the window and its
// About box and splash.
class WindowStaticTexts : public StaticTextsService {
public:
  QWidget* MakeModeText(QWidget* parent, Lookup language, ModeButtons buttons) override;
  QWidget* MakeAboutText(QWidget* parent, Lookup language, Lookup common) override;
  QWidget* MakeSplashText(QWidget* parent, Lookup language, Lookup common) override;
  QWidget* MakeLink(QWidget* parent, const QString& target, Prompt* prompt, const QString& caption,
                    Lookup language) override;
};

class ColourSettings : public ColourSettingsService {
public:
  ColourSettings();
  ~ColourSettings() override;

  void AttachView(const ViewHost& host) override;
  int RunColourSettings() override;
  void EndDialog() override;

private:
  ViewHost host_;
  QPointer<CColorSettings> open_;
};
