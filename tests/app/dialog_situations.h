#pragma once
// The situations of a session, as the main window's operations leave the
// shared state and the controller's requests: the rules' table test and the
// widget test both go through them.
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dialog_state_rules.h"

struct DialogSituation {
  std::string name;
  MainDialogState state;
  ControlRequests requests;
};

inline std::vector<DialogSituation> DialogSituations() {
  std::vector<DialogSituation> out;
  auto add = [&](const char* name, auto&& setup) {
    DialogSituation s{name, {}, {}};
    setup(s.state, s.requests);
    out.push_back(std::move(s));
  };
  auto connected = [](MainDialogState& s, int step, int page) {
    s.m_bConnected = 1;
    s.m_nWizardStep = step;
    s.m_nPageTitle = page;
  };
  auto overview = [&](MainDialogState& s) {
    connected(s, 8, 8);
    s.m_bEditorOpen = 1;
    s.m_nSensorState = 4;
  };
  auto editor = [&](MainDialogState& s, ControlRequests& r, int step, int page) {
    overview(s);
    s.m_nWizardStep = step;
    s.m_nPageTitle = page;
    s.m_bImageVisible = 1;
    r.wizardButtons = true;
    r.zoomButtons = step != 18;
  };
  add("not connected", [](MainDialogState&, ControlRequests&) {});
  add("connecting", [](MainDialogState&, ControlRequests& r) { r.connecting = true; });
  add("connection panel", [](MainDialogState& s, ControlRequests& r) {
    s.m_nWizardStep = 3;
    s.m_nPageTitle = 3;
    r.connectionPanel = true;
  });
  add("connection panel, half an address", [](MainDialogState& s, ControlRequests& r) {
    s.m_nWizardStep = 3;
    s.m_nPageTitle = 3;
    r.connectionPanel = true;
    r.connectButtonOff = true;
  });
  add("monitor", [&](MainDialogState& s, ControlRequests&) {
    connected(s, 1, 1);
    s.m_bMonitorView = 1;
    s.m_nSensorState = 2;
  });
  add("overview, no slot", [&](MainDialogState& s, ControlRequests&) { overview(s); });
  add("overview, free slot", [&](MainDialogState& s, ControlRequests& r) {
    overview(s);
    r.newDeleteButtons = 1;
    r.fileTransferButtons = 0;
  });
  add("overview, configuration", [&](MainDialogState& s, ControlRequests& r) {
    overview(s);
    r.newDeleteButtons = 0;
    r.fileTransferButtons = 1;
  });
  add("editor 7", [&](MainDialogState& s, ControlRequests& r) { editor(s, r, 7, 7); });
  add("editor 11", [&](MainDialogState& s, ControlRequests& r) { editor(s, r, 11, 9); });
  add("editor 11, zoom in", [&](MainDialogState& s, ControlRequests& r) {
    editor(s, r, 11, 9);
    s.m_bZoomMode = true;
    r.zoomTool = 1;
  });
  add("editor 15", [&](MainDialogState& s, ControlRequests& r) { editor(s, r, 15, 10); });
  add("editor 17", [&](MainDialogState& s, ControlRequests& r) { editor(s, r, 17, 12); });
  add("editor 18", [&](MainDialogState& s, ControlRequests& r) { editor(s, r, 18, 14); });
  add("service", [&](MainDialogState& s, ControlRequests&) {
    connected(s, 2, 2);
    s.m_bServiceView = 1;
    s.m_nSensorState = 9;
  });
  add("locked overview", [&](MainDialogState& s, ControlRequests&) {
    overview(s);
    s.m_bSensorLocked = 1;
    s.m_nLockedItems = 6;
  });
  add("locked overview, logged in", [&](MainDialogState& s, ControlRequests&) {
    overview(s);
    s.m_bSensorLocked = 1;
    s.m_nLockedItems = 6;
    s.m_bLoggedIn = 1;
  });
  add("locked monitor", [&](MainDialogState& s, ControlRequests&) {
    connected(s, 1, 1);
    s.m_bMonitorView = 1;
    s.m_nSensorState = 2;
    s.m_bSensorLocked = 1;
    s.m_nLockedItems = 4;
  });
  add("monitor, lock without monitor", [&](MainDialogState& s, ControlRequests&) {
    connected(s, 1, 1);
    s.m_bMonitorView = 1;
    s.m_nSensorState = 2;
    s.m_bSensorLocked = 1;
    s.m_nLockedItems = 3;
  });
  return out;
}

inline DialogSituation FindSituation(const std::string& name) {
  for (auto& s : DialogSituations())
    if (s.name == name) return s;
  throw std::out_of_range(name);
}
