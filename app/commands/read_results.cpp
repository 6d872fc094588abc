#include "commands/read_results.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/code_types.h"
#include "core/command_records.h"
#include "core/main_dialog_state.h"
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

namespace {

constexpr int kMonitorConfigId = 2;
constexpr int kNoConfigurationInMonitor = -103;

QImage GreyPixels(int width, int height, const std::uint8_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return {};
    QImage out(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        std::memcpy(out.scanLine(y), pixels + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width));
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

QImage GreyToImage(GreyImage&& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return {};
    // The picture keeps the fetched pixels instead of a copy of them (each
    // reading's 300 KB were copied once more on the GUI thread).
    auto* pixels = new std::vector<std::uint8_t>(std::move(image.pixels));
    QImage picture(
        pixels->data(), image.width, image.height, image.width, QImage::Format_Grayscale8,
        [](void* held) { delete static_cast<std::vector<std::uint8_t>*>(held); }, pixels);
    if (picture.isNull()) delete pixels;  // a picture Qt refused never owned them
    return picture;
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

int CReadResults::ReadSensorResults(const ReadingFetch& f, ResultViewService* view) {
    if (f.monitor) {
        s_.m_nConfigId = kMonitorConfigId;
        s_.m_ConfigData = f.config;
        if (f.configStatus == kNoConfigurationInMonitor) return -1;
        if (f.configStatus != 0) return Fail(f.configStatus);
        if (!s_.m_ConfigData.empty()) ReadConfigurationRecords(s_);
    }
    if (view) {
        view->ClearReadResults();
        view->ClearCodeResults();
    }
    for (std::size_t k = 0; k < f.codes.size() && k < static_cast<std::size_t>(kMaxCodesPerReading); ++k)
        ReadCode(static_cast<int>(k), f.codes[k]);
    return f.failure != 0 ? Fail(f.failure) : 0;
}

// Code k's lists into slot k: the detail and quality by its family's first
// flag, each only when the sensor sent it.
void CReadResults::ReadCode(int k, const CodeFetch& code) {
    const auto slot = static_cast<std::size_t>(k);
    if (!code.result.empty()) {
        CResults::GetInstance()->Extract(code.result, s_.m_ReadResults[slot]);
        s_.m_ResultCodeTypes[slot] = s_.m_ReadResults[slot].ints0[2];
    }
    s_.m_ResultTexts[slot] = code.text;
    const std::uint8_t flags = CodeTypeFlagsOf(code.codeType);
    CodeResultRecord& record = s_.m_CodeResults[slot];
    QualitySettings& quality = s_.m_CodeQuality[slot];
    if (flags & CODE_FLAG_ECC200) {
        if (!code.detail.empty()) CECC200Results::GetInstance()->Extract(code.detail, SlotAs<Ecc200ResultRecord>(record));
        if (!code.quality.empty()) CECC200QualityParams::GetInstance()->ReadAll(code.quality, quality);
    } else if (flags & CODE_FLAG_PDF417) {
        if (!code.detail.empty()) CPDF417Results::GetInstance()->Extract(code.detail, SlotAs<Pdf417ResultRecord>(record));
        if (!code.quality.empty()) CPDF417QualityParams::GetInstance()->ReadAll(code.quality, quality);
    } else if (flags & (CODE_FLAG_QR | CODE_FLAG_AZTEC)) {
        if (!code.detail.empty()) {
            if (flags & CODE_FLAG_QR)
                CQRCodeResults::GetInstance()->Extract(code.detail, SlotAs<QrCodeResultRecord>(record));
            else
                CAztecCodeResults::GetInstance()->Extract(code.detail, SlotAs<AztecResultRecord>(record));
        }
        if (!code.quality.empty()) CECC200QualityParams::GetInstance()->ReadAll(code.quality, quality);
    } else if ((flags & CODE_FLAG_BARCODE) && !code.quality.empty()) {
        CBarcodeQualityParams::GetInstance()->ReadAll(code.quality, s_.m_BarcodeQuality[slot],
                                                     (flags & CODE_FLAG_COMPOSITE) != 0);
    }
}

int CReadResults::ShowCurrentImage(ImageViewService* view) { return ShowFetched(&GetCurrentImage, view); }
