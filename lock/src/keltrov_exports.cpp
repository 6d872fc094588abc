// The flat exports and the library's one lock client.
#include <atomic>
#include <memory>
#include <mutex>
#include <new>

#include "keltrov/keltrov.h"
#include "lock_reply.h"
#include "xmlrpc/XmlRpcClient.h"

namespace keltrov {
namespace {

using XmlRpc::XmlRpcClient;
using XmlRpc::XmlRpcValue;

// Without a limit set, the lock calls wait for the sensor as long as it takes.
constexpr double kNoTimeLimit = -1.0;

std::atomic<double>& timeLimit() {
    static std::atomic<double> seconds{kNoTimeLimit};
    return seconds;
}

struct LibraryState {
    // Held for a whole call, so no export ever uses a client that another
    // thread is replacing or deleting.
    std::mutex mutex;
    std::unique_ptr<XmlRpcClient> client;
};

LibraryState& state() {
    static LibraryState instance;
    return instance;
}

std::unique_ptr<XmlRpcClient> makeClient(const char* host, int port) {
    if (host == nullptr || *host == '\0' || port < 1 || port > 65535) return nullptr;
    try {
        return std::make_unique<XmlRpcClient>(host, port, "/RPC2");
    } catch (...) {
        return nullptr;
    }
}

LockStatus callSensor(XmlRpcClient& client, const char* method, const XmlRpcValue& params, int* value) {
    XmlRpcValue reply;
    reply[0] = -1;
    const bool executed = client.execute(method, params, reply, timeLimit().load());
    return readLockReply(executed, client.isFault(), reply, value);
}

XmlRpcValue noParams() {
    XmlRpcValue params;
    params.setSize(0);
    return params;
}

// Runs one call with the client held; outputs start at -1.
template <class Call>
int withClient(int* output, Call&& call) {
    if (output != nullptr) *output = -1;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.client) return KELTROV_NOT_STARTED;
    try {
        return call(*s.client);
    } catch (...) {
        return KELTROV_CALL_FAILED;
    }
}

}  // namespace
}  // namespace keltrov

using namespace keltrov;

int StartCodeBlockingDll(const char* host, int port) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (s.client) return KELTROV_ALREADY_STARTED;
    s.client = makeClient(host, port);
    return s.client ? KELTROV_OK : KELTROV_NO_CLIENT;
}

int RestartCodeBlockingDll(const char* host, int port) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.client) return KELTROV_NOT_STARTED;
    s.client.reset();
    s.client = makeClient(host, port);
    return s.client ? KELTROV_OK : KELTROV_NO_CLIENT;
}

int FinishCodeBlockingDll() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.client) return KELTROV_NOT_STARTED;
    s.client.reset();
    return KELTROV_OK;
}

int GetCodeBlockingStatus(int* status) {
    return withClient(status, [&](XmlRpcClient& client) {
        if (status == nullptr) return KELTROV_CALL_FAILED;
        return callSensor(client, "xmlrpc_GetCodeBlockingStatus", noParams(), status);
    });
}

int ActivateCodeBlocking(const char* password, int value) {
    return withClient(nullptr, [&](XmlRpcClient& client) {
        if (password == nullptr) return KELTROV_CALL_FAILED;
        XmlRpcValue params;
        params[0] = password;
        params[1] = value;
        return callSensor(client, "xmlrpc_ActivateCodeBlocking", params, nullptr);
    });
}

int DectivateCodeBlocking() {
    return withClient(nullptr, [&](XmlRpcClient& client) {
        return callSensor(client, "xmlrpc_DeactivateCodeBlocking", noParams(), nullptr);
    });
}

int ValidateCodeBlockingPassword(const char* password, int* result) {
    return withClient(result, [&](XmlRpcClient& client) {
        if (password == nullptr || result == nullptr) return KELTROV_CALL_FAILED;
        XmlRpcValue params;
        params[0] = password;
        return callSensor(client, "xmlrpc_ValidateCodeBlockingPassword", params, result);
    });
}

void SetCodeBlockingTimeLimit(double seconds) {
    timeLimit().store(seconds > 0.0 ? seconds : kNoTimeLimit);
}
