#include "sim/plausible_records.h"

#include <string>
#include <vector>

#include "sim/parameter_shapes.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

namespace {

// The values of a shape's value elements in order; the markers are filled in.
XmlRpcValue fromValues(std::string_view shape, const std::vector<XmlRpcValue>& values) {
    std::size_t next = 0;
    return arrayOfShape(shape, [&](int, char) -> XmlRpcValue {
        return next < values.size() ? values[next++] : XmlRpcValue(0);
    });
}

constexpr int kSlotCodeTypes[] = {1, 3, 2, 33, 4, 14, 23, 34};
constexpr int kOutputModes[] = {0, 1, 3, 5, 7, 9, 11};
constexpr int kImageOutputs[] = {1, 2, 5, 6};
constexpr double kDegree = 3.14 / 180.0;  // the pages' own conversion factor

const char* polarityOf(int seed) {
    static const char* const kWords[] = {"dark_on_light", "light_on_dark", "any"};
    return kWords[seed % 3];
}
const char* mirrorOf(int seed) {
    static const char* const kWords[] = {"any", "no", "yes"};
    return kWords[seed % 3];
}
const char* gapOf(int seed) {
    static const char* const kWords[] = {"no", "small", "big"};
    return kWords[seed % 3];
}

}  // namespace

XmlRpcValue plausibleConfigData(int seed) {
    const int k = seed < 0 ? -seed : seed;
    std::vector<XmlRpcValue> v = {
        "3.1.00", "VT-2D",
        // image quality, window of interest
        1, 15, 100 + 10 * (k % 50), 15000, 1, 1, 0, 0, 479, 639, 0,
        // process interface: mode, appended data, the strings as the program escapes them
        kOutputModes[static_cast<std::size_t>(k) % std::size(kOutputModes)], k % 2, (k / 2) % 2, k % 3, (k + 1) % 2,
        kImageOutputs[static_cast<std::size_t>(k) % std::size(kImageOutputs)], "\\x02", "\\x0D\\x0A",
        "NOREAD=21", "OK" + std::to_string(k % 10), "REF=2D" + std::to_string(k), 0,
        // code definition, filters
        kSlotCodeTypes[static_cast<std::size_t>(k) % std::size(kSlotCodeTypes)], 2, 1 + k % 3, 1000 + 100 * (k % 20),
        0, 0, 0,
        // trigger
        3, 0, 1, 1000,
        // extended options: string numeration, RDY/OUT, composite usage and separator
        k % 2, (k / 2) % 2, 0, ""};
    return fromValues(shape::kConfigExtendedData, v);
}

XmlRpcValue plausibleCodeData(int seed, CodeFamily family) {
    const int k = seed < 0 ? -seed : seed;
    switch (family) {
        case CodeFamily::Ecc200:
            return fromValues(shape::kEcc200Data,
                              {10 + 2 * (k % 4), 144 - 2 * (k % 4), 8 + 2 * (k % 4), 144 - 2 * (k % 4), polarityOf(k),
                               mirrorOf(k), 30 + k % 20, 2 + k % 3, 100 - k % 10, "no", gapOf(k), "no", gapOf(k),
                               (10 + k % 10) * kDegree, "any", k % 2 ? "no" : "yes"});
        case CodeFamily::Pdf417:
            return fromValues(shape::kPdf417Data, {1 + k % 3, 30, 3 + k % 3, 90, polarityOf(k), mirrorOf(k), 30 + k % 20,
                                                   2 + k % 3, 100, 1.0 + 0.5 * (k % 3), 4.0, "yes"});
        case CodeFamily::QrCode:
            return fromValues(shape::kQrCodeData,
                              {0, 1 + k % 5, 40, 21, 177, polarityOf(k), mirrorOf(k), 30 + k % 20, 2 + k % 3, 100, "no",
                               gapOf(k), "no", gapOf(k), 2, "yes"});
        case CodeFamily::Aztec:
            return fromValues(shape::kAztecData, {15 + 4 * (k % 3), 151, polarityOf(k), mirrorOf(k), 30 + k % 20,
                                                  2 + k % 3, 100, "no", gapOf(k), "no", gapOf(k), "yes"});
        case CodeFamily::BarCode:
            return fromValues(shape::kBarCodeData, {2.0 + 0.5 * (k % 3), 8.0, 8 + k % 8, 0, 5000, k % 3});
    }
    return {};
}

XmlRpcValue plausibleQuality(int seed, QualityForm form) {
    // Each parameter's "append_it" and "grade": appended every other one,
    // grades 1..4. The overall grade's flag is its mode: none, of all
    // parameters, of the selected ones (0, 1, 3).
    static constexpr int kOverallModes[] = {0, 1, 3};
    const int k = seed < 0 ? -seed : seed;
    return arrayOfShape(shapeOf(form), [&](int pos, char) -> XmlRpcValue {
        if (pos == 1) return kOverallModes[k % 3];
        return pos % 4 == 1 ? XmlRpcValue((pos / 4 + k) % 2) : XmlRpcValue(1 + (pos / 4 + k) % 4);
    });
}

XmlRpcValue revertedCodeData(int kind, CodeFamily family) {
    const bool enhanced = kind == 1;
    const char* polarity = enhanced ? "any" : "dark_on_light";
    const int contrast = enhanced ? 15 : 30;
    const char* strict = enhanced ? "no" : "yes";
    switch (family) {
        case CodeFamily::Ecc200:
            return fromValues(shape::kEcc200Data,
                              {10, 144, 8, 144, polarity, "any", contrast, 2, 100, "no", enhanced ? "big" : "no", "no",
                               enhanced ? "big" : "no", (enhanced ? 30 : 10) * kDegree, "any", strict});
        case CodeFamily::Pdf417:
            return fromValues(shape::kPdf417Data,
                              {1, 30, 3, 90, polarity, "any", contrast, 2, 100, enhanced ? 0.5 : 1.0, enhanced ? 20.0 : 4.0,
                               strict});
        case CodeFamily::QrCode:
            return fromValues(shape::kQrCodeData, {0, 1, 40, 21, 177, polarity, "any", contrast, 2, 100, "no",
                                                   enhanced ? "big" : "no", "no", enhanced ? "big" : "no", 2, strict});
        case CodeFamily::Aztec:
            return fromValues(shape::kAztecData, {15, 151, polarity, "any", contrast, 2, 100, "no",
                                                  enhanced ? "big" : "no", "no", enhanced ? "big" : "no", strict});
        case CodeFamily::BarCode:
            return fromValues(shape::kBarCodeData, {enhanced ? 1.5 : 2.0, enhanced ? 60.0 : 8.0, 8, 0, 5000, 0});
    }
    return {};
}

SlotParameters plausibleSlotParameters(int seed) {
    SlotParameters p(seed);
    p.configData = plausibleConfigData(seed);
    for (int f = 0; f < kCodeFamilies; ++f)
        p.codeData[static_cast<std::size_t>(f)] = plausibleCodeData(seed, static_cast<CodeFamily>(f));
    for (int q = 0; q < kQualityForms; ++q)
        p.quality[static_cast<std::size_t>(q)] = plausibleQuality(seed, static_cast<QualityForm>(q));
    return p;
}

}  // namespace vt::sim
