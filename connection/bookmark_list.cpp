// The saved connections in the panel's grid: listing, saving, deleting, and
// the address and port of the selected one.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "connection/bookmark.h"
#include "connection/mac_lookup.h"
#include "controls/grid_ctrl.h"
#include "core/config_mngt.h"
#include "sonvira/sonvira_status.h"
#include "window/main_window.h"

namespace {

constexpr int kErrorTooManyConnections = -14021;
// Connections kept at most: a save is refused when this many are stored.
constexpr int kMaxSavedConnections = 128;
constexpr COLORREF kDetailColour = 0x646464;
constexpr int kRowsPerConnection = 4;

bool Given(const QString& t) { return !t.isEmpty() && t != QStringLiteral("-"); }

}  // namespace

void CBookmark::AddConnectionRows(const SavedConnection& c) {
  const int filled = grid_->CountFilledRows();
  if (filled >= grid_->GetRowCount() - kRowsPerConnection)
    for (int i = 0; i < kRowsPerConnection; ++i) grid_->SetRowHeight(grid_->InsertRow(QString(), filled + 1), 22);
  const int first = filled + 1;
  const QString face = dlg_ ? dlg_->text(10000) : QString();
  QFont bold(face), normal(face);
  // A cell height of 14 pixels: about 11 pixels of letter.
  bold.setPixelSize(11);
  bold.setWeight(QFont::Bold);
  normal.setPixelSize(11);
  auto text = [this](int id) { return dlg_ ? dlg_->text(id) : QString(); };
  const QString address = c.dhcp == QStringLiteral("ON")
                              ? QStringLiteral("%1 %2").arg(text(8711), QStringLiteral("DHCP"))
                              : QStringLiteral("%1 %2 [%3]").arg(text(8711), c.ipAddress, c.xmlPort);
  const QString rows[] = {c.name, QStringLiteral("    %1: %2").arg(text(8707), c.location), address,
                          QStringLiteral("%1 %2").arg(text(8712), c.macAddress)};
  for (int i = 0; i < kRowsPerConnection; ++i) {
    grid_->SetCellText(first + i, 0, rows[i]);
    grid_->SetCellFont(first + i, 0, i == 0 ? bold : normal);
    grid_->SetCellTextColor(first + i, 0, i == 0 ? 0 : kDetailColour);
  }
  listed_.push_back(c);
  grid_->m_MouseMode = GridMouseMode::kClickableRectangle;
  grid_->Refresh();
}

void CBookmark::RefreshList() {
  if (!dlg_) return;
  CQuorrenReg& reg = dlg_->settings();
  reg.CountConnections();
  const QStringList keys = reg.connectionKeys();
  if (keys.isEmpty() && listed_.empty()) return;
  for (int r = 1; r < grid_->GetRowCount(); ++r) grid_->SetCellText(r, 0, QString());
  listed_.clear();
  for (const QString& key : keys) {
    SavedConnection c;
    reg.ReadConnection(key, c);
    if (!Given(c.macAddress) && !Given(c.ipAddress)) continue;
    AddConnectionRows(c);
  }
}

const SavedConnection* CBookmark::SelectedConnection() const {
  const int row = grid_->GetSelectedRow();
  if (row < 1) return nullptr;
  // Any of a connection's four rows stands for it.
  const std::size_t index = std::size_t((row - 1) / kRowsPerConnection);
  return index < listed_.size() ? &listed_[index] : nullptr;
}

bool CBookmark::SelectConnection(const QString& name) {
  if (name.isEmpty()) return false;
  for (std::size_t i = 0; i < listed_.size(); ++i) {
    if (listed_[i].name != name) continue;
    const int row = int(i) * kRowsPerConnection + 1;
    grid_->ClearSelection();
    grid_->SetCellState(row, 0, CellStateFlags::kSelected);
    grid_->ScrollCellIntoView(row, 0);
    grid_->Refresh();
    return true;
  }
  return false;
}

