// Commands of the configuration editor and the tests: code data, exposure,
// auto-detect, decode and capture, test transmissions, regular expressions.
#include "command_frame.h"
#include "dravik/sensor_commands.h"
#include "live_image_pause.h"
#include "platform/message_box.h"

using namespace dravik;
using XmlRpc::XmlRpcValue;

namespace {

constexpr double kCalculateExpTimeLimitSeconds = 50.0;
constexpr double kAutoDetectLimitSeconds = 72.0;
constexpr double kDecodeImageLimitSeconds = 50.0;

int command(const char* method, std::initializer_list<CommandParam> params = {},
            double limitSeconds = kNoLimit) {
    return guarded(
        [&] { return sendCommand(method, commandParams(params), limitSeconds, StatusPattern::A); });
}

int calculateExpTime() {
    LibraryState& state = libraryState();
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    // The sensor cannot stream while it measures.
    LiveImagePause pause(state);
    XmlRpcValue reply;
    return sendOn(*connection, "xmlCalculateExpTime", XmlRpcValue(), kCalculateExpTimeLimitSeconds,
                  StatusPattern::A, reply);
}

// A lost connection must not read as "nothing found", so no reply is
// COMM_NO_REPLY here too.
int autoDetectCode(int recognition, int codesPerImage, int* codeType, int* value) {
    XmlRpcValue reply;
    const int status = sendCommand("xmlAutoDetectCode", commandParams({recognition, codesPerImage}),
                                   kAutoDetectLimitSeconds, StatusPattern::A, reply);
    if (status != COMM_OK) return status;
    const std::optional<int> foundType = intElement(reply, 1);
    const std::optional<int> foundValue = intElement(reply, 2);
    if (!foundType || !foundValue) return COMM_STATUS_NOT_INT;
    if (codeType != nullptr) *codeType = *foundType;
    if (value != nullptr) *value = *foundValue;
    return COMM_OK;
}

int applyRegularExpression(const char* text1, const char* text2, const char* text3, char* outText,
                           int* outInt) {
    XmlRpcValue reply;
    const int status = sendCommand("xmlCheckRegularExpression", commandParams({text1, text2, text3}),
                                   kNoLimit, StatusPattern::B, reply);
    if (status != COMM_OK) return status;
    const std::optional<int> number = intElement(reply, 1);
    const std::string* text = textElement(reply, 2);
    if (!number || text == nullptr) return COMM_STATUS_NOT_INT;
    if (outInt != nullptr) *outInt = *number;
    copyTextCut(outText, DRAVIK_REGEX_RESULT_SIZE, *text);
    return COMM_OK;
}

int retired(const char* text) {
    vt::showMessageBox(text, "Invalid command", vt::MessageIcon::Warning);
    return COMM_NOT_SUPPORTED;
}

}  // namespace

int RevertCodeDataSettings(int codeType) {
    return command("xmlRevertCodeDataSettings", {codeType});
}

int CalculateExpTime(void) {
    return guarded([] { return calculateExpTime(); });
}

int AutoDetectCode(int recognition, int codesPerImage, int* codeType, int* value) {
    return guarded([&] { return autoDetectCode(recognition, codesPerImage, codeType, value); });
}

int DecodeImage(void) {
    return command("xmlDecodeImage", {}, kDecodeImageLimitSeconds);
}

int CaptureImage(void) {
    return command("xmlCaptureImage");
}

int TransmitTestData(void) {
    return command("xmlTransmitTestData");
}

int TransmitFailData(void) {
    return command("xmlTransmitFailData");
}

int TransmitMatchString(void) {
    return command("xmlTransmitMatchString");
}

int UpdateRecognitionMode(int mode) {
    return command("xmlUpdateRecognitionMode", {mode});
}

int ApplyRegularExpression(const char* text1, const char* text2, const char* text3, char* outText,
                           int* outInt) {
    return guarded([&] { return applyRegularExpression(text1, text2, text3, outText, outInt); });
}

int GetECC200Quality(ParameterList*) {
    return guarded([] { return retired("You should not call GetECC200Quality"); });
}

int SetECC200Quality(ParameterList*) {
    return guarded([] { return retired("You should not call SetECC200Quality"); });
}
