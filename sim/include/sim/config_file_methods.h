// The sensor's configuration file methods: "xmlDownloadConfig" hands out a
// configuration as opaque bytes, "xmlUploadConfig" takes them back.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/config_slot.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {
class SensorModel;
}

namespace vt::sim {

// The bytes of each slot's configuration file, as the sensor would hand
// them out. Tests fill and inspect them while the server runs.
class ConfigFileStore {
public:
    using Bytes = std::vector<unsigned char>;

    void set(int slot, Bytes bytes);
    std::optional<Bytes> get(int slot) const;

private:
    mutable std::mutex mutex_;
    std::map<int, Bytes> files_;
};

// Statuses of these methods besides 0.
inline constexpr int kConfigFileBadArguments = -102;     // wrong number or types of parameters
inline constexpr int kConfigFileNoConfiguration = -103;  // nothing stored in that slot

// [slot, name, mode] -> [0, bytes] or [status];
// [slot, name, mode, bytes] -> [0] or [status].
// The store must outlive the server's use of the methods.
void addConfigFileMethods(XmlRpcServer& server, ConfigFileStore& store);

// The same methods on the model's slot table: a download names a
// configuration by (index, name, group) like the slot commands and hands out
// its name, group and parameters as a file; an upload fills the named free
// slot under the sent name and group (-104 when the slot is used, -102 for
// bytes that are no such file).
void addConfigFileMethods(XmlRpcServer& server, SensorModel& model);
// A slot as file bytes, and back (false for foreign bytes).
ConfigFileStore::Bytes configFileOf(const ConfigSlot& slot);
bool slotOfConfigFile(const ConfigFileStore::Bytes& bytes, ConfigSlot& slot);

}  // namespace vt::sim
