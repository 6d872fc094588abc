#pragma once
// Result codes of the image view and its overlays (0 = success). Their low
// 16 bits are the ids of their message texts.

// Display start-up. A QImage surface needs no display objects: only
// kErrNoSurface can happen (the surface could not be allocated); the others
// stay for the error table.
inline constexpr int kErrNoDrawingContext = -10050;
inline constexpr int kErrNoDisplayObject = -10051;
inline constexpr int kErrCooperativeLevel = -10052;
inline constexpr int kErrNoSurface = -10053;
inline constexpr int kErrNoClipper = -10054;
// Surfaces lost: a QImage is never lost, so this is never raised.
inline constexpr int kErrSurfacesLost = -11056;

inline constexpr int kErrScreenTextNoPainter = -14070;
inline constexpr int kErrScreenTextDraw = -14071;
inline constexpr int kErrScreenTextPosition = -14072;
inline constexpr int kErrOverlayNoPainter = -14090;
inline constexpr int kErrOverlayLabel = -14091;
inline constexpr int kErrWoiMoveInvalid = -14092;
inline constexpr int kErrBoxLabelTooLong = -14093;
inline constexpr int kErrWoiInvalid = -1;

inline constexpr int kErrOverlayNoSuchId = -14172;
inline constexpr int kErrOverlayNotFound = -14173;
inline constexpr int kErrOverlayRemoval = -14174;
inline constexpr int kErrOverlayEmptyEntry = -14175;
