#include "compatible_list_algorithm.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "platform/lib_dir.h"
#include "platform/string_table.h"

namespace dravik {

namespace {

// A list never holds more entries than this, whatever its count says.
constexpr unsigned kMaxListEntries = 99;

std::vector<std::string> readList(const vt::StringTable& table, unsigned countId) {
    std::vector<std::string> entries;
    auto countText = table.get(countId);
    if (!countText) return entries;
    unsigned count = 0;
    std::from_chars(countText->data(), countText->data() + countText->size(), count);
    count = std::min(count, kMaxListEntries);
    for (unsigned i = 1; i <= count; ++i) {
        auto entry = table.get(countId + i);
        if (entry && !entry->empty()) entries.emplace_back(*entry);
    }
    return entries;
}

void anchor() {}

// The leading decimal number of a version text as atoi reads it, but
// saturated: a long run of digits must not wrap into a small number.
long long versionNumber(const std::string& text) {
    return std::strtoll(text.c_str(), nullptr, 10);
}

}  // namespace

CCompatibleListAlgorithm::CCompatibleListAlgorithm() : ownVersion_(DRAVIK_VERSION_TEXT) {
    vt::StringTable table;
    const auto file = vt::libDirFor(reinterpret_cast<const void*>(&anchor)) / "Zentrafel" / "strings.txt";
    if (!table.load(file).ok) return;
    types_ = readList(table, kSensorTypesId);
    versions_ = readList(table, kSensorVersionsId);
}

bool CCompatibleListAlgorithm::containsListedType(const std::string& text) const {
    return std::any_of(types_.begin(), types_.end(),
                       [&](const std::string& type) { return text.find(type) != std::string::npos; });
}

bool CCompatibleListAlgorithm::isListedVersion(const std::string& version) const {
    return std::find(versions_.begin(), versions_.end(), version) != versions_.end();
}

bool CCompatibleListAlgorithm::isOlderThanListed(const std::string& version) const {
    return !versions_.empty() && versionNumber(version) <= versionNumber(versions_.front());
}

std::vector<std::string> CCompatibleListAlgorithm::replyTexts(const XmlRpc::XmlRpcValue& reply) {
    std::vector<std::string> texts;
    if (reply.getType() != XmlRpc::XmlRpcValue::TypeArray || reply.size() < 2) return texts;
    const auto& items = reply.asArray();
    if (items[1].getType() != XmlRpc::XmlRpcValue::TypeInt) return texts;
    const int available = static_cast<int>(items.size()) - 2;
    const int count = std::clamp(items[1].asInt(), 0, available);
    for (int i = 0; i < count; ++i) {
        const auto& item = items[static_cast<std::size_t>(i) + 2];
        if (item.getType() == XmlRpc::XmlRpcValue::TypeString && !item.asString().empty())
            texts.push_back(item.asString());
    }
    return texts;
}

}  // namespace dravik
