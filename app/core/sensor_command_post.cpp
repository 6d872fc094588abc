#include "core/sensor_command_post.h"

#include "core/command_rows.h"
#include "core/misc_checks.h"
#include "core/sensor_command.h"
#include "text/text_codecs.h"

namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    Utf16ToUtf8String(out, text);
    return out;
}

SlotArgs Slot(const MainDialogState& s) {
    SlotArgs a;
    a.index = s.m_nConfigIndex;
    a.nameEncoded = s.m_bNameEncoded;
    a.name = s.m_strConfigName;
    a.group = s.m_nGroup;
    a.targetIndex = s.m_nTargetIndex;
    a.targetName = s.m_strTargetName;
    a.targetGroup = s.m_nTargetGroup;
    a.masterType = s.m_nMasterType;
    a.file = s.m_strConfigFile;
    a.extended = s.m_bExtendedConfig;
    return a;
}

ValueArgs Value(int value, int second = 0, bool extended = false) {
    return ValueArgs{value, second, extended};
}

ListArgs List(const ParameterList& list, bool extended = false) {
    return ListArgs{list, extended};
}

ResultArgs Results(const MainDialogState& s) {
    return ResultArgs{s.m_strResultFile, s.m_strResultFolder, s.m_nResultOption, s.m_nSelectedResultId, 1};
}

// A reading's fetch: the result to lock and how its codes are read.
ReadingArgs Reading(const MainDialogState& s, int first, int second) {
    return ReadingArgs{first, second, s.m_nSensorState == 2, s.m_bExtendedConfig != 0, s.m_ResultCodeTypes};
}

ConnectArgs Address(const MainDialogState& s, int port) {
    ConnectArgs a;
    a.host = Utf8(s.m_strConnectAddress);
    a.port = port;
    a.key = Utf8(s.m_strConnectKey);
    return a;
}

// The member a getter's list goes to.
ParameterList* ListMember(MainDialogState& s, int id) {
    switch (id) {
        case CMD_GET_CONFIG_DATA:
        case CMD_GET_INFO_CONFIG:
            return &s.m_ConfigData;
        case CMD_GET_SENSOR_GLOBALS:
            return &s.m_SensorGlobals;
        case CMD_GET_CONFIG_LIST:
            return &s.m_ConfigList;
        case CMD_GET_ECC200_DATA:
            return &s.m_ECC200Data;
        case CMD_GET_PDF417_DATA:
            return &s.m_PDF417Data;
        case CMD_GET_QRCODE_DATA:
            return &s.m_QRCodeData;
        case CMD_GET_AZTEC_DATA:
            return &s.m_AztecData;
        case CMD_GET_BARCODE_DATA:
            return &s.m_BarCodeData;
        case CMD_GET_ECC200_QR_QUALITY:
            return &s.m_ECC200QRQuality;
        case CMD_GET_PDF417_QUALITY:
            return &s.m_PDF417Quality;
        case CMD_GET_QUALITY_PARAMS:
            return &s.m_QualityParams;
        case CMD_GET_RESULT_WITH_IMAGE:
        case CMD_REFRESH_RESULT:
            return &s.m_ResultItems;
        default:
            return nullptr;
    }
}

}  // namespace

CommandArgs CaptureCommandArgs(const MainDialogState& s, int id) {
    switch (id) {
        case CMD_CONNECT: {
            ConnectArgs a = Address(s, s.m_nConnectPort);
            a.limitMs = ConnectRoadLimitMs();
            return a;
        }
        case CMD_DISCONNECT:
            return Address(s, s.m_nConnectPort);
        case CMD_START_LIVE_IMAGE:
            return Address(s, s.m_nLiveImagePort);
        case CMD_UPDATE_SOFTWARE:
            return Address(s, s.m_nConnectPort);
        case CMD_GET_CONFIG_DATA:
            return Value(s.m_nConfigId, 0, s.m_bExtendedConfig);
        case CMD_SET_CONFIG_DATA:
            return List(s.m_ConfigData, s.m_bExtendedConfig);
        case CMD_SET_STATE:
        case CMD_MONITOR_OFF:
        case CMD_RESET_STATISTICS:
            return Value(s.m_nSensorState);
        case CMD_COPY_CONFIG:
        case CMD_EDIT_CONFIG:
        case CMD_CREATE_CONFIG:
        case CMD_ACTIVATE_CONFIG:
        case CMD_ACTIVATE_GROUP:
        case CMD_RENAME_CONFIG:
        case CMD_MOVE_CONFIG:
        case CMD_DELETE_CONFIG:
        case CMD_UPLOAD_CONFIG:
        case CMD_DOWNLOAD_CONFIG:
        case CMD_SET_GROUP_MASTER:
        case CMD_GET_INFO_CONFIG:
            return Slot(s);
        case CMD_SET_SENSOR_GLOBALS:
            return List(s.m_SensorGlobals);
        case CMD_AUTO_DETECT_CODE:
            return Value(s.m_nRecognition, s.m_nCodesPerImage);
        case CMD_APPLY_REGEX:
            return RegexArgs{s.m_strRegexText1, s.m_strRegexText2, s.m_strRegexText3};
        case CMD_SET_ECC200_DATA:
            return List(s.m_ECC200Data);
        case CMD_SET_PDF417_DATA:
            return List(s.m_PDF417Data);
        case CMD_SET_QRCODE_DATA:
            return List(s.m_QRCodeData);
        case CMD_SET_BARCODE_DATA:
            return List(s.m_BarCodeData);
        case CMD_SET_AZTEC_DATA:
            return List(s.m_AztecData);
        case CMD_SET_ECC200_QR_QUALITY:
            return List(s.m_ECC200QRQuality);
        case CMD_SET_QUALITY_PARAMS:
            return List(s.m_QualityParams);
        case CMD_SET_PDF417_QUALITY:
            return List(s.m_PDF417Quality);
        case CMD_REVERT_CODE_DATA:
            return Value(s.m_nRevertCodeType);
        case CMD_UPDATE_RECOGNITION_MODE:
            return Value(s.m_nRecognitionMode);
        case CMD_GET_QUALITY_PARAMS:
            return Value(s.m_nCodeType);
        case CMD_SAVE_ALL_RESULTS:
        case CMD_SAVE_FAILED_RESULTS:
        case CMD_SAVE_SERVICE_REPORT:
        case CMD_SAVE_CURRENT_RESULT:
            return Results(s);
        case CMD_GET_RESULT_WITH_IMAGE:
        case CMD_GET_READ_CODE:
            return Reading(s, -1, 0);
        case CMD_REFRESH_RESULT:
            return Reading(s, s.m_nSelectedResultId, s.m_nResultOption);
        default:
            return std::monostate{};
    }
}

