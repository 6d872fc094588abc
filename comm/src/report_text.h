// How texts from the sensor's records are prepared for the page and the
// report: configuration names unframed, hexadecimal escapes resolved, and
// markup characters escaped so that nothing the sensor sends can break the
// document.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

// A framed name (base64 of 0x02 ... 0x03) becomes the bytes between the
// frame (at most 255); otherwise bracketed two-digit application
// identifiers with the white space after them are removed and the framing
// is tried again; then every "=XX" (two hexadecimal digits) becomes that byte.
std::string ConvertRecordText(std::string_view value);

// A result's configuration label, "<number>)" and the stored name: the
// number kept, a blank, and the name as ConvertRecordText makes it ("1)" and
// a framed "Line A" give "1) Line A"). Without the number: ConvertRecordText.
std::string ConvertConfigLabel(std::string_view label);
// The stored name of a configuration label (after "<number>)" and one blank).
std::string_view ConfigLabelName(std::string_view label);

// Every "=XX" (two hexadecimal digits, either case) becomes that byte.
std::string ResolveHexEscapes(std::string_view text);

// Bytes 0 to 31 and "~" as "\x" and two uppercase hexadecimal digits.
std::string DisplayText(std::string_view raw);

// Markup characters and the listed Latin-1 letters as entities, for HTML
// text and attribute values.
std::u16string EscapeHtmlEntities(std::u16string_view text);

// Markup characters as entities; control characters, which XML cannot
// hold, in the display form of DisplayText; U+FFFE and U+FFFF as U+FFFD.
std::u16string EscapeXmlText(std::u16string_view text);

// A file name as a relative link: "./" and the name with "%", "#" and "?"
// percent-encoded, so the browser finds the file of exactly that name.
std::u16string RelativeFileLink(std::u16string_view fileName);

}  // namespace dravik
