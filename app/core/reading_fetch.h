#pragma once
// The worker's side of a reading: with the result locked on the sensor,
// everything the window shows of it is fetched in one go.
#include "core/command_records.h"

// The monitor's configuration (when args.monitor), then for the first
// kMaxCodesPerReading of count codes the general result, and the detail and
// quality where the code's family has them and its text is readable
// (bar-code quality only with the extended configuration, readable or not);
// the first failing call ends the fetch. With statistics, the sensor's
// statistics after a whole reading.
void FetchReading(const ReadingArgs& args, int count, bool statistics, ReadingFetch& out);

// The bytes of a code as the log and the result views show them: each byte
// a character, control characters in their escaped form, as UTF-8.
std::string DisplayText(const std::vector<std::uint8_t>& bytes);
