#include "core/update_result_text.h"

#include <array>

#include "brimsol/brimsol.h"
#include "text/text_codecs.h"

std::string UpdateStatusText(int status) {
  std::array<char, 1024> buffer{};
  Brimsol_strerror(status, buffer.data(), static_cast<unsigned>(buffer.size()));
  return buffer.data();
}

std::u16string UpdateFailureText(int status, std::u16string_view heading, std::u16string_view notLibraryText,
                                 std::u16string_view connectionLostText) {
  std::u16string text = u"[";
  for (char c : std::to_string(status)) text += static_cast<char16_t>(c);
  text += u"] ";
  text += heading;
  text += u' ';
  if (!connectionLostText.empty()) {
    text += connectionLostText;
  } else if (status > 0) {
    std::u16string library;
    Utf8ToUtf16String(library, UpdateStatusText(status));
    text += library;
  } else {
    text += notLibraryText;
  }
  return text;
}
