#include "core/reading_fetch.h"

#include "core/code_types.h"
#include "core/control_chars.h"
#include "core/main_dialog_state.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "records/results.h"
#include "text/text_codecs.h"

namespace {

constexpr int kMonitorConfigId = 2;
constexpr int kConfigTemplate = 1017;

// A list call: its list is left empty when it fails, so nothing of it is shown.
template <class Call>
int FetchList(ParameterList& list, Call call) {
    list.clear();
    const int status = call(&list);
    if (status != 0) list.clear();
    return status;
}

// The detail and the quality of code k by its family's first flag; only a
// code with a readable text has them, but for the bar-code quality.
int FetchDetail(int k, bool extended, CodeFetch& code) {
    const bool readable = !code.text.empty() && code.text != " ";
    const std::uint8_t flags = CodeTypeFlagsOf(code.codeType);
    const int codeType = code.codeType;
    int status = 0;
    if (flags & CODE_FLAG_ECC200) {
        if (!readable) return 0;
        status = FetchList(code.detail, [&](ParameterList* l) { return GetECC200Result(k, l); });
        if (status == 0)
            status = FetchList(code.quality, [&](ParameterList* l) { return GetECC200QualityResult(k, l); });
    } else if (flags & CODE_FLAG_PDF417) {
        if (!readable) return 0;
        status = FetchList(code.detail, [&](ParameterList* l) { return GetPDF417Result(k, l); });
        if (status == 0)
            status = FetchList(code.quality, [&](ParameterList* l) { return GetPDF417QualityResult(k, l); });
    } else if (flags & (CODE_FLAG_QR | CODE_FLAG_AZTEC)) {
        if (!readable) return 0;
        const bool qr = (flags & CODE_FLAG_QR) != 0;
        status = FetchList(code.detail, [&](ParameterList* l) {
            return qr ? GetQRCodeResult(k, l) : GetAztecCodeResult(k, l);
        });
        if (status == 0)
            status = FetchList(code.quality, [&](ParameterList* l) { return GetCodeQualityResult(k, codeType, l); });
    } else if ((flags & CODE_FLAG_BARCODE) && extended) {
        status = FetchList(code.quality, [&](ParameterList* l) { return GetCodeQualityResult(k, codeType, l); });
    }
    return status;
}

// Code k's general result; false when its call failed (status set).
bool FetchGeneralResult(int k, const ReadingArgs& args, CodeFetch& code, int& status) {
    std::vector<std::uint8_t> bytes;
    status = GetTestConfigResult(k, &code.result, &bytes);
    if (status != 0) return false;
    const auto slot = static_cast<std::size_t>(k);
    code.codeType = slot < args.codeTypes.size() ? args.codeTypes[slot] : 0;
    if (!code.result.empty()) {
        ReadResultRecord general;
        CResults::GetInstance()->Extract(code.result, general);
        code.codeType = general.ints0[2];
    }
    // No bytes: no text, so that an earlier reading's text asks for no detail.
    code.text = DisplayText(bytes);
    return true;
}

}  // namespace

std::string DisplayText(const std::vector<std::uint8_t>& bytes) {
    std::u16string chars(bytes.begin(), bytes.end());
    std::string out;
    Utf16ToUtf8String(out, EscapeControlChars(chars));
    return out;
}

void FetchReading(const ReadingArgs& args, int count, bool statistics, ReadingFetch& out) {
    out.fetched = true;
    if (args.monitor) {
        out.monitor = true;
        out.configStatus = FetchList(out.config, [&](ParameterList* l) {
            return args.extended ? GetConfigExtendedData(l, kMonitorConfigId)
                                 : GetConfigData(l, kMonitorConfigId, kConfigTemplate);
        });
        if (out.configStatus != 0) return;
    }
    for (int k = 0; k < count && k < kMaxCodesPerReading; ++k) {
        CodeFetch code;
        if (!FetchGeneralResult(k, args, code, out.failure)) return;
        out.failure = FetchDetail(k, args.extended, code);
        out.codes.push_back(std::move(code));
        if (out.failure != 0) return;
    }
    if (!statistics) return;
    out.statisticsRead = true;
    out.statisticsStatus = GetSensorStatistics(&out.total, &out.good);
}
