// The list setters: one flat array per record.
#include "dravik/dravik.h"
#include "library_state.h"
#include "parameter_calls.h"

namespace dravik {
namespace {

using XmlRpc::XmlRpcValue;

constexpr double kConfigDataLimitSeconds = 35.0;
constexpr SetterForm kPlain{};
constexpr SetterForm kCodeData{SectionForm::Markers, true, true};

int set(ParameterList* list, const char* method, double limitSeconds, const SetterForm& form) {
    if (list == nullptr) return COMM_INVALID_ARGUMENT;
    return guarded([&] { return SetParameterList(*list, method, limitSeconds, form); });
}

bool isText(const XmlRpcValue& element, const char* text = nullptr) {
    return element.getType() == XmlRpcValue::TypeString && (text == nullptr || element.asString() == text);
}

// Quality lists end with two end markers; the caller marks its end either by
// a last element holding the marker or by one just before a last text.
int setQuality(const ParameterList& list) {
    if (!leaseConnection()) return COMM_NOT_CONNECTED;
    XmlRpcValue params;
    if (int rc = MarshalParameterList(list, SectionForm::Names, params); rc != COMM_OK) return rc;
    const int n = params.size();
    if (n < 2 || !isText(params[n - 1])) return COMM_INVALID_ARGUMENT;
    if (isText(params[n - 2], kSectionEndMarker))
        params[n - 1] = kSectionEndMarker;
    else if (isText(params[n - 1], kSectionEndMarker))
        params[n] = kSectionEndMarker;
    else
        return COMM_INVALID_ARGUMENT;
    return SendParameterArray("xmlSetQualityParams", params, kNoLimit);
}

}  // namespace
}  // namespace dravik

using namespace dravik;

int SetConfigData(ParameterList* list) {
    return set(list, "xmlSetConfigData", kConfigDataLimitSeconds, {SectionForm::Markers, false, false});
}

int SetConfigExtendedData(ParameterList* list) {
    return set(list, "xmlSetConfigData", kConfigDataLimitSeconds, kPlain);
}

int SetSensorGlobals(ParameterList* list) {
    return set(list, "xmlSetSensorGlobals", kNoLimit, kPlain);
}

int SetECC200Data(ParameterList* list) {
    return set(list, "xmlSetECC200Data", kNoLimit, kCodeData);
}

int SetPDF417Data(ParameterList* list) {
    return set(list, "xmlSetPDF417Data", kNoLimit, kCodeData);
}

int SetQRCodeData(ParameterList* list) {
    return set(list, "xmlSetQRCodeData", kNoLimit, kCodeData);
}

int SetAztecCodeData(ParameterList* list) {
    return set(list, "xmlSetAztecCodeData", kNoLimit, kCodeData);
}

int SetGroupList(ParameterList* list) {
    return set(list, "xmlSetGroupList", kNoLimit, kPlain);
}

int SetBarCodeData(ParameterList* list) {
    return set(list, "xmlSetBarcodeData", kNoLimit, kCodeData);
}

int SetQualityParams(int /*unused*/, ParameterList* list) {
    if (list == nullptr) return COMM_INVALID_ARGUMENT;
    return guarded([&] { return setQuality(*list); });
}
