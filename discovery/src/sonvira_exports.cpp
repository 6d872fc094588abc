// The flat exports and the library's one set of state.
#include <strings.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "discovery_settings.h"
#include "platform/ipv4.h"
#include "scanner.h"
#include "sensor_query.h"
#include "sonvira/sonvira.h"
#include "subnet_address.h"
#include "subnet_search.h"

namespace sonvira {
namespace {

constexpr const char* kDefaultMask = "255.255.255.0";

struct LibraryState {
    std::mutex listMutex;  // guards the two lists
    std::vector<std::string> networks;
    std::vector<std::string> masks;
    // Held while a scan starts or stops, so two callers never race on one
    // scanner; the scan thread itself never takes it.
    std::mutex scanMutex;
    std::unique_ptr<Scanner> scanner;
};

LibraryState& state() {
    static LibraryState instance;
    return instance;
}

void stopScanLocked(LibraryState& s) {
    s.scanner.reset();
}

template <std::size_t N>
void copyText(char* out, const std::string& text) {
    std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// Address outputs are documented as 16 bytes.
constexpr std::size_t kAddressBuffer = 16;

int searchForMac(const char* mac, const std::string& network, const char* mask, char* outIp, char* outMask) {
    StopFlag never;
    SubnetSearch search(discoverySettingsFromEnvironment(), never);
    if (int error = search.open(); error != 0) return SONVIRA_SYSTEM_ERROR_BASE + error;
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool found = false;
        search.run(network, mask, [&](std::unique_ptr<SensorDiscoveryRecord> record) {
            // Sensors report their MAC in either case; callers may write it in the other.
            if (::strcasecmp(record->mac, mac) != 0) return true;
            copyText<kAddressBuffer>(outIp, record->ip);
            copyText<kAddressBuffer>(outMask, record->mask);
            found = true;
            return false;
        });
        if (found) return SONVIRA_FOUND;
    }
    return SONVIRA_NOT_FOUND;
}

}  // namespace
}  // namespace sonvira

using namespace sonvira;

int Sonvira_AddSubnet(const char* network, const char* mask) {
    SubnetAddress subnet;
    if (network == nullptr || mask == nullptr || subnet.assign(network, mask) != SONVIRA_OK)
        return SONVIRA_INVALID_SUBNET;
    if (subnet.networkText() != network) return SONVIRA_NOT_NETWORK_ADDRESS;
    auto& s = state();
    std::lock_guard lock(s.listMutex);
    for (std::size_t i = 0; i < s.networks.size(); ++i)
        if (s.networks[i] == network && s.masks[i] == mask) return SONVIRA_SUBNET_LISTED;
    s.networks.emplace_back(network);
    s.masks.emplace_back(mask);
    return SONVIRA_OK;
}

void Sonvira_CleanSubnetList() {
    auto& s = state();
    std::lock_guard lock(s.listMutex);
    s.networks.clear();
    s.masks.clear();
}

int Sonvira_GetNetworkIP(const char* ip, const char* mask, char* outNetwork) {
    if (outNetwork == nullptr) return SONVIRA_NULL_BUFFER;
    SubnetAddress subnet;
    if (subnet.assign(ip, mask) != SONVIRA_OK) return SONVIRA_INVALID_NETWORK;
    copyText<kAddressBuffer>(outNetwork, subnet.networkText());
    return SONVIRA_OK;
}

int Sonvira_StartScanning(VtWindow window, int wParamFound, int wParamDone) {
    // The scan thread cannot replace its own scanner: it would have to wait
    // for itself. It stops, and nothing new starts.
    if (Scanner* own = Scanner::current(); own != nullptr) {
        own->requestStop();
        return SONVIRA_NO_SUBNETS;
    }
    auto& s = state();
    std::vector<std::string> networks, masks;
    {
        std::lock_guard lock(s.listMutex);
        networks = s.networks;
        masks = s.masks;
    }
    auto settings = discoverySettingsFromEnvironment();
    std::lock_guard lock(s.scanMutex);
    stopScanLocked(s);
    auto scanner = std::make_unique<Scanner>(std::move(networks), std::move(masks), window, wParamFound,
                                             wParamDone, settings);
    if (DiscoveryStatus status = scanner->start(); status != SONVIRA_OK) return status;
    s.scanner = std::move(scanner);
    return SONVIRA_OK;
}

int Sonvira_StopScanning() {
    // From the scan thread (a post function that calls back): it cannot wait
    // for itself, so it only asks; the next start or stop elsewhere joins it.
    if (Scanner* own = Scanner::current(); own != nullptr) {
        own->requestStop();
        return SONVIRA_OK;
    }
    auto& s = state();
    std::lock_guard lock(s.scanMutex);
    stopScanLocked(s);
    return SONVIRA_OK;
}

int Sonvira_GetSensorInfo(const char* ip, SensorDiscoveryRecord* out) {
    if (out == nullptr) return SONVIRA_NULL_BUFFER;
    auto host = vt::parseIpv4(ip);
    if (!host) return SONVIRA_INVALID_SUBNET;
    auto settings = discoverySettingsFromEnvironment();
    StopFlag never;
    const QueryOptions options{settings.queryPort, 1, settings.replyWindow};
    DiscoveryStatus status = querySensor(*host, options, never, *out);
    if (status != SONVIRA_FOUND) status = querySensor(*host, options, never, *out);
    return status;
}

int Sonvira_MAC2IP(const char* mac, const char* ip, const char* mask, char* outIp, char* outMask) {
    if (outIp == nullptr || outMask == nullptr) return SONVIRA_NULL_BUFFER;
    outIp[0] = '\0';
    outMask[0] = '\0';
    Sonvira_StopScanning();
    if (mask == nullptr) mask = kDefaultMask;
    SubnetAddress subnet;
    if (subnet.assign(ip, mask) != SONVIRA_OK) return SONVIRA_INVALID_NETWORK;
    if (mac == nullptr) return SONVIRA_NOT_FOUND;
    return searchForMac(mac, subnet.networkText(), mask, outIp, outMask);
}
