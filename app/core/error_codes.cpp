#include "core/error_codes.h"

namespace ErrorCodes {

int Normalise(int code) { return code == kConnectFailedLibrary ? kConnectFailedShown : code; }

bool IsSilent(int code) {
  if (code == 0 || code == -800 || code == -10054) return true;
  return code > 0 && code != kConnectionLost;
}

Severity SeverityOf(int code) {
  // First matching range; together they cover every negative value.
  struct Range {
    int lowest;
    Severity severity;
  };
  static constexpr Range kRanges[] = {
      {-3999, Severity::Error},             // -3999 .. -1
      {-6999, Severity::Warning},           // -6999 .. -4000
      {-9999, Severity::Information},       // -9999 .. -7000
      {-10999, Severity::ConnectionError},  // -10999 .. -10000
      {-13999, Severity::Error},            // -13999 .. -11000
      {-18999, Severity::Warning},          // -18999 .. -14000
  };
  for (const Range& r : kRanges)
    if (code >= r.lowest) return r.severity;
  return Severity::Information;  // -19000 and below
}

Origin OriginOf(int code) {
  if (code <= -10000) return Origin::Program;
  if (code <= -100) return Origin::Sensor;
  return Origin::Library;
}

int HeadingId(Severity severity, Origin origin) {
  const int o = static_cast<int>(origin);
  switch (severity) {
    case Severity::Warning: return 40532 - o;
    case Severity::Error: return 40529 - o;
    case Severity::ConnectionError: return 40525 - o;
    case Severity::Information: break;
  }
  return 0;
}

int TrailingNoteId(Severity severity) {
  if (severity == Severity::Error) return 40526;
  if (severity == Severity::ConnectionError) return 40522;
  return 0;
}

int TextId(int code) { return static_cast<int>(static_cast<unsigned>(code) & 0xFFFFu); }

bool IsLocalFileError(int code) {
  // -11033: the shell could not open a file the user chose.
  return code == -11033;
}

std::optional<std::string> BuildMessage(int code, const std::function<std::string(int)>& text) {
  const Severity severity = SeverityOf(code);
  const std::string own = text(TextId(code));
  const std::string heading = text(HeadingId(severity, OriginOf(code)));
  const std::string number = std::string("[").append(std::to_string(code)).append("]");
  switch (severity) {
    case Severity::Information:
      if (own.empty()) return std::nullopt;
      return own;
    case Severity::Warning:
      if (!own.empty()) return own;
      return heading + " " + number + " - " + text(kNoOwnText);
    case Severity::Error:
    case Severity::ConnectionError: {
      std::string message = heading + " " + number + " - " + (own.empty() ? text(kNoOwnText) : own);
      // What follows the box, as a sentence of its own; an error about a
      // file here changes nothing on the sensor, and its text says so.
      if (IsLocalFileError(code)) return message;
      return message + "\n" + text(TrailingNoteId(severity));
    }
  }
  return std::nullopt;
}

}  // namespace ErrorCodes
