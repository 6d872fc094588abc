// The shared records name a member "slots": they come before any Qt header.
#include "core/misc_checks.h"

#include "connection/bookmark.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "connection/connect_netscan.h"
#include "connection/mac_lookup.h"
#include "controls/grid_ctrl.h"
#include "core/error_codes.h"
#include "core/join_address.h"
#include "core/sensor_address.h"
#include "core/sensor_command.h"
#include "window/dialog_control.h"
#include "window/main_window.h"
#include "window/menu_table.h"

namespace {

constexpr int kToolbarConnect = 5000;
constexpr int kErrorOctet = -14210;
constexpr int kErrorPort = -14213;
constexpr int kErrorAddress = -19015;

QString idName(int id) { return QStringLiteral("id%1").arg(id); }


}  // namespace

CBookmark::CBookmark() {
  setObjectName("CBookmark");
  CreateControls();
}

CBookmark::~CBookmark() {
  // The dialog stops its sweep before the panel's members go.
  scan_.reset();
}

void CBookmark::CreateControls() {
  addressLabel_ = new QLabel(this);
  addressLabel_->setObjectName(idName(1107));
  addressLabel_->setGeometry(8, 8, 220, 20);
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    auto* octet = new QLineEdit(this);
    octet->setObjectName(idName(1009 + int(i)));
    octet->setMaxLength(3);
    octet->setGeometry(8 + int(i) * 52, 30, 40, 24);
    octet->setAlignment(Qt::AlignCenter);
    octets_[i] = octet;
    connect(octet, &QLineEdit::textEdited, this, [this, i] { OnOctetChanged(int(i)); });
    if (i > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setGeometry(8 + int(i) * 52 - 10, 30, 8, 24);
      dot->setAlignment(Qt::AlignCenter);
    }
  }
  portLabel_ = new QLabel(this);
  portLabel_->setObjectName(idName(1108));
  portLabel_->setGeometry(220, 8, 120, 20);
  port_ = new QLineEdit(this);
  port_->setObjectName(idName(1013));
  port_->setMaxLength(5);
  port_->setGeometry(220, 30, 60, 24);
  connect(port_, &QLineEdit::textEdited, this, &CBookmark::OnPortChanged);

  auto button = [this](int id, int x, int y, int w) {
    auto* b = new QPushButton(this);
    b->setObjectName(idName(id));
    b->setGeometry(x, y, w, 26);
    return b;
  };
  connect_ = button(1015, 8, 64, 118);
  find_ = button(1014, 130, 64, 118);
  delete_ = button(1173, 256, 100, 92);
  help_ = button(1196, 256, 134, 92);
  close_ = button(1016, 256, 168, 92);
  connect(connect_, &QPushButton::clicked, this, [this] {
    if (!Busy()) OnConnect();
  });
  connect(find_, &QPushButton::clicked, this, &CBookmark::OnFindSensors);
  connect(delete_, &QPushButton::clicked, this, &CBookmark::DeleteSelectedConnection);
  connect(close_, &QPushButton::clicked, this, &CBookmark::OnClose);
  connect(help_, &QPushButton::clicked, this, [this] {
    if (!Busy() && dlg_) dlg_->LaunchHelp(dlg_->resources().definition(403).toInt());
  });

  grid_ = new CGridCtrl(0, 0, 0, 0, this);
  grid_->setObjectName(idName(1025));
  grid_->setGeometry(8, 100, 240, 350);
  SetupGrid();
  grid_->SetNotifyHandler([this](const GridNotifyRecord& n) {
    OnGridNotify(n);
    return 0;
  });

  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  port_->setText(QStringLiteral("8080"));
  delete_->setEnabled(false);
  connect_->setEnabled(false);
}

void CBookmark::SetupGrid() {
  grid_->m_OwnerRole = GridOwnerRole::SavedConnections;
  grid_->SetEditable(false);
  grid_->SetColumnCount(1);
  grid_->SetFixedRowCount(1);
  grid_->SetRowCount(15);
  grid_->SetFixedRowCount(1);
  grid_->SetColumnWidth(0, 218);
  grid_->SetRowHeight(0, 23);
  for (int r = 1; r < grid_->GetRowCount(); ++r) grid_->SetRowHeight(r, 22);
  for (bool col : {false, true}) grid_->GetDefaultCell(true, col)->SetBackColour(0x3599FF);
  grid_->GetDefaultCell(false, true)->SetBackColour(0x3599FF);
  grid_->SetCellFormat(0, 0, CellFormat::kVCenter | CellFormat::kSingleLine | CellFormat::kNoPrefix |
                                 CellFormat::kEndEllipsis);
  grid_->m_MouseMode = GridMouseMode::kClickableRectangle;
}

