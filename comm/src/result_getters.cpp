// The getters of what the sensor reports for a reading: the general result,
// the code results and their quality grades.
#include <optional>

#include "code_type_flags.h"
#include "command_frame.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "record_template.h"
#include "result_list_fill.h"
#include "result_lock.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

constexpr double kResultLimitSeconds = 45.0;
constexpr double kCodeResultLimitSeconds = 70.0;

// The general result: [status, raw result string, the 1013 items].
int generalResultFetch(XmlRpcClientTimeout& connection, int resultId, ParameterList& list,
                       std::vector<uint8_t>& bytes) {
    ParameterList templateItems;
    if (const int loaded = FetchRecordTemplate(templateItems, TEMPLATE_READ_RESULT); loaded != COMM_OK) return loaded;
    list.clear();
    bytes.clear();
    XmlRpcValue reply;
    const int status = sendOn(connection, "xmlGetResult", commandParams({resultId}), kResultLimitSeconds,
                              StatusPattern::C, reply);
    if (status != COMM_OK) return status;
    const XmlRpcValue* raw = elementOf(reply, 1, XmlRpcValue::TypeBase64);
    if (raw == nullptr) return COMM_STATUS_NOT_INT;
    if (const int filled = FillResultList(list, templateItems, reply, 2); filled != COMM_OK) return filled;
    bytes.assign(raw->asBinary().begin(), raw->asBinary().end());
    return COMM_OK;
}

// [status, the template's items].
int recordFetch(const char* method, int templateId, int resultId, ParameterList& list) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    ParameterList templateItems;
    if (const int loaded = FetchRecordTemplate(templateItems, templateId); loaded != COMM_OK) return loaded;
    list.clear();
    XmlRpcValue reply;
    const int status = sendOn(*connection, method, commandParams({resultId}), kCodeResultLimitSeconds,
                              StatusPattern::B, reply);
    if (status != COMM_OK) return status;
    return FillResultList(list, templateItems, reply, 1);
}

int codeResult(int resultId, int templateId, ParameterList* list) {
    if (!leaseConnection()) return COMM_NOT_CONNECTED;
    if (list == nullptr) return COMM_INVALID_ARGUMENT;
    return noResultAsDone(recordFetch("xmlGetCodeResult", templateId, resultId, *list));
}

int codeQuality(int resultId, int codeType, ParameterList* list) {
    if (!leaseConnection()) return COMM_NOT_CONNECTED;
    if (list == nullptr) return COMM_INVALID_ARGUMENT;
    const std::optional<int> templateId = qualityTemplateFor(codeType);
    if (!templateId) {
        list->clear();
        return COMM_TEMPLATE_NOT_LOADED;
    }
    return recordFetch("xmlGetCodeQuality2DResult", *templateId, resultId, *list);
}

int testConfigResult(int resultId, ParameterList* list, std::vector<uint8_t>* bytes) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (list == nullptr || bytes == nullptr) return COMM_INVALID_ARGUMENT;
    list->clear();
    bytes->clear();
    ParameterList items;
    std::vector<uint8_t> raw;
    const int status = generalResultFetch(*connection, resultId, items, raw);
    if (status == COMM_OK) {
        *list = std::move(items);
        *bytes = std::move(raw);
    }
    return noResultAsDone(status);
}

int autoDetectResults(int recognition, int codesPerImage, int* value, int* codeType, ParameterList* list,
                      std::vector<uint8_t>* bytes) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (list == nullptr || bytes == nullptr) return COMM_INVALID_ARGUMENT;
    list->clear();
    bytes->clear();
    if (const int detected = AutoDetectCode(recognition, codesPerImage, codeType, value); detected != COMM_OK)
        return detected;
    return generalResultFetch(*connection, 0, *list, *bytes);
}

}  // namespace

}  // namespace dravik

using dravik::guarded;

int GetTestConfigResult(int resultId, ParameterList* list, std::vector<uint8_t>* bytes) {
    return guarded([&] { return dravik::testConfigResult(resultId, list, bytes); });
}

int GetECC200Result(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::codeResult(resultId, dravik::TEMPLATE_ECC200_RESULT, list); });
}

int GetPDF417Result(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::codeResult(resultId, dravik::TEMPLATE_PDF417_RESULT, list); });
}

int GetQRCodeResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::codeResult(resultId, dravik::TEMPLATE_QR_RESULT, list); });
}

int GetAztecCodeResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::codeResult(resultId, dravik::TEMPLATE_AZTEC_RESULT, list); });
}

int GetCodeQualityResult(int resultId, int codeType, ParameterList* list) {
    return guarded([&] { return dravik::codeQuality(resultId, codeType, list); });
}

int GetECC200QualityResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::noResultAsDone(dravik::codeQuality(resultId, 1, list)); });
}

int GetPDF417QualityResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::noResultAsDone(dravik::codeQuality(resultId, 2, list)); });
}

int GetQRCodeQualityResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::noResultAsDone(dravik::codeQuality(resultId, 3, list)); });
}

int GetAztecCodeQualityResult(int resultId, ParameterList* list) {
    return guarded([&] { return dravik::noResultAsDone(dravik::codeQuality(resultId, 33, list)); });
}

int GetAutoDetectResults(int recognition, int codesPerImage, int* value, int* codeType, ParameterList* list,
                         std::vector<uint8_t>* bytes) {
    return guarded(
        [&] { return dravik::autoDetectResults(recognition, codesPerImage, value, codeType, list, bytes); });
}

int RevertECC200Quality(void) {
    return COMM_NOT_SUPPORTED;
}
