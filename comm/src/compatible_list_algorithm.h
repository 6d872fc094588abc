// Which sensors this library works with: the sensor types and software
// versions listed in the common-definition string table, the family prefix
// and the library's own version.
#pragma once

#include <string>
#include <vector>

#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

class CCompatibleListAlgorithm {
public:
    static constexpr const char* kFamilyPrefix = "K7M";
    // String ids of the common-definition table: a count, then the entries.
    static constexpr unsigned kSensorTypesId = 700;
    static constexpr unsigned kSensorVersionsId = 600;

    // Reads the lists from Lib/Zentrafel/strings.txt; a missing table gives empty lists.
    CCompatibleListAlgorithm();
    virtual ~CCompatibleListAlgorithm() = default;

    const std::vector<std::string>& compatibleSensorTypes() const { return types_; }
    const std::vector<std::string>& compatibleVersions() const { return versions_; }
    const std::string& ownVersion() const { return ownVersion_; }

    // Some listed type occurs in text.
    bool containsListedType(const std::string& text) const;
    bool isListedVersion(const std::string& version) const;
    // The sensor's version number is not above that of the first listed version.
    bool isOlderThanListed(const std::string& version) const;

    // The texts of a list reply [status, n, text 1 ... text n]: n is clamped
    // to the reply, and entries that are not texts or are empty are skipped
    // (an empty text would match everything).
    static std::vector<std::string> replyTexts(const XmlRpc::XmlRpcValue& reply);

private:
    std::vector<std::string> types_;
    std::vector<std::string> versions_;
    std::string ownVersion_;
};

}  // namespace dravik
