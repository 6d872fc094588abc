#pragma once
// CPath: the program's well-known folders. Every folder ends in "/".
#include <QString>

struct ProgramPaths {
  QString documents;
  QString program;
  QString lib;
  QString appData;
};

class CPath {
public:
  virtual ~CPath() = default;
  // 0, or -10001 when the program's own folder cannot be found. A missing
  // documents or application-data folder stays empty.
  virtual int Init();
  // Copies the four folders; -10001 when the program folder is empty,
  // -10002 when the Lib folder is, else 0.
  int GetPaths(ProgramPaths& out) const;
  const ProgramPaths& paths() const { return paths_; }

protected:
  ProgramPaths paths_;
};
