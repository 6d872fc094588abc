#include "window/lock_library.h"

#include "keltrov/keltrov.h"

namespace {

class Keltrov final : public LockLibrary {
public:
  int Start(const char* host, int port) override { return StartCodeBlockingDll(host, port); }
  int Restart(const char* host, int port) override { return RestartCodeBlockingDll(host, port); }
  int Finish() override { return FinishCodeBlockingDll(); }
  int Status(int* status) override { return GetCodeBlockingStatus(status); }
  int Activate(const char* password, int items) override { return ActivateCodeBlocking(password, items); }
  int Deactivate() override { return DectivateCodeBlocking(); }
};

}  // namespace

std::unique_ptr<LockLibrary> MakeKeltrovLibrary() { return std::make_unique<Keltrov>(); }
