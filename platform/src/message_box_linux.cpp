#include "platform/message_box.h"

#include <cstdio>

namespace vt {

void showMessageBox(const char* text, const char* caption, MessageIcon icon) {
    const char* level = icon == MessageIcon::Error     ? "error"
                        : icon == MessageIcon::Warning ? "warning"
                                                       : "note";
    std::fprintf(stderr, "%s: %s: %s\n", caption != nullptr ? caption : "", level,
                 text != nullptr ? text : "");
}

}  // namespace vt
