#pragma once
// The password-lock library as the state controller calls it: the real
// libkeltrov, or a stand-in in tests that makes its calls fail on purpose.
#include <memory>

class LockLibrary {
public:
  virtual ~LockLibrary() = default;
  virtual int Start(const char* host, int port) = 0;
  virtual int Restart(const char* host, int port) = 0;
  virtual int Finish() = 0;
  virtual int Status(int* status) = 0;
  virtual int Activate(const char* password, int items) = 0;
  virtual int Deactivate() = 0;
};

// libkeltrov's exports (built into the program, which links the library).
std::unique_ptr<LockLibrary> MakeKeltrovLibrary();
