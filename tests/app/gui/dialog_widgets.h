// The main window's widgets against what the state rules say for its
// state: toolbar, menu entries, popups, wizard buttons, mode statics, status
// bar, page title and icons.
#pragma once
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

#include "core/dialog_state_rules.h"
#include "window/main_window.h"

// The widgets show what the rules say for the window's state.
inline void ExpectWidgetsMatch(CVarnisDatamatrixDlg& window, const DialogControls& c, const QString& sensorInfo) {
  for (const ToolButtonState& t : c.toolbar) {
    QAction* a = window.action(t.command);
    EXPECT_EQ(a->isEnabled(), t.enabled) << t.command;
    EXPECT_EQ(a->isChecked(), t.pressed) << t.command;
  }
  for (const MenuItemState& m : c.menu) {
    QAction* a = window.action(m.command);
    EXPECT_EQ(a->isEnabled(), m.enabled) << m.command;
    if (m.textId) {
      EXPECT_EQ(a->text(), window.text(m.textId).section(QChar(9), 0, 0)) << m.command;
    }
  }
  EXPECT_EQ(window.popupOfText(200)->menuAction()->isEnabled(), c.configMenu);
  EXPECT_EQ(window.popupOfText(440)->menuAction()->isEnabled(), c.passwordMenu);
  for (int id : {1026, 1027, 1028}) EXPECT_EQ(window.wizardButton(id)->isEnabled(), c.wizardButtons) << id;
  for (int id : {DialogIds::kModeConfiguration, DialogIds::kModeMonitor, DialogIds::kModeService})
    EXPECT_EQ(window.modeStatic(id)->property("look").toInt() == 1, id == c.activeModeStatic) << id;
  for (int part = 1; part < 8; ++part) {
    if (part == 5) continue;
    const StatusPart& p = c.status[std::size_t(part)];
    const QString shown = window.statusPane(part)->text();
    switch (p.kind) {
      case StatusText::Empty: EXPECT_TRUE(shown.isEmpty()) << part; break;
      case StatusText::String: EXPECT_EQ(shown, window.text(p.stringId)) << part; break;
      case StatusText::SensorInfo: EXPECT_EQ(shown, sensorInfo); break;
      case StatusText::Readings: EXPECT_EQ(shown, QStringLiteral("Readings: %1").arg(window.state().m_nTotalReadings)); break;
      case StatusText::ConnectionLabel:
      case StatusText::Keep: break;
    }
  }
  EXPECT_EQ(window.pageTitleLabel()->text(), c.pageTitleId ? window.text(c.pageTitleId) : QString());
  EXPECT_EQ(window.statusPane(0)->pixmap().isNull(), c.statusIcon == StatusIcon::None);
  EXPECT_EQ(window.statusPane(5)->pixmap().isNull(), c.lockIcon == StatusIcon::None);
}
