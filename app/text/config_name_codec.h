// The form in which the sensor stores configuration names, sensor names and
// lock passwords: the text's UTF-8 bytes framed by 0x02 and 0x03, written in
// a base64 variant with the alphabet A-Z a-z 0-9 + # and the fill "_".
// A stored name that does not decode to a framed text is a plain name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The base64 variant on its own: any bytes in, alphabet text out (no line breaks).
std::string EncodeBase64Variant(std::string_view bytes);

// Its inverse, lenient as the sensor needs it: characters outside the
// alphabet are skipped, a fill ends the text, an incomplete group gives nothing.
std::string DecodeBase64Variant(std::string_view text);

// out := the framed form of name; returns its length.
int EncodeConfigName(std::string& out, std::u16string_view name);

// Writes the framed form of name and a NUL; returns its length, or -1 (and
// the empty text) when it does not fit into capacity bytes.
int EncodeConfigName(char* out, std::size_t capacity, std::u16string_view name);

// out := the decoded name, or text itself when it is not a framed text.
// Returns the length in bytes of the name's UTF-8 form (so a plain text
// returns its own length), or -1 when text is framed but what the frame
// holds is not UTF-8; out is then empty.
int DecodeConfigName(std::u16string& out, std::string_view text);

// The same into a buffer of capacity UTF-16 units; -1 (and the empty text)
// also when the name does not fit with its NUL.
int DecodeConfigName(char16_t* out, std::size_t capacity, std::string_view text);
