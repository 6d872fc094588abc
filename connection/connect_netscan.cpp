// The shared records name a member "slots": they come before any Qt header.
#include "core/misc_checks.h"

#include "connection/connect_netscan.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "connection/bookmark.h"
#include "connection/mac_lookup.h"
#include "controls/grid_ctrl.h"
#include "core/config_mngt.h"
#include "core/text_escape.h"
#include "sonvira/sonvira.h"
#include "window/main_window.h"

namespace {

constexpr int kErrorNetworkOctet = -14210;
constexpr int kErrorMaskOctet = -14211;
constexpr int kErrorNoZones = -19040;
constexpr int kErrorNoZoneSelected = -19041;
constexpr unsigned kWmUser = 0x400;
constexpr COLORREF kHeaderColour = 0x3599FF;
constexpr COLORREF kRowColour = 0xFFFFFF;
// The one family of sensors this program serves.
constexpr const char* kServedType = "K7M";

QString idName(int id) { return QStringLiteral("id%1").arg(id); }

}  // namespace

struct CConnectNetscan::SweepTarget {
  VtWindowTarget target{};
  CConnectNetscan* dialog = nullptr;
  int id = 0;
};

CConnectNetscan::CConnectNetscan(CVarnisDatamatrixDlg& dlg, CBookmark& bookmarks, QWidget* parent)
    : QDialog(parent), dlg_(dlg), bookmarks_(bookmarks) {
  setObjectName("CConnectNetscan");
  setModal(true);
  CreateControls();
  SetupGrid();
  ReloadTexts();
}

CConnectNetscan::~CConnectNetscan() {
  // Nothing of the sweep may reach a destroyed dialog; its zones go with it.
  StopSweep();
  Sonvira_CleanSubnetList();
}

void CConnectNetscan::CreateControls() {
  setFixedSize(600, 580);
  zoneGroup_ = new QGroupBox(this);
  zoneGroup_->setObjectName(idName(1138));
  zoneGroup_->setGeometry(8, 6, 584, 170);
  networkLabel_ = new QLabel(this);
  networkLabel_->setObjectName(idName(1139));
  networkLabel_->setGeometry(20, 30, 130, 22);
  maskLabel_ = new QLabel(this);
  maskLabel_->setObjectName(idName(1126));
  maskLabel_->setGeometry(20, 62, 130, 22);
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    auto* octet = new QLineEdit(this);
    octet->setObjectName(idName(1174 + int(i)));
    octet->setMaxLength(3);
    octet->setAlignment(Qt::AlignCenter);
    const int column = int(i % 4);
    octet->setGeometry(154 + column * 50, i < 4 ? 30 : 62, 40, 24);
    if (column > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setGeometry(154 + column * 50 - 10, i < 4 ? 30 : 62, 8, 24);
      dot->setAlignment(Qt::AlignCenter);
    }
    connect(octet, &QLineEdit::textEdited, this, &CConnectNetscan::OnOctetChanged);
    octets_[i] = octet;
  }
  auto button = [this](int id, int x, int y, int w = 110) {
    auto* b = new QPushButton(this);
    b->setObjectName(idName(id));
    b->setGeometry(x, y, w, 26);
    b->setAutoDefault(false);
    return b;
  };
  add_ = button(1070, 20, 96);
  delete_ = button(1071, 20, 130);
  start_ = button(1072, 20, 214, 150);
  zones_ = new QListWidget(this);
  zones_->setObjectName(idName(1008));
  zones_->setGeometry(360, 28, 220, 136);
  connect(zones_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (m_bScanning || dlg_.state().m_bBusy) return;
    delete_->setEnabled(row >= 0);
  });
  foundGroup_ = new QGroupBox(this);
  foundGroup_->setObjectName(idName(1140));
  foundGroup_->setGeometry(8, 184, 584, 352);
  grid_ = new CGridCtrl(0, 0, 0, 0, this);
  grid_->setObjectName(idName(1172));
  grid_->setGeometry(16, 248, 572, 248);
  grid_->SetNotifyHandler([this](const GridNotifyRecord& n) {
    OnGridNotify(n);
    return 0;
  });
  grid_->SetBusyQuery([this] { return m_bScanning || dlg_.state().m_bBusy; });
  connect_ = button(1015, 16, 502);
  save_ = button(1016, 134, 502);
  saveAll_ = button(1017, 252, 502);
  help_ = button(1069, 246, 546);
  escape_ = button(2, 364, 546);
  close_ = button(1, 482, 546);

  connect(add_, &QPushButton::clicked, this, &CConnectNetscan::OnAddZone);
  connect(delete_, &QPushButton::clicked, this, &CConnectNetscan::OnDeleteZone);
  connect(start_, &QPushButton::clicked, this, &CConnectNetscan::OnStartSearch);
  connect(connect_, &QPushButton::clicked, this, &CConnectNetscan::OnConnect);
  connect(save_, &QPushButton::clicked, this, &CConnectNetscan::OnButtonSave);
  connect(saveAll_, &QPushButton::clicked, this, &CConnectNetscan::OnButtonSaveall);
  connect(help_, &QPushButton::clicked, this, &CConnectNetscan::OnHelp);
  connect(escape_, &QPushButton::clicked, this, &CConnectNetscan::OnEscape);
  connect(close_, &QPushButton::clicked, this, &CConnectNetscan::OnClose);
  // The group boxes frame controls made before them: behind those, or a
  // click on "Start search" lands on the box.
  foundGroup_->lower();
  zoneGroup_->lower();
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void CConnectNetscan::SetupGrid() {
  grid_->SetEditable(false);
  grid_->SetColumnCount(4);
  grid_->SetFixedRowCount(1);
  grid_->SetRowCount(11);
  grid_->SetRowHeight(0, 23);
  for (int r = 1; r < grid_->GetRowCount(); ++r) grid_->SetRowHeight(r, 22);
  grid_->SetColumnWidth(0, 143);
  for (int c = 1; c < 4; ++c) grid_->SetColumnWidth(c, 136);
  for (int c = 0; c < 4; ++c)
    grid_->SetCellFormat(0, c, CellFormat::kCenter | CellFormat::kVCenter | CellFormat::kSingleLine |
                                   CellFormat::kNoPrefix | CellFormat::kEndEllipsis);
  for (bool fixedRow : {true, false}) grid_->GetDefaultCell(fixedRow, true)->SetBackColour(kHeaderColour);
  grid_->GetDefaultCell(true, false)->SetBackColour(kHeaderColour);
}

