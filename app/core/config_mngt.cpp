#include "core/config_mngt.h"

#include <algorithm>
#include <cctype>

#include "brimsol/brimsol.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "sonvira/sonvira.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"

namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    Utf16ToUtf8String(out, text);
    return out;
}

std::u16string Wide(std::string_view text) {
    std::u16string out;
    Utf8ToUtf16String(out, text);
    return out;
}

std::string Encoded(std::u16string_view name) {
    std::string out;
    EncodeConfigName(out, name);
    return out;
}

// A name goes to the sensor in the form it was delivered in.
std::string NameByFlag(bool encoded, std::u16string_view name) {
    return encoded ? Encoded(name) : Utf8(name);
}

// A zero-terminated copy of a path (the wide exports read up to the NUL).
std::u16string Terminated(std::u16string_view text) {
    return std::u16string(text);
}

}  // namespace

int CConfigMngt::Connect(VtWindow window, std::u16string_view key, std::u16string_view host, int port,
                         std::u16string& version, std::u16string& type) {
    char versionOut[DRAVIK_CONNECT_TEXT_SIZE] = {};
    char typeOut[DRAVIK_CONNECT_TEXT_SIZE] = {};
    int status = ::Connect(window, Utf8(key).c_str(), Utf8(host).c_str(), port, versionOut, typeOut);
    if (status == 0) {
        version = Wide(versionOut);
        type = Wide(typeOut);
    }
    return status;
}

int CConfigMngt::Disconnect(std::u16string_view key) {
    return ::Disconnect(Utf8(key).c_str());
}

int CConfigMngt::CreateConfig(int index, std::u16string_view name, int group) {
    return ::CreateConfig(index, Encoded(name).c_str(), group);
}

int CConfigMngt::EditConfig(int index, bool nameEncoded, std::u16string_view name, int group) {
    return ::EditConfig(index, NameByFlag(nameEncoded, name).c_str(), group);
}

int CConfigMngt::DeleteConfig(int index, bool nameEncoded, std::u16string_view name, int group) {
    return ::DeleteConfig(index, NameByFlag(nameEncoded, name).c_str(), group);
}

int CConfigMngt::ActivateConfig(int index, bool nameEncoded, std::u16string_view name, int group) {
    return ::ActivateConfig(index, NameByFlag(nameEncoded, name).c_str(), group);
}

int CConfigMngt::RenameConfig(int index, bool nameEncoded, std::u16string_view name, int group,
                              int targetIndex, std::u16string_view newName) {
    return ::RenameConfig(index, NameByFlag(nameEncoded, name).c_str(), group, targetIndex,
                          Encoded(newName).c_str());
}

int CConfigMngt::SetAsGroupMaster(int index, bool nameEncoded, std::u16string_view name, int group,
                                  int masterType) {
    return ::SetAsGroupMaster(index, NameByFlag(nameEncoded, name).c_str(), group, masterType);
}

int CConfigMngt::CopyConfig(int index, bool nameEncoded, std::u16string_view name, int group, int targetIndex,
                            std::u16string_view targetName, int targetGroup) {
    return ::CopyConfig(index, NameByFlag(nameEncoded, name).c_str(), group, targetIndex,
                        Encoded(targetName).c_str(), targetGroup);
}

int CConfigMngt::MoveConfig(int index, bool nameEncoded, std::u16string_view name, int group, int targetIndex,
                            std::u16string_view targetName, int targetGroup) {
    return ::MoveConfig(index, NameByFlag(nameEncoded, name).c_str(), group, targetIndex,
                        Encoded(targetName).c_str(), targetGroup);
}

int CConfigMngt::DownloadConfig(int index, bool nameEncoded, std::u16string_view name, int group,
                                std::u16string_view path) {
    return ::DownloadConfigW(index, NameByFlag(nameEncoded, name).c_str(), group, Terminated(path).c_str());
}

int CConfigMngt::UploadConfig(int index, std::u16string_view name, int group, std::u16string_view path) {
    return ::UploadConfigW(index, Encoded(name).c_str(), group, Terminated(path).c_str());
}

int CConfigMngt::GetInfoConfig(int index, bool nameEncoded, std::u16string_view name, int group,
                               ParameterList& list, bool extended) {
    std::string narrow = NameByFlag(nameEncoded, name);
    return extended ? ::GetInfoConfigExtended(index, narrow.c_str(), group, &list)
                    : ::GetInfoConfig(index, narrow.c_str(), group, &list, 1017);
}

int CConfigMngt::StartLiveImage(std::u16string_view host, int port) {
    return ::StartLiveImageTransmission(Utf8(host).c_str(), port);
}

