// The words and numbers the service report writes for the sensor's codes:
// code types, filters, modes and grades as an operator reads them.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

// Index = code type; "INVALID CODE TYPE" outside the table.
std::string_view CodeTypeName(int codeType);
// "None" outside the table.
std::string_view FilterName(int filter);
// "STANDARD_RECOGNITION", "ENHANCED_RECOGNITION", "OPTIMISED_RECOGNITION";
// empty for any other value.
std::string_view RecognitionName(int recognition);
// Process interface working modes 0 to 6; empty for any other value.
std::string_view WorkingModeName(int mode);
// 4 "A", 3 "B", 2 "C", 1 "D", anything else "F".
std::string_view GradeLetter(int grade);
// Trigger sources 0 to 4; empty for any other value (no element is written).
std::string_view TriggerSourceName(int source);

// The exposure time table's entry nearest above the middle to the next:
// 0 beyond the table's last entry.
int RoundedExposureTime(int microseconds);

// The four lowest bits, highest first, each "On " or "Off ".
std::string IlluminationText(int segments);

// "%.2f %" of part * 100 / whole, or "0.00 %" when whole is 0.
std::string PercentText(long long part, long long whole);

// "(%02d) %s".
std::string SlotNameText(int slotNumber, std::string_view name);

// Element names come from the sensor's lists: anything that is not a plain
// XML name is written as `fallback`.
std::string_view ElementName(std::string_view name, std::string_view fallback);

}  // namespace dravik
