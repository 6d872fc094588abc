#include "config/configuration_buttons.h"

#include <QAction>
#include <QPushButton>
#include <QVBoxLayout>

#include "window/main_window.h"

namespace {
// Captions of buttons 1048..1060.
constexpr std::array<int, kConfigCommands> kCaptions = {7500, 7501, 7502, 7503, 7504, 7507, 7508,
                                                        7509, 7510, 7513, 7505, 7506, 7512};
}  // namespace

CConfigurationButtons::CConfigurationButtons(CVarnisDatamatrixDlg& dlg, QWidget* parent)
    : QWidget(parent), dlg_(dlg) {
  setObjectName(QStringLiteral("CConfigurationButtons"));
  // A panel of its own over the picture's place: the picture never shows through.
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  for (int i = 0; i < kConfigCommands; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("id%1").arg(kFirstConfigButton + i));
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumHeight(24);
    const int command = kConfigMenuIds[static_cast<std::size_t>(i)];
    // The menu item's handlers run as for the menu; the item is left in the
    // state the command gives it (New greyed when no slot is free).
    connect(b, &QPushButton::clicked, this, [this, command] {
      if (QAction* a = dlg_.action(command)) emit a->triggered(a->isChecked());
    });
    buttons_[static_cast<std::size_t>(i)] = b;
    layout->addWidget(b);
  }
  layout->addStretch();
  // New and Download to device until the tree's first selection; Capture
  // master as the bar starts.
  for (int i = 0; i < kConfigCommands; ++i) buttons_[static_cast<std::size_t>(i)]->setEnabled(i == 0 || i == 7 || i == 9);
  LoadLanguageTexts();
}

QPushButton* CConfigurationButtons::button(int id) const {
  const int i = id - kFirstConfigButton;
  return i >= 0 && i < kConfigCommands ? buttons_[static_cast<std::size_t>(i)] : nullptr;
}

void CConfigurationButtons::LoadLanguageTexts() {
  setWindowTitle(dlg_.text(1070));
  for (int i = 0; i < kConfigCommands; ++i)
    buttons_[static_cast<std::size_t>(i)]->setText(dlg_.text(kCaptions[static_cast<std::size_t>(i)]));
}
