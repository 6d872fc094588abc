#pragma once
// The error-code table: from a code alone, whether it is shown, with which
// severity, heading and text, and what follows the box. Texts are language
// strings; the text of a negative code is the string of its low 16 bits.
#include <functional>
#include <optional>
#include <string>

namespace ErrorCodes {

enum class Severity { Information = 0, Warning = 1, Error = 2, ConnectionError = 3 };
enum class Origin { Sensor = 0, Library = 1, Program = 2 };

inline constexpr int kConnectionLost = 11;           // positive: no reply, the connection is gone
inline constexpr int kConnectionLostText = 6005;
inline constexpr int kNoOwnText = 40536;             // text of a code without one of its own
inline constexpr int kConnectFailedLibrary = -38;    // shown as kConnectFailedShown
inline constexpr int kConnectFailedShown = -19032;
inline constexpr int kFoldersUnreadable = -10004;
inline constexpr int kDisplayLost = -11056;          // the box ends the program
inline constexpr int kConnectionLostIdle = -11060;   // the box resets the interface
// The sensor ended the connect with a status of its own above 0; its text
// names that status ("%1").
inline constexpr int kConnectNotAccepted = -14222;
// The edited configuration could not be put into its list (it was never
// read whole), so a change made on a page was not written.
inline constexpr int kConfigurationNotEncoded = -14150;

// -38 becomes -19032; every other code stays.
int Normalise(int code);
// Codes that show nothing: 0, positive codes but 11, -800 and -10054.
bool IsSilent(int code);
// Severity and origin of a negative code.
Severity SeverityOf(int code);
Origin OriginOf(int code);
// The heading string by severity and origin (0 for information), and the
// note appended to errors (0 for information and warnings).
int HeadingId(Severity severity, Origin origin);
int TrailingNoteId(Severity severity);
// The text id of a negative code: its low 16 bits.
int TextId(int code);
// Errors about a file on this computer: they never disconnect the sensor.
bool IsLocalFileError(int code);

// The box text of a negative, shown code, from the language's strings
// (empty for an id without text); nothing when the code shows no box
// (information without a text of its own). Errors end with what follows
// the box on a line of its own (not for local file errors).
std::optional<std::string> BuildMessage(int code, const std::function<std::string(int)>& text);

}  // namespace ErrorCodes
