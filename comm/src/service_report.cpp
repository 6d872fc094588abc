#include "service_report.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "config_list_info.h"
#include "dravik/comm_status.h"
#include "report_text.h"
#include "report_values.h"
#include "results.h"
#include "sensor_configuration.h"

namespace dravik {

namespace {

constexpr const char* kTitle = "Varnis K7M Service Report";

bool stopsReport(int code) {
    return CServiceReport::StopsGeneration(code);
}

const char* yesNo(bool yes) {
    return yes ? "Yes" : "No";
}

std::string number(int value) {
    return std::to_string(value);
}

std::string fixed(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, end.ptr);
}

// Opens an element and closes it on every way out, so a section left early
// still leaves a well-formed document.
class Tag {
public:
    Tag(CXMLParser& document, std::string_view name) : document_(document), name_(name) {
        document_.OpenTag(name_);
    }
    ~Tag() { document_.CloseTag(name_); }
    Tag(const Tag&) = delete;
    Tag& operator=(const Tag&) = delete;

private:
    CXMLParser& document_;
    std::string_view name_;
};

// One quality parameter of a code quality list: its section's name, whether
// it goes out with the result and its grade.
struct QualityItem {
    std::string name;
    int append = 0;
    int grade = 0;
};

std::vector<QualityItem> qualityItems(const ParameterList& list) {
    std::vector<QualityItem> items;
    for (std::size_t i = 0; i + 2 < list.size(); ++i) {
        if (list[i].kind != PARAMETER_SECTION_BEGIN) continue;
        items.push_back({list[i].name, list[i + 1].intValue, list[i + 2].intValue});
        i += 2;
    }
    return items;
}

// Everything the report shows of one code of a stored result.
struct CodeReading {
    ReadResult result;
    std::string raw;
    ParameterList codeResult;
    std::vector<QualityItem> quality;
};

}  // namespace

CServiceReport::CServiceReport(SensorReader& reader, std::string folder, const std::tm& when,
                               std::FILE* trace)
    : reader_(reader), folder_(std::move(folder)), when_(when), trace_(trace) {}

std::string CServiceReport::TitleTimeText(const std::tm& when) {
    char text[81] = {};
    std::strftime(text, sizeof text, " Generated on %Y-%m-%d at %H:%M:%S", &when);
    return text;
}

int CServiceReport::Generate(int which) {
    document_.Title(kTitle, TitleTimeText(when_));
    int remembered = COMM_OK;
    const auto section = [&](int code) {
        if (code != COMM_OK && !stopsReport(code)) remembered = code;
        return stopsReport(code);
    };
    int code = SensorConfiguration();
    if (section(code)) return code;
    if (code = Statistics(); section(code)) return code;
    if (code = ActiveGroup(); section(code)) return code;
    if (code = AllResults(which); section(code)) return code;
    if (code = Configuration(); section(code)) return code;
    if (code = AllConfigurations(); section(code)) return code;
    return remembered;
}

int CServiceReport::SensorConfiguration() {
    ParameterList list;
    if (const int code = reader_.GetSensorGlobals(list); code != COMM_OK) return code;
    SensorIdentity identity;
    SensorNetwork network;
    SensorProcessInterface processInterface;
    SensorGlobalFlags flags;
    if (!CSensorConfiguration::ReadIdentity(list, identity) ||
        !CSensorConfiguration::ReadNetwork(list, network) ||
        !CSensorConfiguration::ReadProcessInterface(list, processInterface) ||
        !CSensorConfiguration::ReadGlobalSettings(list, flags))
        return COMM_REPORT_SECTION_FAILED;

    Tag section(document_, "SensorConfiguration");
    document_.Element("SensorName", ConvertRecordText(textOf(identity.name)));
    document_.Element("SensorLocation", ConvertRecordText(textOf(identity.location)));
    document_.Element("ArticleNumber", textOf(identity.articleNumber));
    document_.NumberElement(identity.firmware, "SensorFwVersion");
    document_.Element("DebouncedTrigger", flags.values[0] != 0 ? "On" : "Off");
    const int32_t* serial = processInterface.values;
    if (serial[0] != 0) {
        document_.Element("ProcessInterface", "RS232");
        document_.NumberElement(serial[1], "BaudRate");
        document_.NumberElement(serial[2], "StopBits");
        document_.Element("Parity", serial[3] == 1 ? "Even" : serial[3] == 2 ? "Odd" : "None");
    } else {
        document_.Element("ProcessInterface", "TCP/IP");
        document_.NumberElement(serial[4], "TCPIPPort");
    }
    if (network.dhcp != 0) {
        document_.Element("DHCPActive", "Yes");
    } else {
        document_.Element("DHCPActive", "No");
        document_.Element("SensorIPAddress", textOf(network.texts[0]));
        document_.Element("SensorGatewayIP", textOf(network.texts[2]));
        document_.Element("SensorSubnetMask", textOf(network.texts[1]));
    }
    return COMM_OK;
}

