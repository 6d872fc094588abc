// Connection keys and the local address each was connected from: a key may
// be used again only from the same local address until Disconnect with it.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace dravik {

class HostMap {
public:
    enum class Admit {
        Inserted,   // a new key: this connect owns the entry
        Same,       // known key, same local address
        Elsewhere,  // known key, another local address
    };

    Admit admit(const std::string& key, const std::string& localAddress);
    std::optional<std::string> find(const std::string& key) const;
    void erase(const std::string& key);
    void clear() { map_.clear(); }

private:
    std::map<std::string, std::string> map_;
};

}  // namespace dravik