void CConnectNetscan::ReloadTexts() {
  setWindowTitle(dlg_.text(1075));
  zoneGroup_->setTitle(dlg_.text(8800));
  networkLabel_->setText(dlg_.text(8801));
  maskLabel_->setText(dlg_.text(8802));
  add_->setText(dlg_.text(8803));
  delete_->setText(dlg_.text(8804));
  start_->setText(dlg_.text(m_bScanning ? 8815 : 8805));
  foundGroup_->setTitle(dlg_.text(8806));
  connect_->setText(dlg_.text(8807));
  save_->setText(dlg_.text(8808));
  saveAll_->setText(dlg_.text(8809));
  escape_->setText(dlg_.text(9202));
  help_->setText(dlg_.text(9205));
  close_->setText(dlg_.text(8705));
  // A cell height of 15 pixels: about 12 pixels of letter.
  QFont font(dlg_.text(10002));
  font.setPixelSize(12);
  font.setWeight(QFont::Bold);
  grid_->setFont(font);
  for (int c = 0; c < 4; ++c) grid_->SetCellText(0, c, dlg_.text(8811 + c));
}

// --- Opening ---

void CConnectNetscan::OnInitDialog() {
  grid_->SetRowCount(11);
  for (int r = 1; r < grid_->GetRowCount(); ++r) {
    grid_->SetRowHeight(r, 22);
    for (int c = 0; c < 4; ++c) grid_->SetCellState(r, c, 0);
  }
  for (int r = 1; r < grid_->GetRowCount(); ++r)
    for (int c = 0; c < 4; ++c) grid_->SetCellText(r, c, QString());
  grid_->SetRowsBackColor(kRowColour);
  grid_->m_MouseMode = GridMouseMode::kFilledRows;
  ReloadTexts();
  m_bSkipFieldChecks = false;
  zones_->clear();
  EnableControls(false);

  std::u16string address, mask;
  if (CMisc::GetLocalAddresses(address, mask) == 0) {
    std::u16string network;
    CConfigMngt::GetNetworkIP(address, mask, network);
    const auto net = CMisc::SplitAddress(network);
    const auto bits = CMisc::SplitAddress(mask);
    for (std::size_t i = 0; i < 4; ++i) {
      octets_[i]->setText(QString::number(net[i]));
      octets_[i + 4]->setText(QString::number(bits[i]));
    }
    add_->setEnabled(true);
    add_->setDefault(true);
    add_->setFocus();
  } else {
    octets_[0]->setFocus();
    add_->setEnabled(false);
  }
  for (QPushButton* b : {saveAll_, save_, connect_, delete_, start_}) b->setEnabled(false);
  for (std::size_t i = 0; i < octets_.size(); ++i) m_strSavedOctets[i] = octets_[i]->text();

  MainDialogState& s = dlg_.state();
  dlg_.setMessageOwner(this);
  s.m_bUseMessageOwner = 1;
  s.m_arrZoneMasks.clear();
  s.m_arrZoneNetworks.clear();
  s.m_nZoneCount = 0;
  s.m_bConnectFromScan = 0;
  s.m_nOpenDialog = 3;
}

