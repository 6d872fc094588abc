// What the simulated sensor keeps per configuration as parameter lists:
// the configuration data, code data per code family and the quality
// parameters in each form. Every record is kept in its wire form (a flat
// array with the section markers) with values that differ from the record
// templates' defaults, so a get that left a default in place shows.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

enum class CodeFamily { Ecc200, Pdf417, QrCode, Aztec, BarCode };
enum class QualityForm { Ecc200QrAztec, Pdf417, BarCode, Composite };
inline constexpr int kCodeFamilies = 5;
inline constexpr int kQualityForms = 4;

std::string_view shapeOf(CodeFamily family);
std::string_view shapeOf(QualityForm form);
// The family and quality form the sensor uses for a code type.
std::optional<CodeFamily> familyOf(int codeType);
std::optional<QualityForm> qualityFormOf(int codeType);

// Values of seed k that tests can predict: every value item differs from
// the template default, and from the items of other seeds.
XmlRpc::XmlRpcValue initialConfigData(int seed);
XmlRpc::XmlRpcValue initialCodeData(int seed, CodeFamily family);
XmlRpc::XmlRpcValue initialQuality(int seed, QualityForm form);

struct SlotParameters {
    // The records of seed 0 (a configuration created on the sensor), or of
    // seed `seed` (the simulator seeds slot k with k).
    SlotParameters() : SlotParameters(0) {}
    explicit SlotParameters(int seed);

    XmlRpc::XmlRpcValue configData;  // the extended form (55 elements)
    std::array<XmlRpc::XmlRpcValue, kCodeFamilies> codeData;
    std::array<XmlRpc::XmlRpcValue, kQualityForms> quality;

    XmlRpc::XmlRpcValue& codeDataOf(CodeFamily f) { return codeData[static_cast<std::size_t>(f)]; }
    XmlRpc::XmlRpcValue& qualityOf(QualityForm f) { return quality[static_cast<std::size_t>(f)]; }
    // Item 32 of the configuration data; 0 when it is no int.
    int codeType() const;
};

}  // namespace vt::sim
