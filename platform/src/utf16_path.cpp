#include "platform/utf16_path.h"

#include "platform/utf.h"

namespace vt {

std::optional<std::string> utf8Path(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size();) {
        const DecodedCodePoint c = decodeUtf16(text, i);
        if (!c.valid) return std::nullopt;
        appendUtf8(out, c.value);
        i += c.length;
    }
    return out;
}

}  // namespace vt