// --- Octet fields ---

void CConnectNetscan::OnOctetChanged() {
  if (m_bScanning) return;
  bool all = true;
  for (QLineEdit* o : octets_) all = all && !o->text().isEmpty();
  add_->setEnabled(all);
  if (all) delete_->setEnabled(false);
}

bool CConnectNetscan::CheckOctetField(int index) {
  QLineEdit* field = octets_[std::size_t(index)];
  if (m_bSkipFieldChecks || m_bScanning || QApplication::focusWidget() == escape_) return true;
  if (CMisc::IsValidOctet(field->text().toStdU16String())) return true;
  checking_ = true;
  dlg_.errors().ShowError(index < 4 ? kErrorNetworkOctet : kErrorMaskOctet);
  checking_ = false;
  if (field->text().isEmpty()) field->setText(m_strSavedOctets[std::size_t(index)]);
  field->setFocus();
  field->setSelection(0, 3);
  return false;
}

// --- Zones ---

bool CConnectNetscan::IsValidMask(const std::array<int, 4>& m, const std::array<QString, 4>& texts) const {
  for (const QString& t : texts)
    if (!CMisc::IsValidOctet(t.toStdU16String())) return false;
  const QString dotted = QStringLiteral("%1.%2.%3.%4").arg(m[0]).arg(m[1]).arg(m[2]).arg(m[3]);
  if (dotted == QStringLiteral("0.0.0.0") || dotted == QStringLiteral("255.255.255.255")) return false;
  return m[1] <= m[0] && m[2] <= m[1] && m[3] <= m[2];
}

void CConnectNetscan::OnAddZone() {
  if (m_bScanning) return;
  std::array<QString, 4> net, mask;
  std::array<int, 4> netNumbers{}, maskNumbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    net[i] = octets_[i]->text();
    mask[i] = octets_[i + 4]->text();
    netNumbers[i] = net[i].toInt();
    maskNumbers[i] = mask[i].toInt();
  }
  for (const QString& t : net)
    if (t.isEmpty()) return dlg_.errors().ShowError(kErrorNetworkOctet);
  for (const QString& t : net)
    if (!CMisc::IsValidOctet(t.toStdU16String())) return;
  for (const QString& t : mask)
    if (t.isEmpty()) return dlg_.errors().ShowError(kErrorMaskOctet);
  if (!IsValidMask(maskNumbers, mask)) return;
  const std::u16string network =
      CMisc::FormatAddress(netNumbers[0], netNumbers[1], netNumbers[2], netNumbers[3]);
  const std::u16string maskText =
      CMisc::FormatAddress(maskNumbers[0], maskNumbers[1], maskNumbers[2], maskNumbers[3]);
  // The zones change: a sweep still running after its first find ends first.
  StopSweep();
  switch (CConfigMngt::AddSubnet(network, maskText)) {
    case SONVIRA_OK: {
      zones_->addItem(QString::fromStdU16String(network));
      dlg_.state().m_arrZoneMasks.push_back(maskText);
      dlg_.state().m_arrZoneNetworks.push_back(network);
      start_->setEnabled(true);
      add_->setEnabled(false);
      zones_->setFocus();
      break;
    }
    case SONVIRA_NOT_NETWORK_ADDRESS:
      dlg_.prompt().message(this, dlg_.text(5996), dlg_.messageTitle(), QMessageBox::Information);
      break;
    case SONVIRA_INVALID_SUBNET:
      dlg_.prompt().message(this, dlg_.text(5997), dlg_.messageTitle(), QMessageBox::Information);
      break;
    default: break;
  }
}

