#pragma once
// Fonts of the controls. The heights the controls are designed with are cell
// heights (ascent plus descent), as the dialog layouts assume; Qt sizes fonts
// by their em, so the pixel size is chosen to make the cell fit the height.
#include <QFont>
#include <QString>

inline constexpr const char* kDefaultFace = "DejaVu Sans";

// face empty: kDefaultFace. weight: 400 normal, 700 bold.
QFont fontForCellHeight(int cellHeight, int weight, const QString& face = {},
                        bool italic = false);

// Screen pixels per logical inch over 96 (1.0 without a screen).
double screenScale();
