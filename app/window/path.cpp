#include "window/path.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "platform/lib_dir.h"

namespace {
QString asFolder(const QString& path) {
  if (path.isEmpty()) return {};
  const QString clean = QDir::cleanPath(path);
  return clean.endsWith('/') ? clean : clean + '/';
}
}  // namespace

int CPath::Init() {
  const QString program = QCoreApplication::applicationDirPath();
  if (program.isEmpty()) return -10001;
  paths_.documents = asFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  paths_.appData = asFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  paths_.program = asFolder(program);
  // Lib/ beside the program, or where VT_LIB_DIR points.
  static const int anchor = 0;
  paths_.lib = asFolder(QString::fromStdString(vt::libDirFor(&anchor).string()));
  return 0;
}

int CPath::GetPaths(ProgramPaths& out) const {
  out = paths_;
  if (paths_.program.isEmpty()) return -10001;
  if (paths_.lib.isEmpty()) return -10002;
  return 0;
}
