#include "settings/quorren_reg.h"

#include <algorithm>
#include <iterator>

namespace {
const QString kCommon = QStringLiteral("\\Common");
const QString kConnections = QStringLiteral("\\Connections");
const QString kGraphics = QStringLiteral("\\Graphics");
const QString kReferenceCodes = QStringLiteral("\\ReferenceCode");
constexpr int kMaxReferenceCodes = 15;

// A connection's name as the key below "\Connections": the settings file
// takes "/" and "\" as key separators, so they (and "%", which marks the
// escape) are stored as %2F, %5C and %25. Every other character is the
// settings file's own to store.
struct NameEscape {
  QChar character;
  const char* escape;
};
constexpr NameEscape kNameEscapes[] = {{QChar(u'%'), "%25"}, {QChar(u'/'), "%2F"}, {QChar(u'\\'), "%5C"}};

QString KeyOfName(const QString& name) {
  QString key;
  for (QChar c : name) {
    const auto* e = std::find_if(std::begin(kNameEscapes), std::end(kNameEscapes),
                                 [c](const NameEscape& n) { return n.character == c; });
    if (e != std::end(kNameEscapes)) key += QLatin1String(e->escape);
    else key += c;
  }
  return key;
}

QString NameOfKey(const QString& key) {
  QString name;
  for (qsizetype i = 0; i < key.size(); ++i) {
    const QString three = key.mid(i, 3).toUpper();
    const auto* e = std::find_if(std::begin(kNameEscapes), std::end(kNameEscapes),
                                 [&](const NameEscape& n) { return three == QLatin1String(n.escape); });
    if (e == std::end(kNameEscapes)) {
      name += key[i];
      continue;
    }
    name += e->character;
    i += 2;
  }
  return name;
}

QString ConnectionKey(const QString& name) { return kConnections + '\\' + KeyOfName(name); }
}  // namespace

void CQuorrenReg::BuildBasePath(const Texts& definition) {
  setBasePath(QStringLiteral("%1 %2").arg(definition(352), definition(351)));
}

int CQuorrenReg::CreateKeys() {
  for (const QString& key : {QString(), kCommon, kConnections, kGraphics, kReferenceCodes})
    if (!Create(key)) return 0;
  Close();
  return 1;
}

int CQuorrenReg::WriteKey(const QString& keyPath, const std::function<bool()>& write) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt == 1 && !CreateKeys()) return -1;
    const bool ok = Create(keyPath) && Batch(write);
    Close();
    if (ok) return 0;
  }
  return -1;
}

int CQuorrenReg::ReadCommon(Common& out) {
  if (!Open(kCommon)) return -1;
  int result = 0;
  if (!GetDword("CommTimeout", out.commTimeout) || !GetString("CurrentVersion", out.version) ||
      !GetString("InstallationDate", out.installationDate) || !GetDword("VideoTimeout", out.videoTimeout))
    result = -1;
  Close();
  return result;
}

int CQuorrenReg::WriteCommon(const Common& in) {
  return WriteKey(kCommon, [&] {
    // Every value is tried even after one failed.
    const int a = SetDword("CommTimeout", in.commTimeout);
    const int b = SetString("CurrentVersion", in.version);
    const int c = SetString("InstallationDate", in.installationDate);
    const int d = SetDword("VideoTimeout", in.videoTimeout);
    return a && b && c && d;
  });
}

int CQuorrenReg::ReadLastConnection(QString& name) {
  name.clear();
  if (Open(kCommon)) GetString("LastConnection", name);
  Close();
  return 0;
}

int CQuorrenReg::WriteLastConnection(const QString& name) {
  return WriteKey(kCommon, [&] { return SetString("LastConnection", name) != 0; });
}

int CQuorrenReg::ReadUserLanguage(const Texts& definition, QString& id) {
  id.clear();
  BuildBasePath(definition);
  if (Create(kCommon)) GetString("UserLanguage", id);
  Close();
  return 0;
}

int CQuorrenReg::WriteUserLanguage(const QString& id) {
  return WriteKey(kCommon, [&] { return SetString("UserLanguage", id) != 0; });
}

