#include "host_map.h"

namespace dravik {

HostMap::Admit HostMap::admit(const std::string& key, const std::string& localAddress) {
    auto [it, inserted] = map_.try_emplace(key, localAddress);
    if (inserted) return Admit::Inserted;
    return it->second == localAddress ? Admit::Same : Admit::Elsewhere;
}

std::optional<std::string> HostMap::find(const std::string& key) const {
    auto it = map_.find(key);
    if (it == map_.end()) return std::nullopt;
    return it->second;
}

void HostMap::erase(const std::string& key) {
    map_.erase(key);
}

}  // namespace dravik