uint64_t PostSensorCommand(MainDialogState& s, CommandEngine& engine, int id) {
    switch (id) {
        case CMD_TEST_CONFIG_ON:
        case CMD_TEST_TRIGGER_ON:
        case CMD_MONITOR_ON:
            s.m_bTestRunning = true;
            break;
        case CMD_TEST_CONFIG_OFF:
        case CMD_TEST_TRIGGER_OFF:
        case CMD_MONITOR_OFF:
        case CMD_RESET_STATISTICS:
            s.m_bTestRunning = false;
            break;
        case CMD_CONNECT: {
            // The key names the connection until its disconnect: taken once here.
            std::u16string mask;
            CMisc::GetLocalAddresses(s.m_strConnectKey, mask);
            break;
        }
        default:
            break;
    }
    ++s.m_nOutstandingCommands;
    return engine.Post(id, CaptureCommandArgs(s, id));
}

bool TakeSensorReply(MainDialogState& s, const CommandEngine& engine, CommandReply& r) {
    if (s.m_nOutstandingCommands > 0) --s.m_nOutstandingCommands;
    if (r.outcome == CommandOutcome::Replaced || r.outcome == CommandOutcome::Flushed) return false;
    if (r.session != engine.Session()) return false;
    if (r.outcome == CommandOutcome::NoRow) return true;

    if (ParameterList* list = ListMember(s, r.id)) *list = std::move(r.list);
    bool ok = r.status == 0;
    switch (r.id) {
        case CMD_CONNECT:
            if (r.softwareVersion) {
                s.m_strSoftwareVersion = *r.softwareVersion;
                s.m_strSensorType = r.sensorType.value_or(u"");
                s.m_bExtendedConfig = IsExtendedConfigVersion(s.m_strSoftwareVersion);
            }
            if (r.sensorState) {
                s.m_nSensorState = *r.sensorState;
                s.m_SensorGlobals = std::move(r.list);
            }
            break;
        case CMD_GET_STATE:
            if (r.sensorState) s.m_nSensorState = *r.sensorState;
            break;
        case CMD_GET_CONFIG_DATA:
            if (ok) {
                s.m_szConfigItem0 = r.configItem0;
                s.m_szConfigItem1 = r.configItem1;
            }
            break;
        case CMD_GET_CONFIG_LIST:
            if (ok) s.m_GroupList = std::move(r.list2);
            break;
        case CMD_GET_STATISTICS:
            if (ok) {
                s.m_nTotalReadings = r.total;
                s.m_nGoodReadings = r.good;
            }
            break;
        case CMD_START_LIVE_IMAGE:
            if (ok) s.m_bLiveImage = true;
            break;
        case CMD_STOP_LIVE_IMAGE:
            // A stop that failed leaves the stream running, so the flag stays.
            if (ok) s.m_bLiveImage = false;
            break;
        case CMD_GET_READ_CODE:
            s.m_nReadCount = r.readCount.value_or(0);
            break;
        case CMD_GET_RESULT_WITH_IMAGE:
        case CMD_REFRESH_RESULT:
            s.m_nReadCount = r.readCount.value_or(0);
            s.m_bWithImage = true;
            break;
        case CMD_AUTO_DETECT_CODE:
            if (ok) {
                s.m_nDetectedCodeType = r.detectedCodeType;
                s.m_nDetectedValue = r.detectedValue;
            }
            break;
        case CMD_APPLY_REGEX:
            s.m_strRegexResult = ok ? r.regexText : std::u16string();
            if (ok) s.m_nRegexResult = r.regexResult;
            break;
        case CMD_GET_RESULTS_LIST:
        case CMD_GET_FAILED_RESULTS_LIST:
            s.m_nStoredResultCount = r.storedResultCount;
            s.m_ResultsList = std::move(r.resultsList);
            if (ok) s.m_szResultsText = r.resultsText;
            break;
        default:
            break;
    }
    return true;
}