int CQuorrenReg::ReadGraphics(QString& region, QString& pass, QString& fail, QString& other) {
  if (!Open(kGraphics)) {
    region.clear();
    return -1;
  }
  const bool ok = GetString("ColRegion", region) && GetString("ColPassMsg", pass) && GetString("ColFailMsg", fail) &&
                  GetString("ColOtherMsg", other);
  Close();
  return ok ? 0 : -1;
}

int CQuorrenReg::WriteGraphics(const QString& region, const QString& pass, const QString& fail,
                               const QString& other) {
  return WriteKey(kGraphics, [&] {
    const int a = SetString("ColRegion", region);
    const int b = SetString("ColPassMsg", pass);
    const int c = SetString("ColFailMsg", fail);
    const int d = SetString("ColOtherMsg", other);
    return a && b && c && d;
  });
}

int CQuorrenReg::ReadReferenceCodes(QStringList& codes) {
  if (!Open(kReferenceCodes)) return -1;
  int result = 0;
  for (int i = 0; i < kMaxReferenceCodes; ++i) {
    QString code;
    if (!GetString(QStringLiteral("ReferenceCode%1").arg(i), code)) {
      result = -1;
      break;
    }
    codes.append(code);
  }
  Close();
  return result;
}

int CQuorrenReg::WriteReferenceCodes(const QStringList& codes) {
  // The whole group is rewritten, so a code deleted from the list stays deleted.
  return WriteKey(kReferenceCodes, [&] {
    DeleteKey(kReferenceCodes);
    bool ok = true;
    int slot = 0;
    for (const QString& code : codes) {
      if (code.isEmpty()) continue;
      if (slot == kMaxReferenceCodes) break;
      ok = SetString(QStringLiteral("ReferenceCode%1").arg(slot++), code) && ok;
    }
    return ok;
  });
}

int CQuorrenReg::ReadConnection(const QString& keyPath, SavedConnection& out) {
  if (!Open(keyPath)) return -1;
  QString* fields[] = {&out.dhcp, &out.ipAddress, &out.location, &out.macAddress,
                       &out.networkMask, &out.videoPort, &out.xmlPort};
  const char* names[] = {"DHCP", "IPAddress", "Location", "MACAddress", "NetworkMask", "VideoPort", "XMLPort"};
  int result = 0;
  for (std::size_t i = 0; i < std::size(names); ++i)
    if (!GetString(names[i], *fields[i])) {
      result = -1;
      break;
    }
  Close();
  const int slash = int(keyPath.lastIndexOf('\\'));
  out.name = NameOfKey(keyPath.mid(slash + 1));
  return result;
}

int CQuorrenReg::WriteConnectionValues(const SavedConnection& c) {
  return WriteKey(ConnectionKey(c.name), [&] {
    const int values[] = {SetString("DHCP", c.dhcp),           SetString("IPAddress", c.ipAddress),
                          SetString("Location", c.location),   SetString("MACAddress", c.macAddress),
                          SetString("NetworkMask", c.networkMask), SetString("VideoPort", c.videoPort),
                          SetString("XMLPort", c.xmlPort)};
    for (int v : values)
      if (!v) return false;
    return true;
  });
}

int CQuorrenReg::StoreConnection(const SavedConnection& c) {
  if (WriteConnectionValues(c) != 0) return -1;
  return WriteLastConnection(c.name);
}

int CQuorrenReg::ReplaceConnection(const SavedConnection& c) {
  QString found;
  if (FindConnection(c, found) != 1) return 0;
  return ReplaceConnection(found, c);
}

int CQuorrenReg::ReplaceConnection(const QString& foundName, const SavedConnection& c) {
  // Exactly the entry the search named goes; no other one with a similar address.
  DeleteKey(ConnectionKey(foundName));
  const int result = StoreConnection(c);
  EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
  return result;
}

int CQuorrenReg::FindConnection(const SavedConnection& c, QString& name) {
  EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
  auto given = [](const QString& t) { return !t.isEmpty() && t != QStringLiteral("-"); };
  for (const QString& key : connectionKeys_) {
    SavedConnection stored;
    ReadConnection(key, stored);
    bool same = stored.name == c.name;
    if (given(c.ipAddress))
      same = same || NormaliseAddress(stored.ipAddress) == NormaliseAddress(c.ipAddress);
    else if (given(c.macAddress))
      // Two sensors without a known address are told apart by their MAC addresses.
      same = same || (!given(stored.ipAddress) && stored.macAddress.compare(c.macAddress, Qt::CaseInsensitive) == 0);
    if (same) {
      name = stored.name;
      return 1;
    }
  }
  return 0;
}