void CConnectNetscan::RemoveZone(int line) {
  StopSweep();
  delete zones_->takeItem(line);
  auto& masks = dlg_.state().m_arrZoneMasks;
  auto& networks = dlg_.state().m_arrZoneNetworks;
  if (std::size_t(line) < masks.size()) masks.erase(masks.begin() + line);
  if (std::size_t(line) < networks.size()) networks.erase(networks.begin() + line);
  // As a list box after a deletion: nothing selected.
  zones_->setCurrentRow(-1);
  zones_->clearSelection();
  RegisterZones();
  delete_->setEnabled(false);
}

void CConnectNetscan::OnDeleteZone() {
  if (m_bScanning) return;
  const int line = zones_->currentRow();
  if (line < 0 || !zones_->currentItem() || !zones_->currentItem()->isSelected())
    return dlg_.errors().ShowError(kErrorNoZoneSelected);
  RemoveZone(line);
}

void CConnectNetscan::RegisterZones() {
  Sonvira_CleanSubnetList();
  const auto& masks = dlg_.state().m_arrZoneMasks;
  for (int i = 0; i < zones_->count(); ++i) {
    const std::u16string mask = std::size_t(i) < masks.size() ? masks[std::size_t(i)] : std::u16string();
    const int r = CConfigMngt::AddSubnet(zones_->item(i)->text().toStdU16String(), mask);
    if (r == SONVIRA_NOT_NETWORK_ADDRESS) return dlg_.errors().ShowError(kErrorNetworkOctet);
    if (r == SONVIRA_INVALID_SUBNET) return dlg_.errors().ShowError(kErrorMaskOctet);
  }
  if (zones_->count() == 0) {
    start_->setEnabled(false);
    add_->setEnabled(true);
  }
}

// --- The sweep ---

void CConnectNetscan::SetBusy(bool busy) {
  // The window's busy cursor follows the flag.
  dlg_.state().m_bBusy = busy ? 1 : 0;
}

void CConnectNetscan::OnStartSearch() {
  if (zones_->count() == 0) return dlg_.errors().ShowError(kErrorNoZones);
  start_->setText(dlg_.text(8815));
  SetBusy(true);
  grid_->SetRowsBackColor(kRowColour);
  if (!m_bScanning) {
    m_foundSensors.clear();
    m_bScanning = true;
    for (int r = 1; r < grid_->GetRowCount(); ++r)
      for (int c = 0; c < 4; ++c) {
        grid_->SetCellText(r, c, QString());
        grid_->SetCellState(r, c, 0);
      }
    grid_->SetScrollPosition(1, 0);
    EnableControls(true);
    StopSweep();
    SetBusy(true);
    sweep_ = std::make_unique<SweepTarget>();
    sweep_->dialog = this;
    sweep_->id = ++sweepId_;
    vt_target_init(&sweep_->target, &CConnectNetscan::PostFromLibrary, sweep_.get());
    // A refused start leaves the dialog scanning until the user presses Stop.
    sweepRunning_ = Sonvira_StartScanning(&sweep_->target, kSensorFound, kScanFinished) == SONVIRA_OK;
    sweepHoldsBusy_ = true;
    return;
  }
  EnableControls(true);
  StopSweep();
  SetBusy(false);
  EnableControls(false);
  m_bScanning = false;
  start_->setText(dlg_.text(8805));
}

void CConnectNetscan::StopSweep() {
  if (sweepRunning_) Sonvira_StopScanning();
  sweepRunning_ = false;
  if (sweep_) {
    vt_target_close(&sweep_->target);
    sweep_.reset();
  }
  ++sweepId_;
  if (sweepHoldsBusy_) {
    sweepHoldsBusy_ = false;
    SetBusy(false);
  }
}

