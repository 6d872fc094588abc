// The sensor's list of last results, read with every element checked: the
// sensor's count must not drive reads past its reply.
#include "last_results_list.h"

#include "command_frame.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

constexpr int kFirstEntry = 3;
constexpr int kEntryElements = 5;

std::optional<ResultListEntry> entryAt(const XmlRpcValue& reply, int first) {
    const std::optional<int> number = intElement(reply, first);
    const std::optional<int> passed = intElement(reply, first + 1);
    const std::string* age = textElement(reply, first + 2);
    const std::string* text = textElement(reply, first + 3);
    const std::optional<int> index = intElement(reply, first + 4);
    if (!number || !passed || age == nullptr || text == nullptr || !index) return std::nullopt;
    ResultListEntry entry{};
    entry.resultNumber = *number;
    entry.passed = *passed;
    copyTextCut(entry.ageText, sizeof entry.ageText, *age);
    copyTextCut(entry.resultText, sizeof entry.resultText, *text);
    entry.index = *index;
    return entry;
}

int lastResultsList(int which, char* text, int* count, std::vector<ResultListEntry>* list) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (count == nullptr || list == nullptr) return COMM_INVALID_ARGUMENT;
    list->clear();
    *count = 0;
    XmlRpcValue reply;
    const int status =
        sendOn(*connection, "xmlGetLastResultsList", commandParams({which}), kNoLimit, StatusPattern::B, reply);
    if (status != COMM_OK) return status;
    std::string listText;
    std::vector<ResultListEntry> entries;
    if (const int read = ReadLastResultsList(reply, listText, entries); read != COMM_OK) return read;
    copyTextCut(text, DRAVIK_RESULTS_TEXT_SIZE, listText);
    *count = static_cast<int>(entries.size());
    *list = std::move(entries);
    return COMM_OK;
}

}  // namespace

int ReadLastResultsList(const XmlRpcValue& reply, std::string& text, std::vector<ResultListEntry>& entries) {
    text.clear();
    entries.clear();
    const std::string* listText = textElement(reply, 1);
    const std::optional<int> count = intElement(reply, 2);
    if (listText == nullptr || !count || *count < 0 || (reply.size() - kFirstEntry) / kEntryElements < *count)
        return COMM_STATUS_NOT_INT;
    std::vector<ResultListEntry> read;
    read.reserve(static_cast<std::size_t>(*count));
    for (int i = 0; i < *count; ++i) {
        const std::optional<ResultListEntry> entry = entryAt(reply, kFirstEntry + kEntryElements * i);
        if (!entry) return COMM_STATUS_NOT_INT;
        read.push_back(*entry);
    }
    text = *listText;
    entries = std::move(read);
    return COMM_OK;
}

}  // namespace dravik

int GetLastResultsList(int which, char* text, int* count, std::vector<ResultListEntry>* list) {
    return dravik::guarded([&] { return dravik::lastResultsList(which, text, count, list); });
}
