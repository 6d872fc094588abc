#pragma once
// CReg: one key of the program's settings, stored with QSettings in an INI
// file. The base path names the file (<config folder>/<base path>.ini); key
// paths below it ("\Common", "\Connections\<name>") are its groups. Every
// value is text. Operations return 1 on success and 0 on failure.
#include <QSettings>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CReg {
public:
  // The config folder defaults to the user's (XDG_CONFIG_HOME).
  explicit CReg(QString basePath = {}, QString configFolder = {});
  virtual ~CReg();

  void setBasePath(const QString& basePath);
  const QString& basePath() const { return basePath_; }
  QString fileName() const;

  int Create(const QString& keyPath);  // creates or opens the key
  int Open(const QString& keyPath);    // opens a key that exists
  void Close();
  bool isOpen() const { return !key_.isEmpty(); }
  int SetString(const QString& name, const QString& text);
  int SetDword(const QString& name, quint32 value);
  int GetString(const QString& name, QString& out);
  int GetDword(const QString& name, quint32& out);
  int DeleteKey(const QString& keyPath);
  int DeleteValue(const QString& name);
  // Subkeys of a key: their count, and the key path of each.
  int CountSubkeys(const QString& keyPath, int& count);
  int EnumSubkeys(const QString& keyPath, int& count, QStringList& keys);

protected:
  static QString group(const QString& keyPath);
  bool exists(const QString& keyPath);
  QSettings& settings();
  bool flush();
  // Runs writes that store together: one flush at the end decides.
  bool Batch(const std::function<bool()>& writes);

private:
  QString basePath_;
  QString configFolder_;
  QString key_;  // the open key's group, "" when none
  bool batch_ = false;
  std::unique_ptr<QSettings> settings_;
};