void CBookmark::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  grid_->SetBusyQuery([this] { return Busy(); });
  scan_ = std::make_unique<CConnectNetscan>(dlg, *this, dlg.mainWindow());
  connect(&dlg, &CVarnisDatamatrixDlg::userInterfaceReset, this, &CBookmark::OnReset);
}

void CBookmark::OnReset() {
  CloseScanDialog();
  ClearOctets();
  UpdateConnectButton();
}

void CBookmark::OnConnectEnded() { UpdateConnectButton(); }

// Connect is on while the fields hold something to connect to: four typed
// octets, or none typed and a saved connection selected.
void CBookmark::UpdateConnectButton() {
  const std::array<QString, 4> typed = octetTexts();
  const bool all = std::none_of(typed.begin(), typed.end(), [](const QString& o) { return o.isEmpty(); });
  const bool none = std::all_of(typed.begin(), typed.end(), [](const QString& o) { return o.isEmpty(); });
  connect_->setEnabled(all || (none && SelectedConnection() != nullptr));
}

void CBookmark::ReloadTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1074));
  addressLabel_->setText(dlg_->text(8700));
  portLabel_->setText(dlg_->text(8701));
  find_->setText(dlg_->text(8702));
  connect_->setText(dlg_->text(8703));
  delete_->setText(dlg_->text(8704));
  help_->setText(dlg_->text(9205));
  close_->setText(dlg_->text(8705));
  QFont header(dlg_->text(10002));
  header.setPixelSize(12);
  header.setWeight(QFont::Bold);
  grid_->SetCellFont(0, 0, header);
  grid_->SetCellText(0, 0, dlg_->text(8706));
  if (scan_) scan_->ReloadTexts();
  RefreshList();
}

void CBookmark::OnSettingsLoaded() {
  settingsLoaded_ = true;
  RefreshList();
  const QString& last = dlg_->lastConnection();
  if (!last.isEmpty() && SelectConnection(last)) {
    connect_->setEnabled(true);
    delete_->setEnabled(true);
    SetConnectCommand(true);
  }
}

bool CBookmark::Busy() const { return dlg_ && dlg_->state().m_bBusy; }

std::array<QString, 4> CBookmark::octetTexts() const {
  std::array<QString, 4> out;
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = octets_[i]->text();
  return out;
}

QString CBookmark::portText() const { return port_->text(); }
QWidget* CBookmark::firstOctet() { return octets_[0]; }

void CBookmark::ClearOctets() {
  for (QLineEdit* o : octets_) o->clear();
}

void CBookmark::SetConnectCommand(bool enabled) {
  if (!dlg_) return;
  // The state controller owns the connect button and menu entry once it runs.
  if (settingsLoaded_) {
    dlg_->dialogControl().SetConnectButton(!enabled);
    return;
  }
  for (int id : {kToolbarConnect, MenuIds::kConnect})
    if (QAction* a = dlg_->action(id)) a->setEnabled(enabled);
}

// --- Fields ---

void CBookmark::OnOctetChanged(int index) {
  if (Busy()) return;
  SetConnectCommand(false);
  const QString text = octets_[std::size_t(index)]->text();
  if (!text.isEmpty() && !CMisc::IsValidOctet(text.toStdU16String())) {
    RefuseOctet(index, kErrorOctet);
    return;
  }
  if (!text.isEmpty()) {
    // A typed address is no saved connection.
    current_ = SavedConnection{};
    delete_->setEnabled(false);
  }
  if (text.size() == 3 && index < 3) MoveToOctet(index + 1, true);
  bool all = true;
  for (QLineEdit* o : octets_) all = all && !o->text().isEmpty();
  connect_->setEnabled(all);
  SetConnectCommand(all);
}

void CBookmark::MoveToOctet(int index, bool automatic) {
  QLineEdit* next = octets_[std::size_t(index)];
  next->setFocus(Qt::TabFocusReason);
  next->selectAll();
  // The dot people type after three digits follows the move: it is swallowed.
  autoMovedTo_ = automatic ? next : nullptr;
}

