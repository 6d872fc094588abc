#include "core/command_rows.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/config_mngt.h"
#include "core/reading_fetch.h"
#include "core/sensor_address.h"
#include "core/sensor_command.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "dravik/sensor_images.h"
#include "text/text_codecs.h"

namespace {

struct BitmapHolder {
    SensorBitmap* bitmap = nullptr;
    ~BitmapHolder() { DeleteSensorBitmap(bitmap); }
};

// A new picture only when the library handed one out.
void TakeImage(BitmapHolder& holder, CommandReply& reply) {
    const SensorBitmap* b = holder.bitmap;
    if (!b || !b->pixels || b->width <= 0 || b->height <= 0) return;
    GreyImage image;
    image.width = b->width;
    image.height = b->height;
    image.pixels.assign(b->pixels, b->pixels + static_cast<std::size_t>(b->width) * b->height);
    reply.image = std::move(image);
}

void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

template <class T>
const T& Args(const SensorCommandRequest& r) {
    static const T empty{};
    const T* a = std::get_if<T>(&r.args);
    return a ? *a : empty;
}

std::u16string Wide(std::string_view text) {
    std::u16string out;
    Utf8ToUtf16String(out, text);
    return out;
}

constexpr int kConnectRoadLimitMs = 60000;
// The disconnect after a failed connect has a bound of its own: under the
// connect's used-up one, a sensor that did answer would never hear it.
constexpr int kDisconnectAfterConnectLimitMs = 5000;

// Bounds the calls of one row together, on the worker's thread.
struct CallDeadline {
    explicit CallDeadline(int ms) { SetThreadCallDeadline(ms); }
    ~CallDeadline() { SetThreadCallDeadline(0); }
    CallDeadline(const CallDeadline&) = delete;
    CallDeadline& operator=(const CallDeadline&) = delete;
};

int ConnectSteps(const ConnectArgs& a, CommandReply& reply, VtWindow window) {
    std::u16string version, type;
    int status = CConfigMngt::Connect(window, Wide(a.key), Wide(a.host), a.port, version, type);
    if (status != 0) return status;
    reply.softwareVersion = version;
    reply.sensorType = type;
    int state = 0;
    status = GetState(&state);
    if (status != 0) return status;
    reply.sensorState = state;
    return GetSensorGlobals(&reply.list);
}

int Connect(const ConnectArgs& a, CommandReply& reply, VtWindow window) {
    reply.connectKey = a.key;
    int status = 0;
    {
        // Every call of the connect together.
        CallDeadline road(a.limitMs);
        status = ConnectSteps(a, reply, window);
    }
    // A connect that failed at any step leaves no session behind: the sensor
    // is told "xmlDisconnect" and the heartbeat ends (nothing when none began).
    if (status != 0) {
        CallDeadline disconnect(kDisconnectAfterConnectLimitMs);
        CConfigMngt::Disconnect(Wide(a.key));
    }
    return status;
}

// A reading locked on the sensor with its picture, then its records.
int ResultWithImage(const ReadingArgs& a, CommandReply& reply) {
    int count = 0;
    BitmapHolder bitmap;
    const int status = GetNumberOfResults(a.first, a.second, 1, &count, &bitmap.bitmap, &reply.list);
    reply.readCount = status == 0 ? count : 0;
    TakeImage(bitmap, reply);
    if (status == 0) FetchReading(a, count, true, reply.reading);
    return status;
}

// A single decode locked on the sensor, its picture, then its records when
// the picture came.
int ReadCode(const ReadingArgs& a, CommandReply& reply) {
    int count = 0;
    const int status = GetReadCode(&count);
    reply.readCount = status == 0 ? count : 0;
    if (status != 0) return status;
    BitmapHolder bitmap;
    const int shown = GetDecodeImage(&bitmap.bitmap);
    TakeImage(bitmap, reply);
    if (bitmap.bitmap && shown == 0) FetchReading(a, count, false, reply.reading);
    return status;
}

int Run(const SensorCommandRequest& r, CommandReply& reply, VtWindow window) {
    switch (r.id) {
        case CMD_CONNECT:
            return Connect(Args<ConnectArgs>(r), reply, window);
        case CMD_DISCONNECT:
            return CConfigMngt::Disconnect(Wide(Args<ConnectArgs>(r).key));
        case CMD_GET_CONFIG_DATA: {
            const auto& a = Args<ValueArgs>(r);
            int status = a.extended ? GetConfigExtendedData(&reply.list, a.value)
                                    : GetConfigData(&reply.list, a.value, 1017);
            if (status == 0) {
                if (reply.list.size() > 0) reply.configItem0 = reply.list[0].stringValue;
                if (reply.list.size() > 1) reply.configItem1 = reply.list[1].stringValue;
            }
            return status;
        }
        case CMD_SET_CONFIG_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return a.extended ? SetConfigExtendedData(&a.list) : SetConfigData(&a.list);
        }
        case CMD_GET_STATISTICS:
            return GetSensorStatistics(&reply.total, &reply.good);
        case CMD_GET_STATE: {
            int state = 0;
            int status = GetState(&state);
            if (status == 0) reply.sensorState = state;
            return status;
        }
        case CMD_SET_STATE:
            return SetState(Args<ValueArgs>(r).value);
        case CMD_START_LIVE_IMAGE: {
            const auto& a = Args<ConnectArgs>(r);
            int status = CConfigMngt::StartLiveImage(Wide(a.host), a.port != 0 ? a.port : kDefaultLiveImagePort);
            // Already running is as good as started; other failures are reported.
            return status == COMM_LIVE_IMAGE_ALREADY_RUNNING ? 0 : status;
        }
        case CMD_STOP_LIVE_IMAGE: {
            int status = StopLiveImageTransmission();
            Pause(200);
            BitmapHolder bitmap;
            if (GetCurrentImage(&bitmap.bitmap) == 0) TakeImage(bitmap, reply);
            return status == COMM_LIVE_IMAGE_NOT_RUNNING ? 0 : status;
        }
        case CMD_CLOSE_AND_SAVE:
            return CloseAndSave();
        case CMD_CLOSE_AND_DISCARD:
            return CloseAndDiscard();
        case CMD_COPY_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::CopyConfig(a.index, a.nameEncoded, a.name, a.group, a.targetIndex,
                                           a.targetName, a.targetGroup);
        }
        case CMD_EDIT_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::EditConfig(a.index, a.nameEncoded, a.name, a.group);
        }
        case CMD_CREATE_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::CreateConfig(a.index, a.name, a.group);
        }
        case CMD_ACTIVATE_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::ActivateConfig(a.index, a.nameEncoded, a.name, a.group);
        }
        case CMD_ACTIVATE_GROUP:
            return ActivateGroup(Args<SlotArgs>(r).group);
        case CMD_RENAME_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::RenameConfig(a.index, a.nameEncoded, a.name, a.group, a.targetIndex,
                                             a.targetName);
        }
        case CMD_MOVE_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::MoveConfig(a.index, a.nameEncoded, a.name, a.group, a.targetIndex,
                                           a.targetName, a.targetGroup);
        }
        case CMD_DELETE_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::DeleteConfig(a.index, a.nameEncoded, a.name, a.group);
        }
        case CMD_UPLOAD_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::UploadConfig(a.index, a.name, a.group, a.file);
        }
        case CMD_DOWNLOAD_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::DownloadConfig(a.index, a.nameEncoded, a.name, a.group, a.file);
        }
        case CMD_SET_GROUP_MASTER: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::SetAsGroupMaster(a.index, a.nameEncoded, a.name, a.group, a.masterType);
        }
        case CMD_GET_CONFIG_LIST: {
            int status = GetConfigList(&reply.list);
            return status == 0 ? GetGroupList(&reply.list2) : status;
        }
        case CMD_GET_INFO_CONFIG: {
            const auto& a = Args<SlotArgs>(r);
            return CConfigMngt::GetInfoConfig(a.index, a.nameEncoded, a.name, a.group, reply.list,
                                              a.extended);
        }
        case CMD_TEST_CONFIG_ON:
            return TestConfig(1);
        case CMD_TEST_CONFIG_OFF:
            return TestConfig(0);
        case CMD_GET_SENSOR_GLOBALS:
            return GetSensorGlobals(&reply.list);
        case CMD_SET_SENSOR_GLOBALS: {
            ListArgs a = Args<ListArgs>(r);
            return SetSensorGlobals(&a.list);
        }
        case CMD_CALCULATE_EXPOSURE:
            return CalculateExpTime();
        case CMD_GET_READ_CODE:
            return ReadCode(Args<ReadingArgs>(r), reply);
        case CMD_TEST_TRIGGER_ON:
            return TestTrigger(1);
        case CMD_TEST_TRIGGER_OFF:
            return TestTrigger(0);
        case CMD_RESUME_POLLING: {
            int status = ResumePollingThread();
            return status == 800 ? 0 : status;
        }
        case CMD_SIMULATE_TRIGGER:
            return SimulateTrigger();
        case CMD_GET_TEST_TRIGGER_RESULTS: {
            BitmapHolder bitmap;
            int status = GetTestTriggerResults(&bitmap.bitmap);
            if (status == 0) TakeImage(bitmap, reply);
            return status;
        }
        case CMD_MONITOR_ON:
            return StartMonitorMode(1);
        case CMD_MONITOR_OFF: {
            int status = StartMonitorMode(0);
            return status == 0 ? SetState(Args<ValueArgs>(r).value) : status;
        }
        case CMD_AUTO_DETECT_CODE: {
            const auto& a = Args<ValueArgs>(r);
            const int status = AutoDetectCode(a.value, a.second, &reply.detectedCodeType, &reply.detectedValue);
            // The picture the detection looked at, when one comes.
            BitmapHolder bitmap;
            if (status == 0) GetCurrentImage(&bitmap.bitmap);
            TakeImage(bitmap, reply);
            return status;
        }
        case CMD_APPLY_REGEX: {
            const auto& a = Args<RegexArgs>(r);
            return CConfigMngt::ApplyRegularExpression(a.text3, a.text1, a.text2, reply.regexText,
                                                       reply.regexResult);
        }
        case CMD_TRANSMIT_TEST_DATA:
            return TransmitTestData();
        case CMD_TRANSMIT_FAIL_DATA:
            return TransmitFailData();
        case CMD_TRANSMIT_MATCH_STRING:
            return TransmitMatchString();
        case CMD_GET_ECC200_DATA:
            return GetECC200Data(&reply.list);
        case CMD_GET_PDF417_DATA:
            return GetPDF417Data(&reply.list);
        case CMD_GET_QRCODE_DATA:
            return GetQRCodeData(&reply.list);
        case CMD_GET_BARCODE_DATA:
            return GetBarCodeData(&reply.list);
        case CMD_GET_AZTEC_DATA:
            return GetAztecCodeData(&reply.list);
        case CMD_GET_ECC200_QR_QUALITY:
            return GetECC200QRQuality(&reply.list);
        case CMD_GET_PDF417_QUALITY:
            return GetPDF417Quality(&reply.list);
        case CMD_GET_QUALITY_PARAMS:
            return GetQualityParams(Args<ValueArgs>(r).value, &reply.list);
        case CMD_SET_ECC200_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return SetECC200Data(&a.list);
        }
        case CMD_SET_PDF417_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return SetPDF417Data(&a.list);
        }
        case CMD_SET_QRCODE_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return SetQRCodeData(&a.list);
        }
        case CMD_SET_BARCODE_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return SetBarCodeData(&a.list);
        }
        case CMD_SET_AZTEC_DATA: {
            ListArgs a = Args<ListArgs>(r);
            return SetAztecCodeData(&a.list);
        }
        case CMD_SET_ECC200_QR_QUALITY:
        case CMD_SET_QUALITY_PARAMS: {
            ListArgs a = Args<ListArgs>(r);
            int status = SetQualityParams(0, &a.list);
            if (r.id == CMD_SET_QUALITY_PARAMS) Pause(100);
            return status;
        }
        case CMD_SET_PDF417_QUALITY: {
            ListArgs a = Args<ListArgs>(r);
            return SetQualityParams(1, &a.list);
        }
        case CMD_REVERT_CODE_DATA:
            return RevertCodeDataSettings(Args<ValueArgs>(r).value);
        case CMD_UPDATE_RECOGNITION_MODE:
            return UpdateRecognitionMode(Args<ValueArgs>(r).value);
        case CMD_GET_RESULTS_LIST:
        case CMD_GET_FAILED_RESULTS_LIST: {
            int count = 0;
            int status = CConfigMngt::GetLastResultsList(r.id == CMD_GET_FAILED_RESULTS_LIST ? 1 : 0,
                                                         reply.resultsText, count, reply.resultsList);
            reply.storedResultCount = status == 0 ? count : 0;
            return status;
        }
        case CMD_SAVE_ALL_RESULTS:
        case CMD_SAVE_FAILED_RESULTS: {
            const auto& a = Args<ResultArgs>(r);
            return CConfigMngt::SaveAllResults(a.folder, a.option, r.id == CMD_SAVE_FAILED_RESULTS ? 1 : 0);
        }
        case CMD_SAVE_SERVICE_REPORT: {
            const auto& a = Args<ResultArgs>(r);
            return CConfigMngt::GenerateServiceReport(a.folder, a.option);
        }
        case CMD_SAVE_CURRENT_RESULT: {
            const auto& a = Args<ResultArgs>(r);
            return CConfigMngt::SaveCurrentResult(a.file, a.option, a.selectedId);
        }
        case CMD_RESET_STATISTICS:
            return Args<ValueArgs>(r).value == 9 ? ResetStatisticsService() : ResetStatistics();
        case CMD_UNLOCK_RESULT:
            return SetUnlockResult();
        case CMD_GET_RESULT_WITH_IMAGE:
        case CMD_REFRESH_RESULT:
            return ResultWithImage(Args<ReadingArgs>(r), reply);
        case CMD_UPDATE_SOFTWARE: {
            const auto& a = Args<ConnectArgs>(r);
            return CConfigMngt::Update(Wide(a.host), a.port, reply.updateConnectionLost);
        }
        default:
            reply.outcome = CommandOutcome::NoRow;
            return kCommandNotSupported;
    }
}

}  // namespace

int ConnectRoadLimitMs() {
    const char* text = std::getenv("VT_CONNECT_LIMIT_MS");
    const int ms = text ? std::atoi(text) : 0;
    return ms > 0 ? ms : kConnectRoadLimitMs;
}

bool IsExtendedConfigVersion(std::u16string_view version) {
    // The decimal value of the text as atoi reads it: leading blanks, a sign, digits.
    std::size_t i = 0;
    while (i < version.size() && (version[i] == u' ' || version[i] == u'\t')) ++i;
    bool negative = false;
    if (i < version.size() && (version[i] == u'+' || version[i] == u'-')) negative = version[i++] == u'-';
    long long value = 0;
    for (; i < version.size() && version[i] >= u'0' && version[i] <= u'9'; ++i) {
        value = value * 10 + (version[i] - u'0');
        if (value > 1000000000) break;
    }
    return !negative && value >= kExtendedConfigVersion;
}

void RunCommandRow(const SensorCommandRequest& request, CommandReply& reply, VtWindow window) {
    reply.id = request.id;
    reply.session = request.session;
    reply.serial = request.serial;
    reply.outcome = CommandOutcome::Ran;
    reply.status = Run(request, reply, window);
}
