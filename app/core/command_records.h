#pragma once
// What travels with a sensor command: its arguments, copied from the main
// window's members when it is posted, and its reply, which carries every
// output back to the GUI thread. The worker never touches window members.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/reading_records.h"
#include "dravik/parameter_list.h"
#include "dravik/results.h"

// A grey picture as the sensor sends it: one byte per pixel, top row first.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Arguments of the connection rows (connect, disconnect, live image, update).
struct ConnectArgs {
    std::string host;  // the sensor's address, read on the GUI thread at post time
    int port = 0;
    std::string key;  // the local address that names the connection; kept for its disconnect
    int limitMs = 0;  // the connect: its calls' time together (0: none)
};

// A configuration slot, and where a copy, move or rename goes.
struct SlotArgs {
    int index = 0;
    bool nameEncoded = false;
    std::u16string name;
    int group = 0;
    int targetIndex = 0;
    std::u16string targetName;
    int targetGroup = 0;
    int masterType = 0;
    std::u16string file;
    bool extended = false;
};

// Single numbers: a configuration id, a state, a code type, a mode...
struct ValueArgs {
    int value = 0;
    int second = 0;
    bool extended = false;
};

// A list the command sends.
struct ListArgs {
    ParameterList list;
    bool extended = false;
};

struct RegexArgs {
    std::u16string text1, text2, text3;
};

// The result rows of the service panel.
struct ResultArgs {
    std::u16string file;
    std::u16string folder;
    int option = 0;
    int selectedId = 0;
    int withImage = 1;
};

using CommandArgs =
    std::variant<std::monostate, ConnectArgs, SlotArgs, ValueArgs, ListArgs, RegexArgs, ResultArgs, ReadingArgs>;

struct SensorCommandRequest {
    int id = 0;
    CommandArgs args;
    uint64_t session = 0;  // the connection session it was posted in
    uint64_t serial = 0;   // order of posting, for the reply's check
};

// How a command ended.
enum class CommandOutcome {
    Ran,       // its row ran; status is the row's result
    Replaced,  // an identical command posted later took its place before it started
    Flushed,   // dropped unstarted by a disconnect
    NoRow,     // no row for the id
};

struct CommandReply {
    int id = 0;
    int status = 0;
    CommandOutcome outcome = CommandOutcome::Ran;
    uint64_t session = 0;
    uint64_t serial = 0;

    // Outputs; which are filled depends on the row.
    std::optional<int> sensorState;
    std::optional<std::u16string> softwareVersion;  // connect: only when the connect succeeded
    std::optional<std::u16string> sensorType;
    ParameterList list;   // the list a getter filled
    ParameterList list2;  // the group list of CMD_GET_CONFIG_LIST
    std::string configItem0, configItem1;
    int total = 0, good = 0;
    std::optional<int> readCount;
    int detectedCodeType = 0, detectedValue = 0;
    std::u16string regexText;
    int regexResult = 0;
    int storedResultCount = 0;
    std::u16string resultsText;
    std::vector<ResultListEntry> resultsList;
    std::optional<GreyImage> image;  // a new picture, only when one came
    ReadingFetch reading;            // a reading's records, fetched while the result was locked
    std::string connectKey;          // the key the connect used
    bool updateConnectionLost = false;  // the update's image got no answer
};

// The status of a reply to an id without a row, and of a post the engine
// could not take (it has stopped).
inline constexpr int kCommandNotSupported = -40;
// The status of a replaced or flushed command (no call was made).
inline constexpr int kCommandNotRun = -5;
