#include "commands/read_results.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/code_types.h"
#include "core/command_records.h"
#include "core/control_chars.h"
#include "core/main_dialog_state.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_bitmap.h"
#include "dravik/sensor_images.h"
#pragma push_macro("slots")
#undef slots
#include "records/aztec_code_results.h"
#include "records/barcode_quality_params.h"
#include "records/config_list_info.h"
#include "records/ecc200_quality_params.h"
#include "records/ecc200_results.h"
#include "records/pdf417_quality_params.h"
#include "records/pdf417_results.h"
#include "records/qr_code_results.h"
#include "records/results.h"
#pragma pop_macro("slots")
#include "services/view_services.h"
#include "text/text_codecs.h"

namespace {

constexpr int kMonitorConfigId = 2;
constexpr int kConfigTemplate = 1017;
constexpr int kNoConfigurationInMonitor = -103;

QImage GreyPixels(int width, int height, const std::uint8_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return {};
    QImage out(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        std::memcpy(out.scanLine(y), pixels + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width));
    return out;
}

// The bytes of a code as the log and the result views show them: each
// byte a character, control characters in their escaped form.
std::string DisplayText(const std::vector<std::uint8_t>& bytes) {
    std::u16string chars(bytes.begin(), bytes.end());
    std::string out;
    Utf16ToUtf8String(out, EscapeControlChars(chars));
    return out;
}

// Detail results go into the slot's own family form; a slot of another
// family from an earlier reading starts afresh.
template <class Record>
Record& SlotAs(CodeResultRecord& slot) {
    if (!std::holds_alternative<Record>(slot)) slot.emplace<Record>();
    return std::get<Record>(slot);
}

struct BitmapOwner {
    SensorBitmap* bitmap = nullptr;
    ~BitmapOwner() {
        if (bitmap) DeleteSensorBitmap(bitmap);
    }
};

int ShowFetched(int (*fetch)(SensorBitmap**), ImageViewService* view) {
    BitmapOwner fetched;
    const int status = fetch(&fetched.bitmap);
    if (!fetched.bitmap) return -1;
    if (view) view->ShowPicture(BitmapToImage(fetched.bitmap));
    return status;
}

}  // namespace

QImage GreyToImage(const GreyImage& image) {
    if (image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(std::max(image.height, 0)))
        return {};
    return GreyPixels(image.width, image.height, image.pixels.data());
}

QImage BitmapToImage(const SensorBitmap* bitmap) {
    return bitmap ? GreyPixels(bitmap->width, bitmap->height, bitmap->pixels) : QImage();
}

CReadResults::CReadResults(MainDialogState& state, ShowError showError)
    : s_(state), showError_(std::move(showError)) {}

int CReadResults::Fail(int status) {
    if (showError_) showError_(status);
    return -1;
}

int CReadResults::ReadMonitorConfiguration() {
    s_.m_nConfigId = kMonitorConfigId;
    s_.m_ConfigData.clear();
    const int status = s_.m_bExtendedConfig ? GetConfigExtendedData(&s_.m_ConfigData, kMonitorConfigId)
                                            : GetConfigData(&s_.m_ConfigData, kMonitorConfigId, kConfigTemplate);
    if (status == kNoConfigurationInMonitor) return -1;
    if (status != 0) return Fail(status);
    if (s_.m_ConfigData.empty()) return 0;
    ReadConfigurationRecords(s_);
    return 0;
}

void ReadConfigurationRecords(MainDialogState& s) {
    const CConfigListInfo& info = *CConfigListInfo::GetInstance();
    ConfigurationRecords& c = s.m_Configuration;
    const bool extended = s.m_bExtendedConfig != 0;
    info.ReadHeader(s.m_ConfigData, c.header);
    info.ReadImageQuality(s.m_ConfigData, c.imageQuality);
    info.ReadRoi(s.m_ConfigData, c.imageQuality);
    info.ReadCodeDefinition(s.m_ConfigData, c.codeDefinition);
    info.ReadFilters(s.m_ConfigData, c.filters);
    info.ReadProcessInterface(s.m_ConfigData, c.processInterface, extended);
    info.ReadTriggerSettings(s.m_ConfigData, c.trigger);
    if (extended) info.ReadCompositeOptions(s.m_ConfigData, c.barCode);
}

int CReadResults::ReadSensorResults(ResultViewService* view) {
    if (s_.m_nSensorState == 2 && ReadMonitorConfiguration() != 0) return -1;
    if (view) {
        view->ClearReadResults();
        view->ClearCodeResults();
    }
    for (int k = 0; k < s_.m_nReadCount && k < kMaxCodesPerReading; ++k)
        if (ReadCode(k) != 0) return -1;
    return 0;
}

