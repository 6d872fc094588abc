// Conversions between the program's UTF-16 texts and the UTF-8 texts that
// the libraries take and give back.
//
// Malformed input (a lone surrogate, bytes that are not UTF-8) becomes
// U+FFFD rather than failing, so a damaged text from a sensor still shows.
// The buffer forms never write more than `capacity` units; a result that
// does not fit with its terminating NUL is refused with -1 and the buffer
// then holds the empty text (when capacity > 0).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Writes the UTF-8 form of text and a NUL into out; returns its length in bytes, or -1.
int Utf16ToUtf8(char* out, std::size_t capacity, std::u16string_view text);

// out := the UTF-8 form of text.
void Utf16ToUtf8String(std::string& out, std::u16string_view text);

// Writes the UTF-16 form of text and a NUL into out; returns its length in units, or -1.
int Utf8ToUtf16(char16_t* out, std::size_t capacity, std::string_view text);

// out := the UTF-16 form of text.
void Utf8ToUtf16String(std::u16string& out, std::string_view text);

// Compares utf8 with the UTF-8 form of wide, byte by byte as unsigned values: -1, 0 or 1.
int CompareUtf8WithWide(std::string_view utf8, std::u16string_view wide);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The length of the longest prefix of text that has at most maxBytes bytes
// and does not end inside a UTF-8 sequence; cutting there keeps the text whole.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);
