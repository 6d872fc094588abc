// A notice for the user that a library raises on its own, with no window
// of the program as its owner.
#pragma once

namespace vt {

enum class MessageIcon { Information, Warning, Error };

// On Linux the notice goes to standard error as "caption: warning: text".
void showMessageBox(const char* text, const char* caption, MessageIcon icon);

}  // namespace vt
