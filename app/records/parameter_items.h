// Reading and writing single items of a ParameterList by position.
//
// A get leaves a list with its template's length; the program then reads
// values by position and, before a set, writes new values by position into
// that same list. No helper adds, removes or looks up items by name.
//
// Writers fill the item that stands at the position (name, kind, type and
// value; other fields keep what the get left) and return 0, or -1 without
// any change when the position is outside the list.
// Readers return 0, or -1 without touching the destination when the
// position is outside the list or the item there is not a value of the
// reader's type, so a list of another template never passes for this one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dravik/parameter_list.h"
#include "text/fixed_text.h"

// Not a class scope of ParameterItem: that type belongs to libdravik's header.
namespace ParameterItems {

inline constexpr int kOk = 0;
inline constexpr int kFailed = -1;
inline constexpr int kPastEnd = 1;  // ReadIntChecked only

inline constexpr const char* kTypeInt = "INT";
inline constexpr const char* kTypeDouble = "DOUBLE";
inline constexpr const char* kTypeString = "STRING";

int WriteInt(ParameterList& list, std::string_view name, int index, int32_t value);
int WriteDouble(ParameterList& list, std::string_view name, int index, double value);
int WriteString(ParameterList& list, std::string_view name, int index, std::string_view value);
int WriteSectionBegin(ParameterList& list, std::string_view sectionName, int index);
// name: the section name followed by "_EOS", or a closing name of the template.
int WriteSectionEnd(ParameterList& list, std::string_view name, int index);

int ReadInt(const ParameterList& list, int index, int32_t* out);
int ReadDouble(const ParameterList& list, int index, double* out);
int ReadStdString(const ParameterList& list, int index, std::string& out);

// Copies the text into a fixed field, cut at a UTF-8 boundary when it is
// longer than the field (the field is the limit the sensor accepts).
template <std::size_t N>
int ReadString(const ParameterList& list, int index, FixedText<N>& out) {
    std::string text;
    const int status = ReadStdString(list, index, text);
    if (status == kOk) out.Assign(text);
    return status;
}

// As ReadInt, but a position past the end returns kPastEnd (1).
int ReadIntChecked(const ParameterList& list, int index, int32_t* out);

}  // namespace ParameterItems
