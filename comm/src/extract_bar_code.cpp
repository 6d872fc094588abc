#include "extract_bar_code.h"

#include <memory>
#include <mutex>
#include <new>

namespace dravik {
namespace {

std::mutex instanceMutex;
CExtractBarCode* instance = nullptr;

// Lives until the library is unloaded.
struct InstanceOwner {
    ~InstanceOwner() { CExtractBarCode::DestroyInstance(); }
} owner;

}  // namespace

CExtractBarCode* CExtractBarCode::GetInstance() {
    std::lock_guard lock(instanceMutex);
    if (instance == nullptr) instance = new (std::nothrow) CExtractBarCode();
    return instance;
}

void CExtractBarCode::DestroyInstance() {
    CExtractBarCode* doomed = nullptr;
    {
        std::lock_guard lock(instanceMutex);
        doomed = instance;
        instance = nullptr;
    }
    delete doomed;
}

CExtractBarCode::~CExtractBarCode() {
    std::lock_guard lock(instanceMutex);
    if (instance == this) instance = nullptr;
}

}  // namespace dravik