// A dot moves on to the next octet, as in every address field; right after
// a move made by three digits it only ends that octet.
bool CBookmark::OnOctetKey(QLineEdit* octet, QKeyEvent* key) {
  const bool dot = key->key() == Qt::Key_Period || key->text() == QStringLiteral(".");
  const bool followsMove = autoMovedTo_ == octet;
  autoMovedTo_ = nullptr;
  if (!dot) return false;
  const auto at = std::find(octets_.begin(), octets_.end(), octet);
  const int index = int(at - octets_.begin());
  if (!followsMove && !octet->text().isEmpty() && index < 3) MoveToOctet(index + 1, false);
  return true;
}

void CBookmark::RefuseOctet(int index, int code) {
  octets_[std::size_t(index)]->clear();
  dlg_->errors().ShowError(code);
}

void CBookmark::RefusePort() {
  settingPort_ = true;
  port_->setText(QStringLiteral("8080"));
  settingPort_ = false;
  port_->setFocus();
  dlg_->errors().ShowError(kErrorPort);
}

void CBookmark::OnPortChanged() {
  if (Busy() || settingPort_) return;
  const QString text = port_->text();
  for (QChar c : text)
    if (c.unicode() < '-' || c.unicode() > '9') {
      // Once for the whole text: it is reset at the first bad character.
      RefusePort();
      return;
    }
  // Checked against 99999 while typing; 1024..65535 at connect.
  if (text.size() >= 4) {
    const int value = text.toInt();
    if (value < 1024 || value > 99999) RefusePort();
  }
}

// --- Connect ---

void CBookmark::OnConnect() {
  if (!dlg_) return;
  MainDialogState& s = dlg_->state();
  if (s.m_bConnected) return;  // the main window's connect asks about disconnecting

  // Typed octets, else the selected saved connection, else the scan's record.
  ConnectionPanelFields fields;
  for (std::size_t i = 0; i < 4; ++i) fields.octets[i] = octets_[i]->text().toStdU16String();
  fields.portText = port_->text().toStdU16String();
  fields.connectFromScan = s.m_bConnectFromScan;
  if (!fields.connectFromScan) {
    fields.bookmarkAddress = SelectedConnectionAddress().toStdU16String();
    fields.bookmarkPort = SelectedConnectionPort();
    if (const SavedConnection* selected = SelectedConnection()) fields.bookmarkName = selected->name.toStdU16String();
  } else {
    fields.scanAddress = scanEntry_[2].toStdU16String();
  }
  const SensorAddressChoice choice = GetSensorAddress(fields);
  const bool allOctets =
      std::none_of(fields.octets.begin(), fields.octets.end(), [](const std::u16string& o) { return o.empty(); });
  const QString address = QString::fromStdU16String(choice.address);
  int port = GetSensorPort(fields);
  bookmarkAddress_ = choice.fromBookmark;
  if (address.isEmpty()) {
    s.m_bBusy = 0;
    return;
  }
  if (allOctets && !s.m_bConnectFromScan) {
    if (!CheckAddressAndPort()) return;
    port = port_->text().toInt();
    connect_->setEnabled(false);
    SetConnectCommand(false);
  } else if (CMisc::CheckAddressClass(address.toStdU16String()) != 0) {
    s.m_bBusy = 0;
    return;
  }
  // Every octet in decimal: "010" is 10, never octal.
  const auto numbers = CMisc::SplitAddress(address.toStdU16String());
  s.m_strConnectAddress = CMisc::FormatAddress(numbers[0], numbers[1], numbers[2], numbers[3]);
  s.m_nConnectPort = port;
  // The saved connection's name (none for a typed or scanned address); the
  // status bar's label shows it, else the address.
  s.m_strConnectionName = choice.fromBookmark ? choice.connectionName : std::u16string();
  CDialogControl* control = dlg_->dialogControlIfMade();
  s.m_strConnectionLabel =
      s.m_strConnectionName.empty() || !control
          ? s.m_strConnectAddress
          : control->FormatConnectionLabel(QString::fromStdU16String(s.m_strConnectionName)).toStdU16String();
  s.m_bBusy = 1;
  if (control) control->ShowConnectingStatus();
  dlg_->PostSensorCommand(CMD_CONNECT);
}

