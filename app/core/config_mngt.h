#pragma once
// Wrappers of the library exports that take or give texts: the program's
// UTF-16 texts go to the libraries as UTF-8 (configuration names in their
// encoded form where the sensor wants it), text outputs come back as UTF-16
// only when the call succeeded. Statuses are returned unchanged. Texts of
// any length are converted whole (no fixed buffers).
//
// CConfigMngt also keeps the configuration map built from the sensor's
// configuration list. Wrappers: any thread; the map: the GUI thread.
#include <map>
#include <string>
#include <string_view>

#include "dravik/parameter_list.h"
#include "dravik/results.h"
#include "platform/window_target.h"

struct SensorDiscoveryRecord;

// One used configuration slot of the configuration list.
struct ConfigListEntry {
    int group = -1;  // counted from 0 by the list's section markers
    int values[3] = {0, 0, 0};
    std::string name;  // as the sensor sent it (UTF-8, maybe encoded)
};

class CConfigMngt {
public:
    virtual ~CConfigMngt() = default;

    // Connect: version and type are written only when the status is 0.
    static int Connect(VtWindow window, std::u16string_view key, std::u16string_view host, int port,
                       std::u16string& version, std::u16string& type);
    static int Disconnect(std::u16string_view key);
    static int CreateConfig(int index, std::u16string_view name, int group);
    static int EditConfig(int index, bool nameEncoded, std::u16string_view name, int group);
    static int DeleteConfig(int index, bool nameEncoded, std::u16string_view name, int group);
    static int ActivateConfig(int index, bool nameEncoded, std::u16string_view name, int group);
    static int RenameConfig(int index, bool nameEncoded, std::u16string_view name, int group, int targetIndex,
                            std::u16string_view newName);
    static int SetAsGroupMaster(int index, bool nameEncoded, std::u16string_view name, int group,
                                int masterType);
    static int CopyConfig(int index, bool nameEncoded, std::u16string_view name, int group, int targetIndex,
                          std::u16string_view targetName, int targetGroup);
    static int MoveConfig(int index, bool nameEncoded, std::u16string_view name, int group, int targetIndex,
                          std::u16string_view targetName, int targetGroup);
    static int DownloadConfig(int index, bool nameEncoded, std::u16string_view name, int group,
                              std::u16string_view path);
    static int UploadConfig(int index, std::u16string_view name, int group, std::u16string_view path);
    static int GetInfoConfig(int index, bool nameEncoded, std::u16string_view name, int group,
                             ParameterList& list, bool extended);
    static int StartLiveImage(std::u16string_view host, int port);
    // resultText and result are written only when the status is 0.
    static int ApplyRegularExpression(std::u16string_view text1, std::u16string_view text2,
                                      std::u16string_view text3, std::u16string& resultText, int& result);
    // text is written only when the status is 0; count and list as the export says.
    static int GetLastResultsList(int which, std::u16string& text, int& count,
                                  std::vector<ResultListEntry>& list);
    static int SaveAllResults(std::u16string_view folder, int which, int unused);
    static int SaveCurrentResult(std::u16string_view path, int second, int resultId);
    static int GenerateServiceReport(std::u16string_view folder, int which);
    // The outputs are written whatever the status.
    static int MAC2IP(std::u16string_view mac, std::u16string_view ip, std::u16string_view mask,
                      std::u16string& outIp, std::u16string& outMask);
    static int MAC2IP(const char* mac, std::u16string_view ip, std::u16string_view mask,
                      std::u16string& outIp, std::u16string& outMask);
    static int GetSensorInfo(std::u16string_view ip, SensorDiscoveryRecord* record);
    static int GetNetworkIP(std::u16string_view ip, std::u16string_view mask, std::u16string& network);
    static int AddSubnet(std::u16string_view network, std::u16string_view mask);
    // connectionLost: the image got no answer (the connection was lost, not refused).
    static int Update(std::u16string_view host, int port, bool& connectionLost);

    // The configuration map: key = item position of a slot's first value.
    void RebuildConfigMap(const ParameterList& configList);
    // The n-th (from 1) entry under key into out; -1 (out untouched) when there are fewer.
    int GetConfigEntry(int key, int n, ConfigListEntry& out) const;
    int AddConfigEntry(int key, const ConfigListEntry& entry);
    const std::multimap<int, ConfigListEntry>& ConfigMap() const { return configMap_; }

private:
    std::multimap<int, ConfigListEntry> configMap_;
};