void CConnectNetscan::PostFromLibrary(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                                      VtPayloadDeleter deleter) {
  auto* sweep = static_cast<SweepTarget*>(context);
  // The record is copied here and freed at once; the GUI thread gets the copy.
  SensorDiscoveryRecord record{};
  const bool hasRecord = lParam != 0 && int(wParam) == kSensorFound && deleter;
  if (hasRecord) record = *reinterpret_cast<const SensorDiscoveryRecord*>(lParam);
  if (deleter) deleter(reinterpret_cast<void*>(lParam));
  if (message != kWmUser) return;
  CConnectNetscan* dialog = sweep->dialog;
  const int id = sweep->id;
  const int event = int(wParam);
  QMetaObject::invokeMethod(
      dialog,
      [dialog, id, event, record, hasRecord] {
        // A sweep stopped since: what it queued is dropped.
        if (id != dialog->sweepId_) return;
        dialog->OnScanMessage(event, hasRecord ? &record : nullptr);
      },
      Qt::QueuedConnection);
}

void CConnectNetscan::OnScanMessage(int event, const SensorDiscoveryRecord* record) {
  if (event == kSensorFound) {
    if (record) StoreFoundSensor(*record);
    ShowNewestSensor();
    m_bScanning = false;
    start_->setText(dlg_.text(8805));
  } else if (event == kScanFinished) {
    m_bScanning = false;
    sweepRunning_ = false;
    start_->setText(dlg_.text(8805));
    if (m_foundSensors.empty()) {
      dlg_.prompt().message(this, dlg_.text(8810), dlg_.messageTitle(), QMessageBox::Information);
      EnableControls(false);
    }
    if (sweepHoldsBusy_) {
      sweepHoldsBusy_ = false;
      SetBusy(false);
    }
  }
}

void CConnectNetscan::StoreFoundSensor(const SensorDiscoveryRecord& record) {
  if (std::string_view(record.type, strnlen(record.type, sizeof record.type)) != kServedType) return;
  SensorDiscoveryRecord copy{};
  auto text = [](char* out, std::size_t size, const char* in, std::size_t inSize) {
    const std::size_t n = std::min(strnlen(in, inSize), size - 1);
    std::memcpy(out, in, n);
    out[n] = '\0';
  };
  text(copy.name, sizeof copy.name, record.name, sizeof record.name);
  text(copy.secondText, sizeof copy.secondText, record.secondText, sizeof record.secondText);
  text(copy.type, sizeof copy.type, record.type, sizeof record.type);
  text(copy.ip, sizeof copy.ip, record.ip, sizeof record.ip);
  text(copy.mask, sizeof copy.mask, record.mask, sizeof record.mask);
  text(copy.mac, sizeof copy.mac, record.mac, sizeof record.mac);
  copy.dhcp = record.dhcp;
  copy.number1 = record.number1;
  copy.number2 = record.number2;
  m_foundSensors.push_back(copy);
}

void CConnectNetscan::ShowNewestSensor() {
  const int count = int(m_foundSensors.size());
  if (count == 0)
    for (int r = 1; r < grid_->GetRowCount(); ++r)
      for (int c = 0; c < 4; ++c) grid_->SetCellText(r, c, QString());
  connect_->setEnabled(false);
  if (count > 0) {
    const SensorDiscoveryRecord& s = m_foundSensors.back();
    const int row = count;
    auto decode = [](const char* text, std::size_t size) {
      return QString::fromStdU16String(DecodeSensorText(std::string_view(text, strnlen(text, size))));
    };
    // One empty row always stays below the last sensor.
    if (count >= grid_->GetRowCount() - 1) {
      const int inserted = grid_->InsertRow(QString(), row);
      grid_->SetRowHeight(inserted, 22);
      for (int c = 0; c < 4; ++c) grid_->SetCellTextColor(inserted, c, 0);
    }
    grid_->SetCellText(row, 0, decode(s.name, sizeof s.name));
    grid_->SetCellText(row, 1, decode(s.secondText, sizeof s.secondText));
    grid_->SetCellText(row, 2,
                       s.dhcp == 1 ? QStringLiteral("DHCP") : QString::fromLatin1(s.ip, qsizetype(strnlen(s.ip, sizeof s.ip))));
    grid_->SetCellText(row, 3, QString::fromLatin1(s.mac, qsizetype(strnlen(s.mac, sizeof s.mac))));
  }
  if (grid_->CountFilledRows() > 0) {
    for (int c = 0; c < 4; ++c) grid_->SetCellState(1, c, CellStateFlags::kSelected);
    EnableControls(false);
  }
  grid_->Refresh();
}

