#include "startup/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace {
constexpr char kRaise[] = "raise\n";
constexpr int kConnectWaitMs = 1000;
}  // namespace

QString SingleInstance::defaultName() {
  const QByteArray forced = qgetenv("VT_INSTANCE_NAME");
  if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
  return QStringLiteral("varnis-tarvel-%1").arg(::getuid());
}

SingleInstance::SingleInstance(const QString& name) : name_(name) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
}

SingleInstance::~SingleInstance() {
  server_.close();
  if (lock_) lock_->unlock();
}

bool SingleInstance::acquire() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name_ + ".lock"));
  // A lock whose owner process is gone counts as stale at once.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    askFirstToRaise();
    return false;
  }
  // We hold the lock, so a socket of that name is left over from a crash.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(name_);
  return true;
}

bool SingleInstance::askFirstToRaise() const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectWaitMs)) return false;  // still starting: end quietly
  socket.write(kRaise);
  socket.waitForBytesWritten(kConnectWaitMs);
  socket.disconnectFromServer();
  return true;
}

void SingleInstance::onConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->readAll().contains("raise")) return;
      pendingRaise_ = true;
      emit raiseRequested();
    });
  }
}

bool SingleInstance::takePendingRaise() {
  const bool was = pendingRaise_;
  pendingRaise_ = false;
  return was;
}
