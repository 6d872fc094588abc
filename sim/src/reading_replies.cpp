#include "reading_replies.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sim/slot_parameters.h"
#include "sim/status_reply.h"

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

constexpr int kCodeTypeMicroQr = 32;

void append(XmlRpcValue& reply, XmlRpcValue value) { reply[reply.size()] = std::move(value); }

// Each code family's result: which item types follow the three leading texts.
const char* codeResultShape(int codeType) {
    switch (familyOf(codeType).value_or(CodeFamily::Ecc200)) {
        case CodeFamily::Pdf417:
            return "iidddiiii";
        case CodeFamily::QrCode:
            return "iiiiddiiiiis";
        case CodeFamily::Aztec:
            return "iiidddiiii";
        default:
            return "iidddiii";  // Data Matrix ECC 200 and every other type
    }
}

// Number of quality parameters of the code type's quality record.
int qualityParameters(int codeType) {
    switch (qualityFormOf(codeType).value_or(QualityForm::Ecc200QrAztec)) {
        case QualityForm::Composite:
            return 24;
        case QualityForm::Pdf417:
            return 8;
        default:
            return 9;
    }
}

// The whole numbers of a code's result, in the order its shape takes them,
// each inside what the program's pages accept.
std::vector<int> codeResultInts(const SimReading& r) {
    constexpr int kContrast = 70;  // percent
    constexpr int kErrorCorrections = 9;
    constexpr int kCodeWords = 10;
    const PaintedCode& c = r.code;
    switch (familyOf(r.codeType).value_or(CodeFamily::Ecc200)) {
        case CodeFamily::Pdf417:
            // Codeword rows and data columns, contrast, corrections, code words, extra data.
            return {c.rows, c.columns, kContrast, kErrorCorrections, kCodeWords, 0};
        case CodeFamily::QrCode: {
            // Size, version, model type and position patterns, then contrast,
            // corrections, code words, the version again and the correction level.
            // The simulator paints Micro QR as QR Code; its result is the Micro QR
            // symbol of that version (at most 4): 9 + 2 v modules, one pattern.
            const bool micro = r.codeType == kCodeTypeMicroQr;
            const int qrVersion = std::max(1, (c.rows - 17) / 4);
            const int version = micro ? std::min(qrVersion, 4) : qrVersion;
            const int size = micro ? 9 + 2 * version : c.rows;
            const int model = micro ? 0 : 2;
            const int patterns = micro ? 1 : 3;
            return {size, version, model, patterns, kContrast, kErrorCorrections, kCodeWords, version, 1};
        }
        case CodeFamily::Aztec:
            // Symbol size (rows and columns), then contrast, corrections, layers, data code words.
            return {c.rows, c.columns, kContrast, kErrorCorrections, kCodeWords, 1, kCodeWords};
        default:
            // Data Matrix (and every other type): rows, columns, contrast, corrections, code words.
            return {c.rows, c.columns, kContrast, kErrorCorrections, kCodeWords};
    }
}

}  // namespace

XmlRpcValue ResultReply(const SimReading& r, int index) {
    const std::string text = r.codeText(index);
    XmlRpcValue reply = statusReply(0);
    append(reply, XmlRpcValue::BinaryData(text.begin(), text.end()));
    const PaintedCode& c = r.code;
    const int found = r.codesFound();
    append(reply, r.number);                         // 0 result id
    append(reply, r.passed ? 1 : 0);                 // 1 verdict
    append(reply, r.codeType);                       // 2 code type
    append(reply, 3);                                // 3 verdict selector
    append(reply, r.label);                          // 4 configuration label
    append(reply, 5);                                // 5
    append(reply, found);                            // 6 good codes
    append(reply, r.expectedCodes);                  // 7 codes expected
    append(reply, found > 0 ? text : std::string());  // 8 code text, none when not read
    append(reply, r.decodingTimeMs);                 // 9
    append(reply, c.format.empty() ? std::string("none") : c.format);  // 10
    append(reply, r.windowLeft);                     // 11..14 the search window (of interest)
    append(reply, r.windowRight);
    append(reply, r.windowTop);
    append(reply, r.windowBottom);
    for (const auto& corner : c.corners) {           // 15..22 corners
        append(reply, corner[0]);
        append(reply, corner[1]);
    }
    append(reply, found > 0 ? 1 : 0);                // 23 code verdict
    append(reply, r.decodingTimeMs + 3);             // 24 total decoding time
    append(reply, r.number);                         // 25 image count
    append(reply, 1);                                // 26
    append(reply, r.state);                          // 27 reading mode
    append(reply, 28);                               // 28
    for (int i = 29; i <= 38; ++i) append(reply, std::string("T").append(std::to_string(i)));  // 29..38
    return reply;
}

XmlRpcValue CodeResultReply(const SimReading& r, int index) {
    XmlRpcValue reply = statusReply(0);
    append(reply, std::string("dark_on_light"));
    append(reply, std::string("no"));
    append(reply, r.codeText(index));
    const std::vector<int> ints = codeResultInts(r);
    const double doubles[] = {double(r.code.moduleSize), double(r.code.moduleSize), 0.5};
    std::size_t nextInt = 0;
    std::size_t nextDouble = 0;
    for (const char* type = codeResultShape(r.codeType); *type != '\0'; ++type) {
        if (*type == 'i')
            append(reply, ints.at(nextInt++));
        else if (*type == 'd')
            append(reply, doubles[nextDouble++]);
        else
            append(reply, r.code.format);
    }
    return reply;
}

XmlRpcValue CodeQualityReply(const SimReading& r) {
    XmlRpcValue reply = statusReply(0);
    const int n = qualityParameters(r.codeType);
    for (int k = 0; k < n; ++k) {
        const std::string label = "Quality" + std::to_string(k);
        append(reply, label);
        append(reply, 1);  // append it
        append(reply, SimulatedGrade(k));
        append(reply, label + "_EOS");
    }
    return reply;
}

}  // namespace vt::sim