int CBookmark::SaveConnection(const SavedConnection& c) {
  MainDialogState& s = dlg_->state();
  QWidget* owner = s.m_bUseMessageOwner ? dlg_->messageOwner() : dlg_->mainWindow();
  CQuorrenReg& reg = dlg_->settings();
  QString found;
  const bool replace = reg.FindConnection(c, found) == 1;
  if (replace) {
    SavedConnection stored;
    reg.ReadConnection(QStringLiteral("\\Connections\\") + found, stored);
    const bool otherAddress = !stored.ipAddress.isEmpty() && !c.ipAddress.isEmpty() &&
                              NormaliseAddress(stored.ipAddress) != NormaliseAddress(c.ipAddress);
    const QString question =
        otherAddress ? dlg_->text(8710) : dlg_->text(8708) + QLatin1Char(' ') + dlg_->text(8709);
    if (dlg_->prompt().message(owner, question, dlg_->messageTitle(), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
      s.m_bBusy = 0;
      return -1;
    }
  }
  s.m_bBusy = 1;
  // A replace keeps the count; only a new entry can pass the limit.
  if (!replace && reg.CountConnections() >= kMaxSavedConnections) {
    s.m_bBusy = 0;
    dlg_->errors().ShowError(kErrorTooManyConnections);
    return -1;
  }
  const int stored = replace ? reg.ReplaceConnection(found, c) : reg.StoreConnection(c);
  RefreshList();
  grid_->m_MouseMode = GridMouseMode::kClickableRectangle;
  s.m_bBusy = 0;
  if (stored != 0) {
    dlg_->WarnSettingsNotSaved();
    return -1;
  }
  dlg_->setLastConnection(c.name);
  return 0;
}

void CBookmark::DeleteSelectedConnection() {
  if (Busy() || !dlg_) return;
  if (dlg_->prompt().message(dlg_->mainWindow(), dlg_->text(6011), dlg_->messageTitle(), QMessageBox::Question,
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  const SavedConnection* selected = SelectedConnection();
  if (!selected) return;
  const QString name = selected->name;
  const int index = int(selected - listed_.data());
  CQuorrenReg& reg = dlg_->settings();
  reg.DeleteConnection(name);

  QString last;
  reg.ReadLastConnection(last);
  if (last == name) {
    reg.WriteLastConnection(QString());
    connect_->setEnabled(false);
    SetConnectCommand(false);
    dlg_->setLastConnection(QString());
    dlg_->state().m_strConnectAddress.clear();
  }
  // The connection's own four rows go; four empty ones keep the row count.
  const int first = index * kRowsPerConnection + 1;
  const int rows = grid_->GetRowCount();
  for (int i = 0; i < kRowsPerConnection; ++i) grid_->DeleteRow(first);
  for (int i = 0; i < kRowsPerConnection; ++i) {
    const int at = first > rows - 5 ? first : -1;  // -1: at the end
    grid_->SetRowHeight(grid_->InsertRow(QString(), at), 22);
  }
  listed_.erase(listed_.begin() + index);
  grid_->ClearSelection();
  delete_->setEnabled(false);
  grid_->Refresh();
}

QString CBookmark::SelectedConnectionAddress() {
  const SavedConnection* c = SelectedConnection();
  if (!c) return {};
  if (c->dhcp != QStringLiteral("ON")) {
    if (Given(c->ipAddress)) return c->ipAddress;
    // Never a name as a host: say that there is no address.
    dlg_->prompt().message(dlg_->mainWindow(), dlg_->text(8716), dlg_->messageTitle(), QMessageBox::Information);
    return {};
  }
  // A DHCP sensor is looked up by its stored MAC in its stored network.
  if (!Given(c->ipAddress) || !Given(c->networkMask)) {
    dlg_->prompt().message(dlg_->mainWindow(), dlg_->text(8717), dlg_->messageTitle(), QMessageBox::Information);
    return {};
  }
  std::u16string network;
  if (const int r = CConfigMngt::GetNetworkIP(c->ipAddress.toStdU16String(), c->networkMask.toStdU16String(), network);
      r != 0) {
    dlg_->errors().ShowError(r);
    return {};
  }
  QString ip, mask;
  if (LookUpByMac(c->macAddress, QString::fromStdU16String(network), c->networkMask, ip, mask) == SONVIRA_FOUND)
    return ip;
  dlg_->prompt().message(dlg_->mainWindow(), dlg_->text(6081), dlg_->messageTitle(), QMessageBox::Information);
  return {};
}

int CBookmark::SelectedConnectionPort() const {
  const SavedConnection* c = SelectedConnection();
  if (!c || !Given(c->xmlPort)) return 0;
  return c->xmlPort.toInt();
}