bool CBookmark::CheckAddressAndPort() {
  bool valid = true;
  for (std::size_t i = 0; i < octets_.size(); ++i)
    if (!CMisc::IsValidOctet(octets_[i]->text().toStdU16String())) {
      octets_[i]->setFocus();
      valid = false;
    }
  if (valid) {
    const int a = octets_[0]->text().toInt(), b = octets_[1]->text().toInt(), c = octets_[2]->text().toInt(),
              d = octets_[3]->text().toInt();
    valid = CMisc::IsPlausibleAddress(a, b, c, d);
  }
  if (!valid) {
    dlg_->errors().ShowError(kErrorAddress);
    return false;
  }
  bool ok = false;
  const int port = port_->text().toInt(&ok);
  if (ok && CMisc::IsValidPort(port)) {
    current_.xmlPort = port_->text();
    return true;
  }
  RefusePort();
  return false;
}

// --- Grid ---

void CBookmark::OnGridNotify(const GridNotifyRecord& n) {
  if (Busy()) return;
  switch (n.code) {
    case GridNotifyCode::kItemChanging:
      if (n.row >= 1 && n.row <= grid_->CountFilledRows()) {
        for (int r = 1; r < grid_->GetRowCount(); ++r) grid_->SetCellState(r, 0, 0);
        grid_->SetCellState(n.row, 0, CellStateFlags::kSelected);
        grid_->Refresh();
      }
      break;
    case GridNotifyCode::kClick: {
      grid_->setFocus();
      const bool selected = SelectedConnection() != nullptr;
      delete_->setEnabled(selected);
      connect_->setEnabled(selected);
      SetConnectCommand(selected);
      break;
    }
    case GridNotifyCode::kDoubleClick: {
      if (grid_->GetSelectedRow() != n.row || !SelectedConnection()) {
        delete_->setEnabled(false);
        connect_->setEnabled(false);
        SetConnectCommand(false);
        return;
      }
      delete_->setEnabled(true);
      connect_->setEnabled(true);
      SetConnectCommand(true);
      ClearOctets();
      OnConnect();
      break;
    }
    default: break;
  }
}

// --- Close and the scan dialog ---

void CBookmark::OnClose() {
  if (Busy() || !dlg_) return;
  MainDialogState& s = dlg_->state();
  const bool known = !s.m_strConnectAddress.empty() || !dlg_->lastConnection().isEmpty();
  SetConnectCommand(known);
  connect_->setEnabled(known);
  s.m_bImageVisible = 1;
  if (auto& view = dlg_->panels().imageView) view->ShowDefaultImage();
  ClearOctets();
  s.m_nWizardStep = 0;
  s.m_nPageTitle = 0;
  grid_->ClearSelection();
  SelectConnection(dlg_->lastConnection());
  hide();
  dlg_->dialogControl().SetConnectionPanelShown(false);
}

void CBookmark::OnFindSensors() {
  if (Busy() || !scan_) return;
  scan_->OnInitDialog();
  dlg_->prompt().runDialog(*scan_);
}

void CBookmark::CloseScanDialog() {
  if (scan_ && scan_->isVisible()) scan_->CloseForReset();
}

bool CBookmark::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && watched == autoMovedTo_) autoMovedTo_ = nullptr;
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (auto* octet = qobject_cast<QLineEdit*>(watched);
      octet && std::find(octets_.begin(), octets_.end(), octet) != octets_.end() && OnOctetKey(octet, key))
    return true;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      if (!dlg_) return true;
      const MainDialogState& s = dlg_->state();
      if (s.m_bEditorOpen || s.m_bServiceView || s.m_bMonitorView) return true;
      // Enter presses Connect and "Find sensors..."; in the port field, the
      // last of the typed address, it connects.
      if (watched == connect_ || watched == find_) static_cast<QPushButton*>(watched)->click();
      if (watched == port_) connect_->click();
      return true;
    }
    case Qt::Key_Escape:
    case Qt::Key_Space: return true;
    case Qt::Key_Delete:
      if (Busy()) return true;
      if ((watched == grid_ || watched == grid_->viewport()) && SelectedConnection()) DeleteSelectedConnection();
      return false;
    default: return false;
  }
}
