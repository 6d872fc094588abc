#pragma once
// CQuorrenReg: the program's settings tree, its values and defaults, and
// the start-up load. Writers return 0, or -1 when a value could not be
// written even after the tree was made anew (the caller goes on with the
// values in memory).
#include <QDate>
#include <QStringList>
#include <functional>

#include "core/graphics_colours.h"
#include "settings/reg.h"
#include "settings/saved_connection.h"

class CQuorrenReg : public CReg {
public:
  // Common definition and language texts by id.
  using Texts = std::function<QString(int)>;

  explicit CQuorrenReg(QString configFolder = {}) : CReg({}, std::move(configFolder)) {}

  // Base path: common definitions 352, a blank, 351.
  void BuildBasePath(const Texts& definition);

  int CreateKeys();
  struct Common {
    quint32 commTimeout = 0;
    QString version;
    QString installationDate;
    quint32 videoTimeout = 0;
  };
  // Stops at the first missing value with -1; the later ones stay as given.
  int ReadCommon(Common& out);
  int WriteCommon(const Common& in);
  int ReadLastConnection(QString& name);
  int WriteLastConnection(const QString& name);
  int ReadUserLanguage(const Texts& definition, QString& id);
  int WriteUserLanguage(const QString& id);
  int ReadGraphics(QString& region, QString& pass, QString& fail, QString& other);
  int WriteGraphics(const QString& region, const QString& pass, const QString& fail, const QString& other);
  int ReadReferenceCodes(QStringList& codes);
  // Replaces every stored code by the non-empty ones of the list (at most 15).
  int WriteReferenceCodes(const QStringList& codes);
  int ReadConnection(const QString& keyPath, SavedConnection& out);
  int WriteConnectionValues(const SavedConnection& c);
  int StoreConnection(const SavedConnection& c);
  // The saved connection that FindConnection names is replaced (0 when none).
  int ReplaceConnection(const SavedConnection& c);
  // Replaces exactly the saved connection of that name.
  int ReplaceConnection(const QString& foundName, const SavedConnection& c);
  // 1 and the saved name when one has the name or (normalised) the address;
  // without an address, one without an address and with the same MAC address.
  int FindConnection(const SavedConnection& c, QString& name);
  // Number of saved connections (enumerates them again).
  int CountConnections();
  // 0, or -1 when no connection of that name is stored.
  int DeleteConnection(const QString& name);
  QStringList connectionKeys() const { return connectionKeys_; }
  int connectionCount() const { return connectionCount_; }

  struct Loaded {
    QString lastConnection;  // preselected connection, empty when none
    CurrentConnection current;
    GraphicsColours colours;
    QStringList referenceCodes;
    bool writeFailed = false;  // a value could not be stored
  };
  // The start-up load: defaults for everything missing, written back.
  Loaded LoadSettings(const Texts& definition, const Texts& language, QDate today = QDate::currentDate());

private:
  // Writes under one key; when that fails, makes the tree and tries once more.
  int WriteKey(const QString& keyPath, const std::function<bool()>& write);
  SavedConnection DefaultConnection(const Texts& definition, const Texts& language) const;
  void LoadColours(Loaded& out);

  int connectionCount_ = 0;
  QStringList connectionKeys_;
};
