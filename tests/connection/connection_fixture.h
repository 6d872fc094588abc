#pragma once
// The main window with the connection panel plugged in, offscreen, its
// settings in a temporary folder, every box answered by a RecordingPrompt
// and every posted command recorded.
#include <QApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <vector>

#include "connection/bookmark.h"
#include "connection/connect_netscan.h"
#include "controls/grid_ctrl.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "window/main_window.h"

class ConnectionTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::setenv("VT_ALLOW_LOOPBACK_SENSOR", "1", 1);
    MainPanels panels;
    panels.connectionPanel = std::make_unique<CBookmark>();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->setCommandPoster([this](int id) { posted.push_back(id); });
    window->show();
    panel().show();
    QApplication::processEvents();
    prompt.clear();
  }
  void TearDown() override {
    window.reset();
    ::unsetenv("VT_ALLOW_LOOPBACK_SENSOR");
  }

  CBookmark& panel() { return static_cast<CBookmark&>(*window->panels().connectionPanel); }
  MainDialogState& state() { return window->state(); }
  QString text(int id) const { return window->text(id); }
  template <class W = QWidget>
  W* control(QWidget& parent, int id) {
    return parent.findChild<W*>(QStringLiteral("id%1").arg(id));
  }
  QLineEdit* edit(int id) { return control<QLineEdit>(panel(), id); }
  QPushButton* button(int id) { return control<QPushButton>(panel(), id); }
  void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
  }
  // The texts of the message boxes shown since the last clear.
  QStringList messages() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }
  // The error text of a program code (its low 16 bits name the string).
  QString errorText(int code) const { return text(code & 0xFFFF); }

  // A saved connection written straight into the settings file.
  void store(const SavedConnection& c) {
    QSettings s(lib.settingsFile(), QSettings::IniFormat);
    const QString g = QStringLiteral("Connections/") + c.name + '/';
    s.setValue(g + "Location", c.location);
    s.setValue(g + "MACAddress", c.macAddress);
    s.setValue(g + "IPAddress", c.ipAddress);
    s.setValue(g + "NetworkMask", c.networkMask);
    s.setValue(g + "DHCP", c.dhcp);
    s.setValue(g + "XMLPort", c.xmlPort);
    s.setValue(g + "VideoPort", c.videoPort);
  }
  QStringList storedNames() {
    window->settings().CountConnections();
    QStringList names;
    for (const QString& key : window->settings().connectionKeys()) {
      SavedConnection c;
      window->settings().ReadConnection(key, c);
      names << c.name;
    }
    return names;
  }
  static SavedConnection conn(const QString& name, const QString& ip, const QString& mac = "00:0A:3C:00:00:01",
                              const QString& dhcp = "OFF", const QString& mask = {}) {
    return SavedConnection{name, "Hall", mac, ip, mask, dhcp, "8080", "50002"};
  }

  // Waits, handling events, until the condition holds (false after the limit).
  static bool waitFor(const std::function<bool()>& done, int limitMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
      if (t.elapsed() > limitMs) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QTest::qWait(5);
    }
    return true;
  }

  LibCopy lib;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::vector<int> posted;
};
