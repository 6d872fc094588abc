// Texts from the sensor (configuration and group names, result texts) go
// through the name decoder, the UTF-8 conversion and the fixed record
// fields. None of them may crash, and what they give back must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/config_name_codec.h"
#include "text/fixed_text.h"
#include "text/text_codecs.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::u16string name;
    const int length = DecodeConfigName(name, text);
    if (length >= 0) {
        // What decodes as a name encodes and decodes to the same name.
        std::string encoded;
        EncodeConfigName(encoded, name);
        std::u16string again;
        check(DecodeConfigName(again, encoded) >= 0);
        check(again == name);
    } else {
        check(name.empty());
    }

    std::u16string wide;
    Utf8ToUtf16String(wide, text);
    std::string narrow;
    Utf16ToUtf8String(narrow, wide);
    check(IsValidUtf8(narrow));
    if (IsValidUtf8(text)) check(narrow == text);

    FixedText<16> field;
    field.Assign(text);
    check(field.view().size() <= 15);
    check(text.substr(0, field.view().size()) == field.view());
    return 0;
}