void CConnectNetscan::EnableControls(bool scanningState) {
  if (scanningState) {
    for (QPushButton* b : {close_, escape_, help_, save_, saveAll_, connect_, add_, delete_}) b->setEnabled(false);
    start_->setEnabled(true);
    return;
  }
  for (QPushButton* b : {close_, escape_, help_, add_}) b->setEnabled(true);
  start_->setEnabled(zones_->count() > 0);
  if (grid_->CountFilledRows() >= 1)
    for (QPushButton* b : {save_, saveAll_, connect_}) b->setEnabled(true);
}

// --- The found sensors ---

void CConnectNetscan::OnGridNotify(const GridNotifyRecord& n) {
  const bool busy = dlg_.state().m_bBusy != 0;
  switch (n.code) {
    case GridNotifyCode::kItemChanging:
      if (busy || n.row < 1 || n.row > grid_->CountFilledRows()) return;
      for (int r = 1; r < grid_->GetRowCount(); ++r)
        for (int c = 0; c < 4; ++c) {
          grid_->SetCellState(r, c, 0);
          grid_->SetCellBackColor(r, c, CLR_DEFAULT);
        }
      for (int c = 0; c < 4; ++c) grid_->SetCellState(n.row, c, CellStateFlags::kSelected);
      grid_->Refresh();
      return;
    case GridNotifyCode::kClick: {
      if (busy || m_bScanning) return SetBusy(busy);
      const int row = grid_->GetSelectedRow();
      if (row <= 0) return;
      const bool filled = !grid_->GetCellText(row, 2).isEmpty();
      for (QPushButton* b : {save_, saveAll_, connect_}) b->setEnabled(filled);
      return;
    }
    case GridNotifyCode::kDoubleClick:
      if (busy || m_bScanning) return SetBusy(busy);
      if (grid_->GetSelectedRow() >= 1 && n.row >= 1 && n.row <= grid_->CountFilledRows()) OnConnect();
      return;
    default: return;
  }
}

SavedConnection CConnectNetscan::ConnectionOfRow(const GridRowRecord& row) {
  SavedConnection c;
  c.name = row[0];
  c.location = row[1];
  c.macAddress = row[3];
  if (row[2] != QStringLiteral("DHCP")) {
    c.dhcp = QStringLiteral("OFF");
    c.ipAddress = row[2];
  } else {
    c.dhcp = QStringLiteral("ON");
    StopSweep();
    const auto& s = dlg_.state();
    for (std::size_t i = 0; i < s.m_arrZoneNetworks.size() && i < s.m_arrZoneMasks.size(); ++i) {
      QString ip, mask;
      const QString zoneMask = QString::fromStdU16String(s.m_arrZoneMasks[i]);
      if (LookUpByMac(c.macAddress, QString::fromStdU16String(s.m_arrZoneNetworks[i]), zoneMask, ip, mask) ==
          SONVIRA_FOUND) {
        c.ipAddress = ip;
        c.networkMask = zoneMask;
        break;
      }
    }
  }
  c.xmlPort = QStringLiteral("8080");
  return c;
}

void CConnectNetscan::OnConnect() {
  GridRowRecord entry;
  if (!grid_->CopySelectedRowToRecord(entry) || entry[0].isEmpty()) return;
  if (entry[2] == QStringLiteral("DHCP")) {
    StopSweep();
    const auto& s = dlg_.state();
    bool found = false;
    const std::size_t zones = std::min(s.m_arrZoneNetworks.size(), s.m_arrZoneMasks.size());
    for (std::size_t i = 0; i < zones; ++i) {
      QString ip, mask;
      const int r = LookUpByMac(entry[3], QString::fromStdU16String(s.m_arrZoneNetworks[i]),
                                QString::fromStdU16String(s.m_arrZoneMasks[i]), ip, mask);
      if (r == SONVIRA_FOUND) {
        entry[2] = ip;
        found = true;
        break;
      }
      if (r == SONVIRA_NOT_FOUND) break;
    }
    if (!found)
      dlg_.prompt().message(dlg_.mainWindow(), dlg_.text(6081), dlg_.messageTitle(), QMessageBox::Information);
  }
  // The sweep ends with the dialog; the connect holds the busy flag from here.
  StopSweep();
  SetBusy(true);
  dlg_.state().m_bConnectFromScan = 1;
  bookmarks_.ClearOctets();
  bookmarks_.SetScanEntry(entry);
  bookmarks_.OnConnect();
  Leave(QDialog::Rejected);
}

