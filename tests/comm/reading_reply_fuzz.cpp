// Fuzzes the reading of the sensor's result replies: the poll reply, the
// picture, a result record over its template and the list of last results.
// Whatever arrives: a documented code, and outputs only on success.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "dravik/comm_status.h"
#include "last_results_list.h"
#include "poll_reply.h"
#include "result_list_fill.h"
#include "sensor_images.h"
#include "xmlrpc/XmlRpcClient.h"

namespace {

ParameterItem item(int32_t kind, const char* type) {
    return ParameterItem{"x", kind, type, 0, 0.0, {}};
}

const ParameterList& templateItems() {
    static const ParameterList items{item(PARAMETER_VALUE, "INT"),         item(PARAMETER_VALUE, "STRING"),
                                     item(PARAMETER_SECTION_BEGIN, "STRING"), item(PARAMETER_VALUE, "DOUBLE"),
                                     item(PARAMETER_SECTION_END, "STRING"),   item(PARAMETER_SECTION_END, "STRING")};
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlRpc::XmlRpcValue reply;
    bool fault = false;
    const bool parsed = XmlRpc::XmlRpcClient::parseResponseText(
        std::string_view(reinterpret_cast<const char*>(data), size), reply, fault);

    const dravik::PollStep step = dravik::ClassifyPollReply(parsed, reply);
    if (step.action == dravik::PollStep::Action::Notify && step.wParam != 1001 && step.wParam != 1002 &&
        step.wParam != 1003 && step.wParam != 5000)
        __builtin_trap();

    std::vector<uint8_t> pixels;
    const int picture = dravik::ReadImagePixels(reply, pixels);
    if (picture == COMM_OK ? pixels.size() != 307200 : !pixels.empty()) __builtin_trap();

    for (int first : {1, 2}) {
        ParameterList list(3);
        const int filled = dravik::FillResultList(list, templateItems(), reply, first);
        if (filled == COMM_OK ? list.size() != templateItems().size() : (filled != COMM_STATUS_NOT_INT || !list.empty()))
            __builtin_trap();
    }

    std::string text = "old";
    std::vector<ResultListEntry> entries(2);
    const int listed = dravik::ReadLastResultsList(reply, text, entries);
    if (listed != COMM_OK && (listed != COMM_STATUS_NOT_INT || !text.empty() || !entries.empty())) __builtin_trap();
    for (const ResultListEntry& e : entries)
        if (std::memchr(e.ageText, 0, sizeof e.ageText) == nullptr ||
            std::memchr(e.resultText, 0, sizeof e.resultText) == nullptr)
            __builtin_trap();
    return 0;
}