int CReadResults::ReadCode(int k) {
    const auto slot = static_cast<std::size_t>(k);
    testResultItems_.clear();
    testResultBytes_.clear();
    const int status = GetTestConfigResult(k, &testResultItems_, &testResultBytes_);
    if (status != 0) return Fail(status);
    if (!testResultItems_.empty()) {
        CResults::GetInstance()->Extract(testResultItems_, s_.m_ReadResults[slot]);
        s_.m_ResultCodeTypes[slot] = s_.m_ReadResults[slot].ints0[2];
    }
    // No bytes: no text, so that an earlier reading's text asks for no detail.
    s_.m_ResultTexts[slot] = DisplayText(testResultBytes_);
    return ReadCodeDetail(k, s_.m_ResultCodeTypes[slot]);
}

// The detail and the quality of code k by its family's first flag; only a
// code with a readable text has them, but for the bar-code quality.
int CReadResults::ReadCodeDetail(int k, int codeType) {
    const auto slot = static_cast<std::size_t>(k);
    const std::string& text = s_.m_ResultTexts[slot];
    const bool readable = !text.empty() && text != " ";
    const std::uint8_t flags = CodeTypeFlagsOf(codeType);
    int status = 0;

    auto fetch = [&](ParameterList& list, auto call) {
        list.clear();
        status = call(list);
        return status == 0;
    };
    QualitySettings& quality = s_.m_CodeQuality[slot];

    if (flags & CODE_FLAG_ECC200) {
        if (!readable) return 0;
        if (!fetch(ecc200Result_, [&](ParameterList& l) { return GetECC200Result(k, &l); })) return Fail(status);
        if (!ecc200Result_.empty())
            CECC200Results::GetInstance()->Extract(ecc200Result_, SlotAs<Ecc200ResultRecord>(s_.m_CodeResults[slot]));
        if (!fetch(ecc200QrQuality_, [&](ParameterList& l) { return GetECC200QualityResult(k, &l); }))
            return Fail(status);
        if (!ecc200QrQuality_.empty()) CECC200QualityParams::GetInstance()->ReadAll(ecc200QrQuality_, quality);
    } else if (flags & CODE_FLAG_PDF417) {
        if (!readable) return 0;
        if (!fetch(pdf417Result_, [&](ParameterList& l) { return GetPDF417Result(k, &l); })) return Fail(status);
        if (!pdf417Result_.empty())
            CPDF417Results::GetInstance()->Extract(pdf417Result_, SlotAs<Pdf417ResultRecord>(s_.m_CodeResults[slot]));
        if (!fetch(pdf417Quality_, [&](ParameterList& l) { return GetPDF417QualityResult(k, &l); }))
            return Fail(status);
        if (!pdf417Quality_.empty()) CPDF417QualityParams::GetInstance()->ReadAll(pdf417Quality_, quality);
    } else if (flags & (CODE_FLAG_QR | CODE_FLAG_AZTEC)) {
        if (!readable) return 0;
        const bool qr = (flags & CODE_FLAG_QR) != 0;
        if (!fetch(qrAztecResult_, [&](ParameterList& l) {
                return qr ? GetQRCodeResult(k, &l) : GetAztecCodeResult(k, &l);
            }))
            return Fail(status);
        if (!qrAztecResult_.empty()) {
            CodeResultRecord& record = s_.m_CodeResults[slot];
            if (qr)
                CQRCodeResults::GetInstance()->Extract(qrAztecResult_, SlotAs<QrCodeResultRecord>(record));
            else
                CAztecCodeResults::GetInstance()->Extract(qrAztecResult_, SlotAs<AztecResultRecord>(record));
        }
        if (!fetch(ecc200QrQuality_, [&](ParameterList& l) { return GetCodeQualityResult(k, codeType, &l); }))
            return Fail(status);
        if (!ecc200QrQuality_.empty()) CECC200QualityParams::GetInstance()->ReadAll(ecc200QrQuality_, quality);
    } else if ((flags & CODE_FLAG_BARCODE) && s_.m_bExtendedConfig) {
        if (!fetch(qualityParams_, [&](ParameterList& l) { return GetCodeQualityResult(k, codeType, &l); }))
            return Fail(status);
        if (!qualityParams_.empty())
            CBarcodeQualityParams::GetInstance()->ReadAll(qualityParams_, s_.m_BarcodeQuality[slot],
                                                         (flags & CODE_FLAG_COMPOSITE) != 0);
    }
    return 0;
}

int CReadResults::ShowCurrentImage(ImageViewService* view) { return ShowFetched(&GetCurrentImage, view); }

int CReadResults::ShowDecodedImage(ImageViewService* view) { return ShowFetched(&GetDecodeImage, view); }
