#pragma once
// One running program per user. The first start takes a lock file and
// listens on a local socket before any window exists; a later start finds
// the lock taken, asks the first over the socket to come to the front and
// ends. A lock or socket left by a program that died is taken over.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

class SingleInstance : public QObject {
  Q_OBJECT
public:
  // The name is per user; VT_INSTANCE_NAME replaces it (tests).
  static QString defaultName();

  explicit SingleInstance(const QString& name = defaultName());
  ~SingleInstance() override;

  // True: this is the first instance (the lock is held and the socket
  // listens). False: another runs and has been asked to come to the front.
  bool acquire();
  // A raise request that came before anyone listened to raiseRequested.
  bool takePendingRaise();

signals:
  void raiseRequested();

private:
  void onConnection();
  bool askFirstToRaise() const;

  QString name_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
  bool pendingRaise_ = false;
};