int CQuorrenReg::CountConnections() {
  EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
  return connectionCount_;
}

int CQuorrenReg::DeleteConnection(const QString& name) {
  const int result = DeleteKey(ConnectionKey(name)) ? 0 : -1;
  EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
  return result;
}

SavedConnection CQuorrenReg::DefaultConnection(const Texts& definition, const Texts& language) const {
  SavedConnection c;
  c.name = language(1040);
  c.location = language(1041);
  c.ipAddress = definition(150);
  c.networkMask = definition(151);
  c.dhcp = definition(152);
  c.xmlPort = definition(153);
  c.videoPort = definition(154);
  c.macAddress = definition(155);
  return c;
}

void CQuorrenReg::LoadColours(Loaded& out) {
  const QString defaults[] = {QString::number(GraphicsColours::kDefaultRegion),
                              QString::number(GraphicsColours::kDefaultPass),
                              QString::number(GraphicsColours::kDefaultFail),
                              QString::number(GraphicsColours::kDefaultOther)};
  QString values[4];
  // A failed read resets all four, as one missing value may mean a damaged group.
  if (ReadGraphics(values[0], values[1], values[2], values[3]) != 0)
    for (auto& v : values) v.clear();
  std::uint32_t numbers[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    numbers[i] = values[i].toUInt(&ok);
    if (!ok) {
      values[i] = defaults[i];
      numbers[i] = defaults[i].toUInt();
    }
  }
  if (WriteGraphics(values[0], values[1], values[2], values[3]) != 0) out.writeFailed = true;
  out.colours.regionColour = numbers[0];
  out.colours.passColour = numbers[1];
  out.colours.failColour = numbers[2];
  out.colours.otherColour = numbers[3];
}

CQuorrenReg::Loaded CQuorrenReg::LoadSettings(const Texts& definition, const Texts& language, QDate today) {
  Loaded out;
  BuildBasePath(definition);
  if (!Create(QString()) || !Create(kCommon)) {
    Close();
    out.writeFailed = true;
    LoadColours(out);
    return out;
  }
  Close();
  auto note = [&](int result) {
    if (result != 0) out.writeFailed = true;
  };

  QString last;
  ReadLastConnection(last);
  if (last.isEmpty()) note(WriteLastConnection(QString()));

  Common common;
  ReadCommon(common);
  if (common.commTimeout == 0) common.commTimeout = 7000;
  if (common.version.isEmpty()) common.version = definition(351) + '.' + definition(353);
  if (common.installationDate.isEmpty()) {
    const QDate d = today.isValid() ? today : QDate();
    common.installationDate =
        QStringLiteral("%1.%2.%3").arg(d.isValid() ? d.day() : 0).arg(d.isValid() ? d.month() : 0).arg(
            d.isValid() ? d.year() : 0, 4);
  }
  if (common.videoTimeout == 0) common.videoTimeout = 50000;
  note(WriteCommon(common));

  QString languageId;
  if (Open(kCommon)) GetString("UserLanguage", languageId);
  Close();
  if (languageId.isEmpty()) note(WriteUserLanguage(QStringLiteral("9")));

  EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
  const QString key = ConnectionKey(last);
  if (last.isEmpty() || !exists(key)) {
    if (connectionCount_ == 0) {
      note(StoreConnection(DefaultConnection(definition, language)));
      EnumSubkeys(kConnections, connectionCount_, connectionKeys_);
    }
  } else {
    SavedConnection saved;
    ReadConnection(key, saved);
    // A connection that cannot connect as stored (a DHCP sensor saved from
    // the scan has no address) is kept; it is only not preselected.
    if (CanConnect(saved)) {
      out.current.name = last;
      out.current.address = saved.dhcp == QStringLiteral("ON") ? QStringLiteral("DHCP") : saved.ipAddress;
      out.current.xmlPort = saved.xmlPort;
      out.current.networkMask = saved.networkMask;
      out.current.dhcp = saved.dhcp;
      out.current.macAddress = saved.macAddress;
      out.current.videoPort = saved.videoPort;
      out.lastConnection = last;
    }
  }
  LoadColours(out);
  ReadReferenceCodes(out.referenceCodes);
  return out;
}
