#include "view/window_controls.h"

#include "controls/bb_tool_tip.h"
#include "controls/color_settings.h"
#include "controls/hyperlink.h"
#include "controls/painted_static_texts.h"
#include "core/main_dialog_state.h"
#include "services/main_panels.h"
#include "services/prompt.h"

namespace {
TextLookup Lookup(const std::function<QString(int)>& text) {
  return [text](unsigned id) { return text ? text(static_cast<int>(id)) : QString(); };
}
}  // namespace

BalloonTip::BalloonTip() = default;
BalloonTip::~BalloonTip() { delete tip_.data(); }

void BalloonTip::AttachView(const ViewHost& host) {
  delete tip_.data();
  tip_ = host.window ? new CBBToolTip(host.window, Lookup(host.text)) : nullptr;
}

int BalloonTip::AddTool(int controlId, const QStringList& lines, std::uint32_t fill, std::uint32_t textColour) {
  return tip_ ? tip_->AddTool(controlId, lines, fill, textColour) : 0;
}

void BalloonTip::ShowTip(int controlId, QPoint at) {
  if (!tip_) return;
  shownId_ = controlId;
  shownAt_ = at;
  tip_->ShowTool(controlId, at);
}

void BalloonTip::RemoveTool(int controlId, QPoint at) {
  if (tip_) tip_->RemoveTool(controlId, at);
}

void BalloonTip::HideTip() {
  if (tip_) tip_->HideTip(shownId_, shownAt_);
}

CBBToolTip* BalloonTip::tip() const { return tip_.data(); }

bool BalloonTip::shown() const { return tip_ && tip_->tipWidth() != 0 && tip_->tipHeight() != 0; }

QStringList BalloonTip::lines(int controlId) const {
  const ToolTipInfo* info = tip_ ? tip_->tool(controlId) : nullptr;
  return info ? info->lines : QStringList();
}

QWidget* BalloonTip::owner() const { return tip_ ? tip_->parentWidget() : nullptr; }

ColourSettings::ColourSettings() = default;
ColourSettings::~ColourSettings() = default;

void ColourSettings::AttachView(const ViewHost& host) { host_ = host; }

int ColourSettings::RunColourSettings() {
  if (!host_.state || !host_.prompt) return 0;
  ColourSettingsHooks hooks;
  if (host_.settings) hooks = graphicsSettingsHooks(*host_.settings);
  MainPanels* panels = host_.panels;
  hooks.refreshOverlays = [panels] {
    if (!panels || !panels->imageView) return;
    panels->imageView->RefreshOverlayStyles();
    panels->imageView->Render();
  };
  hooks.setOpenDialog = host_.setOpenDialog;
  CColorSettings dialog(host_.state->colours, hooks, *host_.prompt, Lookup(host_.text), Lookup(host_.common),
                        host_.window);
  open_ = &dialog;
  const int result = host_.prompt->runDialog(dialog);
  open_ = nullptr;
  return result;
}

void ColourSettings::EndDialog() {
  if (open_) open_->reject();
}

// --- Painted texts and the link ---

namespace {
TextLookup Unsigned(StaticTextsService::Lookup lookup) {
  return [lookup = std::move(lookup)](unsigned id) { return lookup ? lookup(static_cast<int>(id)) : QString(); };
}
}  // namespace

QWidget* WindowStaticTexts::MakeModeText(QWidget* parent, Lookup language, ModeButtons buttons) {
  auto* text = new CStaticTextMode(Unsigned(std::move(language)), parent);
  text->setButtons(buttons.pitch, buttons.height, buttons.textLeft);
  return text;
}

QWidget* WindowStaticTexts::MakeAboutText(QWidget* parent, Lookup language, Lookup common) {
  return new CStaticTextAbout(Unsigned(std::move(language)), Unsigned(std::move(common)), parent);
}

QWidget* WindowStaticTexts::MakeSplashText(QWidget* parent, Lookup language, Lookup common) {
  return new CStaticTextSplasScreen(Unsigned(std::move(language)), Unsigned(std::move(common)), parent);
}

QWidget* WindowStaticTexts::MakeLink(QWidget* parent, const QString& target, Prompt* prompt, const QString& caption,
                                     Lookup language) {
  auto* link = new CHyperlink(parent);
  link->setPrompt(prompt, caption);
  link->setTexts(Unsigned(std::move(language)));
  link->SetURL(target);
  return link;
}
