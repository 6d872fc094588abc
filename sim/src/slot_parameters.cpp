#include "sim/slot_parameters.h"

#include <string>

#include "sim/parameter_shapes.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

std::string_view shapeOf(CodeFamily family) {
    switch (family) {
        case CodeFamily::Ecc200:
            return shape::kEcc200Data;
        case CodeFamily::Pdf417:
            return shape::kPdf417Data;
        case CodeFamily::QrCode:
            return shape::kQrCodeData;
        case CodeFamily::Aztec:
            return shape::kAztecData;
        case CodeFamily::BarCode:
            return shape::kBarCodeData;
    }
    return {};
}

std::string_view shapeOf(QualityForm form) {
    static const std::string ecc200 = repeatShape(shape::kQualityParameter, 9);
    static const std::string pdf417 = repeatShape(shape::kQualityParameter, 8);
    static const std::string composite = repeatShape(shape::kQualityParameter, 24);
    switch (form) {
        case QualityForm::Ecc200QrAztec:
        case QualityForm::BarCode:
            return ecc200;
        case QualityForm::Pdf417:
            return pdf417;
        case QualityForm::Composite:
            return composite;
    }
    return {};
}

std::optional<CodeFamily> familyOf(int codeType) {
    if (codeType == 1 || codeType == 34) return CodeFamily::Ecc200;
    if (codeType == 2) return CodeFamily::Pdf417;
    if (codeType == 3 || codeType == 32 || codeType == 35) return CodeFamily::QrCode;
    if (codeType == 33 || codeType == 36) return CodeFamily::Aztec;
    if (codeType >= 4 && codeType <= 31) return CodeFamily::BarCode;
    return std::nullopt;
}

std::optional<QualityForm> qualityFormOf(int codeType) {
    if (codeType >= 23 && codeType <= 29) return QualityForm::Composite;
    const auto family = familyOf(codeType);
    if (!family) return std::nullopt;
    switch (*family) {
        case CodeFamily::Pdf417:
            return QualityForm::Pdf417;
        case CodeFamily::BarCode:
            return QualityForm::BarCode;
        default:
            return QualityForm::Ecc200QrAztec;
    }
}

int SlotParameters::codeType() const {
    if (configData.getType() != XmlRpcValue::TypeArray || configData.size() <= shape::kConfigDataCodeType)
        return 0;
    const XmlRpcValue& v = configData[shape::kConfigDataCodeType];
    return v.getType() == XmlRpcValue::TypeInt ? v.asInt() : 0;
}

namespace {

// Distinct values: `base` tells the records apart, the position the items.
XmlRpcValue distinctArray(std::string_view shape, int base, const std::string& label) {
    return arrayOfShape(shape, [&](int pos, char letter) -> XmlRpcValue {
        if (letter == 'I') return base + pos;
        if (letter == 'D') return base / 1000 + pos + 0.5;
        return label + "-item" + std::to_string(pos);
    });
}

// Code types of the slots; none is the template's default (1).
constexpr int kSlotCodeTypes[] = {3, 2, 33, 4, 23, 34};

}  // namespace

XmlRpcValue initialConfigData(int seed) {
    XmlRpcValue data =
        distinctArray(shape::kConfigExtendedData, 100000 + 1000 * seed, "slot" + std::to_string(seed));
    data[shape::kConfigDataCodeType] =
        kSlotCodeTypes[static_cast<std::size_t>(seed) % std::size(kSlotCodeTypes)];
    return data;
}

XmlRpcValue initialCodeData(int seed, CodeFamily family) {
    const int f = static_cast<int>(family);
    return distinctArray(shapeOf(family), 300000 + 1000 * seed + 100 * f,
                         "slot" + std::to_string(seed) + "-family" + std::to_string(f));
}

XmlRpcValue initialQuality(int seed, QualityForm form) {
    return distinctArray(shapeOf(form), 500000 + 1000 * seed + 100 * static_cast<int>(form), "quality");
}

SlotParameters::SlotParameters(int seed) : configData(initialConfigData(seed)) {
    for (int f = 0; f < kCodeFamilies; ++f)
        codeData[static_cast<std::size_t>(f)] = initialCodeData(seed, static_cast<CodeFamily>(f));
    for (int q = 0; q < kQualityForms; ++q)
        quality[static_cast<std::size_t>(q)] = initialQuality(seed, static_cast<QualityForm>(q));
}

}  // namespace vt::sim
