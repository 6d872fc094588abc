// The list getters: configuration list and data, sensor settings, code data
// by family, quality parameters and the group list.
#include "code_type_flags.h"
#include "dravik/dravik.h"
#include "parameter_calls.h"
#include "record_template.h"

namespace dravik {
namespace {

using XmlRpc::XmlRpcValue;

constexpr double kConfigDataLimitSeconds = 30.0;
constexpr const char* kQualityMethod = "xmlGetQualityParams";

// A null list is refused; no exception crosses an export.
template <class Call>
int withList(ParameterList* list, Call call) {
    if (list == nullptr) return COMM_INVALID_ARGUMENT;
    return guarded([&] { return call(*list); });
}

int getWithoutParams(ParameterList* list, int templateId, const char* method, std::size_t skip) {
    return withList(list, [&](ParameterList& l) {
        return GetParameterList(l, templateId, method, XmlRpcValue(), kNoLimit, skip);
    });
}

int getConfigData(ParameterList* list, int id, int templateId) {
    return withList(list, [&](ParameterList& l) {
        XmlRpcValue params;
        params[0] = id;
        return GetParameterList(l, templateId, "xmlGetConfigData", params, kConfigDataLimitSeconds,
                                kKeepFinalEnd);
    });
}

int getInfoConfig(int index, const char* name, int group, ParameterList* list, int templateId) {
    return withList(list, [&](ParameterList& l) {
        XmlRpcValue params;
        params[0] = index;
        params[1] = name != nullptr ? name : "";
        params[2] = group;
        return GetParameterList(l, templateId, "xmlGetInfoConfig", params, kNoLimit, kKeepFinalEnd);
    });
}

int getCodeData(ParameterList* list, int codeType) {
    const auto route = codeDataRoute(codeType);
    if (!route) return COMM_INVALID_ARGUMENT;
    return getWithoutParams(list, route->templateId, route->method, kSkipFinalEnd);
}

}  // namespace
}  // namespace dravik

using namespace dravik;

int GetConfigList(ParameterList* list) {
    return getWithoutParams(list, TEMPLATE_CONFIG_LIST, "xmlGetConfigList", kSkipFinalEnd);
}

int GetConfigData(ParameterList* list, int id, int templateId) {
    return getConfigData(list, id, templateId);
}

int GetConfigExtendedData(ParameterList* list, int id) {
    return getConfigData(list, id, TEMPLATE_CONFIG_EXTENDED_DATA);
}

int GetInfoConfig(int index, const char* name, int group, ParameterList* list, int templateId) {
    return getInfoConfig(index, name, group, list, templateId);
}

int GetInfoConfigExtended(int index, const char* name, int group, ParameterList* list) {
    return getInfoConfig(index, name, group, list, TEMPLATE_CONFIG_EXTENDED_DATA);
}

int GetSensorGlobals(ParameterList* list) {
    return getWithoutParams(list, TEMPLATE_SENSOR_GLOBALS, "xmlGetSensorGlobals", kKeepFinalEnd);
}

int GetECC200Data(ParameterList* list) {
    return getCodeData(list, 1);
}

int GetPDF417Data(ParameterList* list) {
    return getCodeData(list, 2);
}

int GetQRCodeData(ParameterList* list) {
    return getCodeData(list, 3);
}

int GetAztecCodeData(ParameterList* list) {
    return getCodeData(list, 33);
}

int GetBarCodeData(ParameterList* list) {
    return getCodeData(list, 4);
}

int GetECC200QRQuality(ParameterList* list) {
    return getWithoutParams(list, TEMPLATE_QUALITY_ECC200_QR_AZTEC, kQualityMethod, kSkipFinalEnd);
}

int GetPDF417Quality(ParameterList* list) {
    return getWithoutParams(list, TEMPLATE_PDF417_QUALITY, kQualityMethod, kSkipFinalEnd);
}

int GetQualityParams(int codeType, ParameterList* list) {
    const auto templateId = qualityTemplateFor(codeType);
    if (!templateId) return COMM_INVALID_ARGUMENT;
    return getWithoutParams(list, *templateId, kQualityMethod, kSkipFinalEnd);
}

int GetGroupList(ParameterList* list) {
    return getWithoutParams(list, TEMPLATE_GROUP_LIST, "xmlGetGroupList", kSkipFinalEnd);
}
