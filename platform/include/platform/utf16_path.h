// File names given as UTF-16, in the form the file system takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vt {

// The UTF-8 form of text; nothing when it holds a lone surrogate (no file
// can have that name).
std::optional<std::string> utf8Path(std::u16string_view text);

}  // namespace vt
