#include "text/text_codecs.h"

#include "platform/utf.h"
#include "text/copy_with_nul.h"

void Utf16ToUtf8String(std::string& out, std::u16string_view text) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const vt::DecodedCodePoint c = vt::decodeUtf16(text, i);
        vt::appendUtf8(out, c.valid ? c.value : vt::kReplacementCharacter);
        i += c.length;
    }
}

// A malformed sequence becomes one U+FFFD for its longest valid prefix (at
// least one byte), the usual practice for replacement.
void Utf8ToUtf16String(std::u16string& out, std::string_view text) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const vt::DecodedCodePoint c = vt::decodeUtf8(text, pos);
        vt::appendUtf16(out, c.valid ? c.value : vt::kReplacementCharacter);
        pos += c.length;
    }
}

int Utf16ToUtf8(char* out, std::size_t capacity, std::u16string_view text) {
    std::string utf8;
    Utf16ToUtf8String(utf8, text);
    return CopyWithNul(out, capacity, utf8);
}

int Utf8ToUtf16(char16_t* out, std::size_t capacity, std::string_view text) {
    std::u16string utf16;
    Utf8ToUtf16String(utf16, text);
    return CopyWithNul(out, capacity, utf16);
}

int CompareUtf8WithWide(std::string_view utf8, std::u16string_view wide) {
    std::string other;
    Utf16ToUtf8String(other, wide);
    // char_traits<char> compares as unsigned char.
    const int c = utf8.compare(other);
    return (c > 0) - (c < 0);
}

bool IsValidUtf8(std::string_view text) {
    return vt::isValidUtf8(text);
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    // Step back over the continuation bytes of the sequence that was cut; a
    // sequence has at most three, so stray ones in a damaged text stop it.
    std::size_t end = maxBytes;
    while (end > 0 && maxBytes - end < 3 && vt::isUtf8Continuation(static_cast<unsigned char>(text[end])))
        --end;
    return vt::isUtf8Continuation(static_cast<unsigned char>(text[end])) ? maxBytes : end;
}