int CServiceReport::Statistics() {
    int total = 0;
    int good = 0;
    if (const int code = reader_.GetSensorStatistics(total, good); code != COMM_OK) return code;
    const long long failed = static_cast<long long>(total) - good;
    Tag section(document_, "Statistics");
    document_.NumberElement(total, "TotalReadings");
    document_.NumberElement(good, "GoodReadings");
    document_.Element("GoodPercent", PercentText(good, total));
    document_.Element("FailedReadings", std::to_string(failed));
    document_.Element("FailedPercent", PercentText(failed, total));
    return COMM_OK;
}

std::string CServiceReport::SlotName(const ConfigListEntry& entry) const {
    return SlotNameText(entry.configIndex + 1, ConvertRecordText(textOf(entry.name)));
}

const ConfigListEntry* CServiceReport::ActiveEntry() const {
    const auto active =
        std::find_if(slots_.begin(), slots_.end(), [](const auto& e) { return e.active != 0; });
    return active == slots_.end() ? nullptr : &*active;
}

// The entry of a result's configuration label ("<number>)" and the stored name).
const ConfigListEntry* CServiceReport::EntryNamed(const std::string& label) const {
    const std::string name(ConfigLabelName(label));
    if (name.empty()) return nullptr;
    const auto found = std::find_if(slots_.begin(), slots_.end(), [&](const auto& e) {
        return textOf(e.name) == name || ConvertRecordText(textOf(e.name)) == ConvertRecordText(name);
    });
    return found == slots_.end() ? nullptr : &*found;
}

std::string CServiceReport::GroupText(const ConfigListEntry& entry) const {
    if (entry.groupIndex < 0 || entry.groupIndex > 25) return {};
    int place = 0;
    for (const ConfigListEntry& other : slots_) {
        if (other.groupIndex == entry.groupIndex) ++place;
        if (other.configIndex == entry.configIndex) break;
    }
    return static_cast<char>('A' + entry.groupIndex) + std::to_string(place);
}

int CServiceReport::ActiveGroup() {
    ParameterList list;
    if (const int code = reader_.GetConfigList(list); code != COMM_OK) return code;
    if (const int code = configs_.Build(list, trace_); code != COMM_OK) return code;
    slots_.clear();
    for (const auto& [key, entry] : configs_.entries()) slots_.push_back(entry);
    std::sort(slots_.begin(), slots_.end(),
              [](const auto& a, const auto& b) { return a.configIndex < b.configIndex; });

    Tag section(document_, "ActiveGroup");
    const ConfigListEntry* active = ActiveEntry();
    {
        Tag config(document_, "Config");
        std::string master;
        {
            Tag members(document_, "Members");
            for (const ConfigListEntry& entry : slots_) {
                const bool member =
                    active != nullptr &&
                    (&entry == active || (active->groupIndex >= 0 && entry.groupIndex == active->groupIndex));
                if (!member) continue;
                Tag tag(document_, "Member");
                document_.Element("Name", SlotName(entry));
                if (entry.masterState != 0 && entry.groupIndex >= 0 && master.empty())
                    master = SlotName(entry);
            }
        }
        document_.Element("TriggerMaster", master);
    }
    document_.Element("ActiveConfiguration", active != nullptr ? SlotName(*active) : std::string());
    return COMM_OK;
}

std::string CServiceReport::PictureName(int resultNumber) const {
    char name[64];
    std::snprintf(name, sizeof name, "%d_%02d_%02d_%02d.bmp", resultNumber, when_.tm_hour, when_.tm_min,
                  when_.tm_sec);
    return name;
}

int CServiceReport::ReadActiveConfig() {
    if (activeConfig_) return COMM_OK;
    ParameterList list;
    if (const int code = reader_.GetActiveConfigData(list); code != COMM_OK) return code;
    activeConfig_ = std::move(list);
    return COMM_OK;
}

int CServiceReport::AllResults(int which) {
    std::vector<StoredResult> entries;
    if (const int code = reader_.GetLastResultsList(which, entries); code != COMM_OK) return code;
    // The active configuration says how code quality goes out.
    if (!entries.empty() && ActiveEntry() != nullptr) {
        if (const int code = ReadActiveConfig(); code != COMM_OK) return code;
    }
    int remembered = COMM_OK;
    Tag section(document_, "AllResults");
    for (const StoredResult& entry : entries) {
        const int code = WriteResult(entry, which);
        if (stopsReport(code)) return code;
        if (code != COMM_OK) remembered = COMM_REPORT_RESULTS_INCOMPLETE;
    }
    return remembered;
}