void CConnectNetscan::OnButtonSave() {
  GridRowRecord entry;
  if (!grid_->CopySelectedRowToRecord(entry) || entry[0].isEmpty()) return;
  const bool sweepBusy = sweepHoldsBusy_;
  sweepHoldsBusy_ = false;
  SetBusy(true);
  const SavedConnection c = ConnectionOfRow(entry);
  dlg_.state().m_bUseMessageOwner = 1;
  bookmarks_.SaveConnection(c);
  SetBusy(false);
  sweepHoldsBusy_ = sweepBusy && sweepRunning_;
  if (sweepHoldsBusy_) SetBusy(true);
}

void CConnectNetscan::OnButtonSaveall() {
  std::vector<GridRowRecord> rows;
  if (!grid_->CopyRowsToRecords(rows) || rows.empty()) return;
  const bool sweepBusy = sweepHoldsBusy_;
  sweepHoldsBusy_ = false;
  SetBusy(true);
  for (const GridRowRecord& row : rows) {
    // One that is not saved does not stop the others.
    const SavedConnection c = ConnectionOfRow(row);
    dlg_.state().m_bUseMessageOwner = 1;
    bookmarks_.SaveConnection(c);
  }
  SetBusy(false);
  sweepHoldsBusy_ = sweepBusy && sweepRunning_;
  if (sweepHoldsBusy_) SetBusy(true);
}

void CConnectNetscan::OnHelp() {
  if (m_bScanning) return;
  dlg_.LaunchHelp(dlg_.resources().definition(406).toInt());
}

// --- Leaving ---

void CConnectNetscan::Leave(int result) {
  StopSweep();
  Sonvira_CleanSubnetList();
  dlg_.state().m_nOpenDialog = 0;
  done(result);
}

void CConnectNetscan::OnClose() {
  if (m_bScanning) return;
  Leave(QDialog::Accepted);
}

void CConnectNetscan::OnEscape() {
  m_bSkipFieldChecks = true;
  if (m_bScanning) return;
  Leave(QDialog::Rejected);
}

void CConnectNetscan::CloseForReset() {
  StopSweep();
  Sonvira_CleanSubnetList();
  done(QDialog::Rejected);
}

void CConnectNetscan::done(int result) {
  // Every way out: no sweep goes on, the library's zones are emptied, the
  // zones stay listed for later DHCP lookups.
  StopSweep();
  Sonvira_CleanSubnetList();
  dlg_.setMessageOwner(nullptr);
  dlg_.state().m_nZoneCount = zones_->count();
  dlg_.state().m_nOpenDialog = 0;
  QDialog::done(result);
}

// Escape, the close box and Alt+F4 all leave as the Escape button does.
void CConnectNetscan::reject() { OnEscape(); }

bool CConnectNetscan::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusOut) {
    for (std::size_t i = 0; i < octets_.size(); ++i)
      if (watched == octets_[i] && !checking_) {
        // After the focus has settled: the check may show a box.
        QTimer::singleShot(0, this, [this, i] {
          if (!checking_ && QApplication::focusWidget() != octets_[i]) CheckOctetField(int(i));
        });
      }
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: return true;
    case Qt::Key_Escape:
      if (type == QEvent::KeyPress) OnEscape();
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      if (watched == grid_) return false;
      if (type == QEvent::KeyPress) {
        add_->setDefault(true);
        add_->setFocus();
      }
      QKeyEvent copy(type, key->key(), key->modifiers());
      QCoreApplication::sendEvent(grid_, &copy);
      return true;
    }
    case Qt::Key_Delete:
      if (type == QEvent::KeyPress && !m_bScanning && zones_->currentItem() && zones_->currentItem()->isSelected())
        RemoveZone(zones_->currentRow());
      return false;
    case Qt::Key_F1:
      if (type == QEvent::KeyPress) m_bSkipFieldChecks = true;
      return false;
    default: return false;
  }
}
