#pragma once
// The main window's shared state: the members that many features and pages
// read (docs/program.md lists each with the class that holds it and who
// writes it). One instance, owned by the main window, handed by reference.
// Written on the GUI thread only; the command worker never reads it.
#include "core/graphics_colours.h"

// A rectangle or point of the 640 x 480 picture (x 0..639, y 0..479).
struct ImageRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  friend bool operator==(const ImageRect&, const ImageRect&) = default;
};
struct ImagePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ImagePoint&, const ImagePoint&) = default;
};

struct MainDialogState {
  // --- Connection, sensor and wizard state ---

  // --- Command engine ---

  // --- Image view ---
  // Window of interest in picture coordinates; the overlay writes it on every
  // accepted Set or Move, the configuration writer sends it.
  ImageRect m_rcWoi;
  bool m_bZoomMode = false;      // set by CZoom, cleared by LeaveZoomMode
  bool m_bWoiDragArmed = false;  // a click on the picture would start a window-of-interest drag
  int m_nPictureScrollX = 0;     // picture scroll bars, 0..640
  int m_nPictureScrollY = 0;     // and 0..480
  ImagePoint m_ptZoomCentre;            // picture coordinates of the last zoom click
  bool m_bImageQualityView = false;     // the configuration page shown
  bool m_bCodeDefinitionView = false;

  // --- Lock session ---

  // --- Display colours ---
  GraphicsColours colours;
};
