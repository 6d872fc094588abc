// The shapes of the sensor's parameter lists as flat arrays, one letter per
// element: I int, D double, S string, [ section begin marker, ] section end
// marker. They follow the record templates item by item (docs/templates.md),
// without a template's final end item where the getter leaves it out.
#pragma once

#include <string>
#include <string_view>

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

namespace shape {
inline constexpr std::string_view kConfigData = "SS[IIIIIII[IIII]][IIIIIISSSSSI][IIII[III]][IIII]]";
inline constexpr std::string_view kConfigExtendedData =
    "SS[IIIIIII[IIII]][IIIIIISSSSSI][IIII[III]][IIII][IIIS]]";
inline constexpr std::string_view kSensorGlobals = "SSIS[ISSSSII][IIIIIIIIIISIIII][IIII]]";
inline constexpr std::string_view kEcc200Data = "IIIISSIIISSSSDSS";
inline constexpr std::string_view kPdf417Data = "IIIISSIIIDDS";
inline constexpr std::string_view kQrCodeData = "IIIIISSIIISSSSIS";
inline constexpr std::string_view kAztecData = "IISSIIISSSSS";
inline constexpr std::string_view kBarCodeData = "DDIIII";
inline constexpr std::string_view kGroupList = "SSSSSSSS";
// The configuration list: per slot its section, name, group, master state and active flag.
inline constexpr std::string_view kConfigListSlot = "[SIII]";
// A quality parameter: its section of "append_it" and "grade".
inline constexpr std::string_view kQualityParameter = "[II]";
inline constexpr int kConfigDataCodeType = 32;  // position of the code type in the configuration data
inline constexpr int kConfigDataTriggerSource = 43;  // 3: the sensor reads on its own (free running)
}  // namespace shape

std::string repeatShape(std::string_view unit, int times);

// An array of the shape's elements; value(position, letter) gives each value
// element, the markers are fixed.
template <class ValueAt>
XmlRpc::XmlRpcValue arrayOfShape(std::string_view shape, ValueAt value) {
    XmlRpc::XmlRpcValue array;
    array.setSize(static_cast<int>(shape.size()));
    for (std::size_t pos = 0; pos < shape.size(); ++pos) {
        const int i = static_cast<int>(pos);
        if (shape[pos] == '[')
            array[i] = "_LABEL_STRING_CONTENT_468531";
        else if (shape[pos] == ']')
            array[i] = "_EOS_STRING_CONTENT_54978654";
        else
            array[i] = value(i, shape[pos]);
    }
    return array;
}

// True when `params` is exactly the shape's elements (markers by their text)
// followed by `trailingEnds` more end markers.
bool matchesShape(const XmlRpc::XmlRpcValue& params, std::string_view shape, int trailingEnds);

// The first `n` elements of an array.
XmlRpc::XmlRpcValue leadingElements(const XmlRpc::XmlRpcValue& array, int n);

}  // namespace vt::sim
