#pragma once
// The global settings between the main window's list (as last read or
// written) and the typed record the pages edit.
#include <QString>

#include "core/main_dialog_state.h"

// Record := the list's values; 0, or -1 when the list is not whole.
int ReadGlobalRecords(MainDialogState& s);
// List := the record packed (for the write); 0, or -1 when the list was never read.
int PackGlobalRecords(MainDialogState& s);

QString FromText(std::string_view utf8);
template <std::size_t N>
void ToText(FixedText<N>& field, const QString& text) {
  field.Assign(text.toStdString());
}