int CConfigMngt::ApplyRegularExpression(std::u16string_view text1, std::u16string_view text2,
                                        std::u16string_view text3, std::u16string& resultText, int& result) {
    char out[DRAVIK_REGEX_RESULT_SIZE] = {};
    int number = 0;
    int status =
        ::ApplyRegularExpression(Utf8(text1).c_str(), Utf8(text2).c_str(), Utf8(text3).c_str(), out, &number);
    if (status == 0) {
        resultText = Wide(out);
        result = number;
    }
    return status;
}

int CConfigMngt::GetLastResultsList(int which, std::u16string& text, int& count,
                                    std::vector<ResultListEntry>& list) {
    char out[DRAVIK_RESULTS_TEXT_SIZE] = {};
    int status = ::GetLastResultsList(which, out, &count, &list);
    if (status == 0) text = Wide(out);
    return status;
}

int CConfigMngt::SaveAllResults(std::u16string_view folder, int which, int unused) {
    return ::SaveAllResultsW(Terminated(folder).c_str(), which, unused);
}

int CConfigMngt::SaveCurrentResult(std::u16string_view path, int second, int resultId) {
    return ::SaveCurrentResultW(Terminated(path).c_str(), second, resultId);
}

int CConfigMngt::GenerateServiceReport(std::u16string_view folder, int which) {
    return ::GenerateServiceReportW(Terminated(folder).c_str(), which);
}

int CConfigMngt::MAC2IP(std::u16string_view mac, std::u16string_view ip, std::u16string_view mask,
                        std::u16string& outIp, std::u16string& outMask) {
    std::string narrow = Utf8(mac);
    std::transform(narrow.begin(), narrow.end(), narrow.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return MAC2IP(narrow.c_str(), ip, mask, outIp, outMask);
}

int CConfigMngt::MAC2IP(const char* mac, std::u16string_view ip, std::u16string_view mask,
                        std::u16string& outIp, std::u16string& outMask) {
    char ipOut[1024] = {};
    char maskOut[1024] = {};
    int status = Sonvira_MAC2IP(mac, Utf8(ip).c_str(), Utf8(mask).c_str(), ipOut, maskOut);
    outIp = Wide(ipOut);
    outMask = Wide(maskOut);
    return status;
}

int CConfigMngt::GetSensorInfo(std::u16string_view ip, SensorDiscoveryRecord* record) {
    return Sonvira_GetSensorInfo(Utf8(ip).c_str(), record);
}

int CConfigMngt::GetNetworkIP(std::u16string_view ip, std::u16string_view mask, std::u16string& network) {
    char out[1024] = {};
    int status = Sonvira_GetNetworkIP(Utf8(ip).c_str(), Utf8(mask).c_str(), out);
    network = Wide(out);
    return status;
}

int CConfigMngt::AddSubnet(std::u16string_view network, std::u16string_view mask) {
    return Sonvira_AddSubnet(Utf8(network).c_str(), Utf8(mask).c_str());
}

int CConfigMngt::Update(std::u16string_view host, int port, bool& connectionLost) {
    const int status = Brimsol_update(Utf8(host).c_str(), port);
    connectionLost = Brimsol_lostconnection() != 0;
    return status;
}

void CConfigMngt::RebuildConfigMap(const ParameterList& list) {
    configMap_.clear();
    int group = -1;
    // 32 slots of six items; a short list ends the walk at its end.
    for (int slot = 0; slot < 32; ++slot) {
        std::size_t i = static_cast<std::size_t>(6 * slot + 2);
        if (i - 2 >= list.size()) break;
        if (list[i - 2].kind == PARAMETER_SECTION_BEGIN) ++group;
        if (i - 1 >= list.size() || list[i - 1].stringValue.empty()) continue;
        ConfigListEntry entry;
        entry.group = group;
        for (std::size_t v = 0; v < 3; ++v)
            if (i + v < list.size()) entry.values[v] = list[i + v].intValue;
        entry.name = list[i - 1].stringValue;
        configMap_.emplace(static_cast<int>(i), std::move(entry));
    }
}

int CConfigMngt::GetConfigEntry(int key, int n, ConfigListEntry& out) const {
    if (n < 1) return -1;
    auto [first, last] = configMap_.equal_range(key);
    for (int k = 1; first != last; ++first, ++k)
        if (k == n) {
            out = first->second;
            return 0;
        }
    return -1;
}

int CConfigMngt::AddConfigEntry(int key, const ConfigListEntry& entry) {
    configMap_.emplace(key, entry);
    return 0;
}
