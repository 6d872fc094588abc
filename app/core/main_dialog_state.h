#pragma once
// The main window's shared state: the members that many features and pages
// read (docs/program.md lists each with the class that holds it and who
// writes it). One instance, owned by the main window, handed by reference.
// Written on the GUI thread only; the command worker never reads it.
#include "core/graphics_colours.h"

struct MainDialogState {
  // --- Connection, sensor and wizard state ---

  // --- Command engine ---

  // --- Image view ---

  // --- Lock session ---

  // --- Display colours ---
  GraphicsColours colours;
};