int CServiceReport::WriteResult(const StoredResult& entry, int which) {
    // Everything is read under the lock first, so a result that cannot be
    // read leaves nothing half written.
    int count = 0;
    if (const int code = reader_.LockResult(entry.resultNumber, which, count); code != COMM_OK) return code;
    const std::string picture = PictureName(entry.resultNumber);
    std::vector<CodeReading> codes(static_cast<std::size_t>(std::max(count, 0)));
    int code = reader_.SaveDecodedImage((std::filesystem::path(folder_) / picture).string());
    for (std::size_t i = 0; code == COMM_OK && i < codes.size(); ++i) {
        CodeReading& reading = codes[i];
        ParameterList list;
        const int index = static_cast<int>(i);
        code = reader_.GetResult(index, list, reading.raw);
        if (code != COMM_OK) break;
        if (!CResults::Extract(list, reading.result)) {
            code = COMM_REPORT_SECTION_FAILED;
            break;
        }
        const int codeType = reading.result.head[2];
        code = reader_.GetCodeResult(index, codeType, reading.codeResult);
        if (code != COMM_OK) break;
        ParameterList quality;
        const int qualityCode = reader_.GetCodeQualityResult(index, codeType, quality);
        // A code type without quality grades has none to show.
        if (qualityCode == COMM_OK)
            reading.quality = qualityItems(quality);
        else if (qualityCode != COMM_INVALID_ARGUMENT && qualityCode != COMM_TEMPLATE_NOT_LOADED)
            code = qualityCode;
    }
    const int unlocked = reader_.UnlockResult();
    if (code != COMM_OK) return code;
    if (stopsReport(unlocked)) return unlocked;

    ProcessInterfaceBlock output;
    if (activeConfig_) CConfigListInfo::ReadProcessInterface(*activeConfig_, output);

    Tag single(document_, "SingleResult");
    document_.NumberElement(entry.resultNumber, "ResultIndex");
    const ReadResult* first = codes.empty() ? nullptr : &codes.front().result;
    const bool matched = first != nullptr && first->head[3] == 1;
    document_.Element("OverallResult", entry.passed == 0 ? "Fail" : matched ? "Matched" : "Passed");
    const std::string configName = first != nullptr ? textOf(first->configName) : std::string();
    const ConfigListEntry* config = EntryNamed(configName);
    const std::string group = config != nullptr ? GroupText(*config) : std::string();
    document_.Element("Group", group.empty() ? "None" : "Group " + group);
    document_.Element("ImagePath", "./" + picture);
    document_.Element("Config", ConvertConfigLabel(configName));
    {
        Tag basic(document_, "CodeDefinitionBasic");
        if (first != nullptr) {
            document_.Element("CodeType", CodeTypeName(first->head[2]));
            document_.Element("RecognitionType", RecognitionName(first->values[27 - 11]));
            document_.NumberElement(first->counts[2], "CodesPerImage");
        }
    }
    Tag results(document_, "CodesAndResults");
    if (first != nullptr) document_.Element("TotalTime", number(first->values[24 - 11]) + " ms");
    for (const CodeReading& reading : codes) {
        document_.Element("CodeContents", ConvertRecordText(reading.raw));
        document_.Element("Result", reading.result.values[23 - 11] == 1 ? "Pass" : "Fail");
        {
            Tag grades(document_, "QualityParameters");
            for (const QualityItem& item : reading.quality)
                document_.Element(ElementName(item.name, "Parameter"), GradeLetter(item.grade));
        }
        {
            Tag found(document_, "CodeDefinitionOptimised");
            for (const ParameterItem& item : reading.codeResult) {
                if (item.kind != PARAMETER_VALUE) continue;
                const std::string_view name = ElementName(item.name, "Value");
                if (item.type == "INT")
                    document_.Element(name, number(item.intValue));
                else if (item.type == "DOUBLE")
                    document_.Element(name, fixed(item.doubleValue));
                else
                    document_.Element(name, ConvertRecordText(item.stringValue));
            }
        }
        Tag appended(document_, "QualityParams");
        const int appendQuality = output.appendQuality;
        document_.Element("AppendCodeQuality", appendQuality == 1   ? "0-4"
                                               : appendQuality == 2 ? "A-F"
                                                                    : "No");
        for (const QualityItem& item : reading.quality)
            document_.Element(ElementName(item.name, "Parameter"), yesNo(item.append != 0));
    }
    return COMM_OK;
}

