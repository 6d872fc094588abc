#include "settings/reg.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/saved_connection.h"

QString NormaliseAddress(const QString& address) {
  QStringList parts = address.split('.');
  while (parts.size() < 4) parts.append(QString());
  QStringList numbers;
  for (int i = 0; i < 4; ++i) numbers << QString::number(parts[i].toInt());
  return numbers.join('.');
}

bool CanConnect(const SavedConnection& c) {
  auto given = [](const QString& t) { return !t.isEmpty() && t != QStringLiteral("-"); };
  if (!given(c.xmlPort)) return false;
  return c.dhcp == QStringLiteral("ON") ? given(c.macAddress) : given(c.ipAddress);
}

CReg::CReg(QString basePath, QString configFolder) : basePath_(std::move(basePath)), configFolder_(std::move(configFolder)) {
  if (configFolder_.isEmpty()) configFolder_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

CReg::~CReg() { Close(); }

void CReg::setBasePath(const QString& basePath) {
  if (basePath == basePath_) return;
  Close();
  settings_.reset();
  basePath_ = basePath;
}

QString CReg::fileName() const { return QDir(configFolder_).filePath(basePath_ + QStringLiteral(".ini")); }

QSettings& CReg::settings() {
  if (!settings_) settings_ = std::make_unique<QSettings>(fileName(), QSettings::IniFormat);
  return *settings_;
}

QString CReg::group(const QString& keyPath) {
  QString g = keyPath;
  g.replace('\\', '/');
  while (g.startsWith('/')) g.remove(0, 1);
  return g;
}

bool CReg::exists(const QString& keyPath) {
  QSettings& s = settings();
  const QString g = group(keyPath);
  if (g.isEmpty()) return QFileInfo::exists(fileName());
  s.beginGroup(g);
  const bool found = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
  s.endGroup();
  return found;
}

// A flush with nothing changed writes nothing; a file that cannot be
// written still fails it.
bool CReg::flush() {
  QSettings& s = settings();
  s.sync();
  return s.status() == QSettings::NoError && s.isWritable();
}

int CReg::Create(const QString& keyPath) {
  Close();
  // A key of an INI file exists once it holds a value; it can be made when
  // the file can be written.
  if (basePath_.isEmpty() || !QDir().mkpath(QFileInfo(fileName()).absolutePath()) || !flush()) return 0;
  key_ = group(keyPath);
  if (key_.isEmpty()) key_ = QStringLiteral("/");
  return 1;
}

int CReg::Open(const QString& keyPath) {
  if (basePath_.isEmpty() || !exists(keyPath)) {
    Close();
    return 0;
  }
  key_ = group(keyPath);
  if (key_.isEmpty()) key_ = QStringLiteral("/");
  return 1;
}

void CReg::Close() { key_.clear(); }

int CReg::SetString(const QString& name, const QString& text) {
  if (key_.isEmpty()) return 0;
  // A value stored as it is stays: every start writes its values back, and
  // each write of the file waits for the disk twice.
  const QString key = key_ == QStringLiteral("/") ? name : key_ + '/' + name;
  const QVariant stored = settings().value(key);
  if (!stored.isValid() || stored.toString() != text) settings().setValue(key, text);
  return batch_ || flush() ? 1 : 0;
}

int CReg::SetDword(const QString& name, quint32 value) { return SetString(name, QString::number(value)); }

int CReg::GetString(const QString& name, QString& out) {
  out.clear();
  if (key_.isEmpty()) return 0;
  const QVariant v = settings().value(key_ == QStringLiteral("/") ? name : key_ + '/' + name);
  if (!v.isValid()) return 0;
  out = v.toString();
  return 1;
}

int CReg::GetDword(const QString& name, quint32& out) {
  out = 0;
  QString text;
  if (!GetString(name, text)) return 0;
  bool ok = false;
  const quint32 v = text.toUInt(&ok);
  if (!ok) return 0;
  out = v;
  return 1;
}

int CReg::DeleteKey(const QString& keyPath) {
  if (!exists(keyPath)) return 0;
  settings().remove(group(keyPath));
  return batch_ || flush() ? 1 : 0;
}

bool CReg::Batch(const std::function<bool()>& writes) {
  batch_ = true;
  const bool ok = writes();
  batch_ = false;
  return flush() && ok;
}

int CReg::DeleteValue(const QString& name) {
  if (key_.isEmpty()) return 0;
  settings().remove(key_ + '/' + name);
  return flush() ? 1 : 0;
}

int CReg::CountSubkeys(const QString& keyPath, int& count) {
  QSettings& s = settings();
  s.beginGroup(group(keyPath));
  const int n = int(s.childGroups().size());
  s.endGroup();
  if (n != 0) count = n;
  return 0;
}

int CReg::EnumSubkeys(const QString& keyPath, int& count, QStringList& keys) {
  keys.clear();
  QSettings& s = settings();
  s.beginGroup(group(keyPath));
  const QStringList names = s.childGroups();
  s.endGroup();
  count = int(names.size());
  for (const QString& n : names) keys << keyPath + '\\' + n;
  return 0;
}