int CServiceReport::ConfigurationBlocks(const ParameterList& list) {
    ImageQualityBlock image;
    FilterBlock filters;
    ProcessInterfaceBlock output;
    TriggerBlock trigger;
    if (!CConfigListInfo::ReadImageQuality(list, image) || !CConfigListInfo::ReadFilters(list, filters) ||
        !CConfigListInfo::ReadProcessInterface(list, output) || !CConfigListInfo::ReadTrigger(list, trigger))
        return COMM_REPORT_SECTION_FAILED;
    {
        Tag block(document_, "ImageQualitySettings");
        document_.Element("Illumination", IlluminationText(image.values[10]));
        document_.Element("Lighting", image.values[0] == 1 ? "Internal" : "External");
        document_.Element("ExposureTime", number(RoundedExposureTime(image.values[2])) + " us");
        document_.Element("SensorCharacteristics", image.values[1] != 0 ? "Logarithmic" : "Linear");
        document_.Element("ROI", number(image.values[6]) + ", " + number(image.values[7]) + ", " +
                                     number(image.values[8]) + ", " + number(image.values[9]));
    }
    {
        Tag block(document_, "CodeDefinitionFilters");
        document_.Element("PreProcessingFilter1", FilterName(filters.values[0]));
        document_.Element("PreProcessingFilter2", FilterName(filters.values[1]));
        document_.Element("PreProcessingFilter3", FilterName(filters.values[2]));
    }
    {
        Tag block(document_, "ProcessInterfaceBasic");
        document_.Element("Mode", WorkingModeName(output.values[0]));
        static constexpr const char* kTexts[5] = {"StartString", "StopString", "FailString", "MatchString",
                                                  "RefCode"};
        for (std::size_t i = 0; i < 5; ++i)
            document_.Element(kTexts[i], ConvertRecordText(textOf(output.texts[i])));
        document_.Element("AppendOutputDescription", yesNo(output.values[4] != 0));
        document_.Element("AppendConf", yesNo(output.values[1] != 0));
        const int position = output.values[3];
        document_.Element("AppendCodePosition", position == 1   ? "Center position"
                                                : position == 2 ? "Corner positions"
                                                                : "No");
        document_.Element("AppendImageData", output.values[5] == 1 ? "Windows Bitmap (BMP)" : "JPEG");
    }
    Tag block(document_, "TriggerConfiguration");
    const std::string_view source = TriggerSourceName(trigger.values[2]);
    if (!source.empty()) document_.Element("TriggerSource", source);
    if (trigger.values[0] == 1) {
        document_.Element("UseTriggerWindow", "Yes");
        document_.NumberElement(trigger.values[1], "Trials");
        document_.NumberElement(trigger.values[3], "TimeLimit");
    } else {
        document_.Element("UseTriggerWindow", "No");
        document_.Element("Trials", " ");
        document_.Element("TimeLimit", " ");
    }
    return COMM_OK;
}

int CServiceReport::Configuration() {
    // A sensor without an active configuration has none to show.
    if (ActiveEntry() == nullptr) {
        Tag section(document_, "Configuration");
        document_.Element("Group", "None");
        return COMM_OK;
    }
    if (const int code = ReadActiveConfig(); code != COMM_OK) return code;
    ExtendedOptionsBlock options;
    if (!CConfigListInfo::ReadExtendedOptions(*activeConfig_, options)) return COMM_REPORT_SECTION_FAILED;
    Tag section(document_, "Configuration");
    const ConfigListEntry* active = ActiveEntry();
    const std::string group = active != nullptr ? GroupText(*active) : std::string();
    document_.Element("Group", group.empty() ? "None" : group);
    document_.Element("TriggerMaster", group.empty() ? "" : yesNo(active->masterState != 0));
    document_.Element("Configname", active != nullptr ? SlotName(*active) : std::string());
    if (const int code = ConfigurationBlocks(*activeConfig_); code != COMM_OK) return code;
    Tag block(document_, "ExtendedOptions");
    document_.Element("StringNumeration", yesNo(options.stringNumeration != 0));
    document_.Element("DigitalLinesOverProcessInterface",
                      yesNo(options.digitalLinesOverProcessInterface != 0));
    const int composite = options.compositeComponent;
    document_.Element("CompositeComponent", composite == 1   ? "Optional"
                                            : composite == 2 ? "Mandatory"
                                                             : "Off");
    return COMM_OK;
}

int CServiceReport::AllConfigurations() {
    Tag section(document_, "AllConfigurations");
    for (const ConfigListEntry& entry : slots_) {
        ParameterList list;
        if (const int code = reader_.GetConfigInfo(entry, list); code != COMM_OK) return code;
        Tag single(document_, "SingleConfig");
        {
            Tag details(document_, "ConfigDetails");
            document_.Element("Configname", SlotName(entry));
            document_.NumberElement(entry.groupIndex, "GroupNo");
            document_.Element("Active", yesNo(entry.active != 0));
            document_.Element("TriggerMaster", yesNo(entry.masterState != 0));
        }
        if (const int code = ConfigurationBlocks(list); code != COMM_OK) return code;
    }
    return COMM_OK;
}

}  // namespace dravik
