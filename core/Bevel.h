#pragma once
// Geometry of the installer's owner-drawn buttons: the bands of a bevel and
// which parts of a button a draw request repaints. Plain arithmetic, so the
// rules can be checked without a screen.
#include <vector>

namespace core {

struct BevelBand {
    int left, top, right, bottom;
    bool dark; // dark brush; otherwise the light one
};

// The bands of rings 0..lastRing in drawing order (top, left, right, bottom
// per ring), as rectangles for a fill without outline. None for lastRing < 0.
std::vector<BevelBand> BevelBands(int left, int top, int lastRing, int bottom, int right);

// The platform's owner-draw action and state flags (winuser.h values).
constexpr unsigned kDrawEntire = 0x1;
constexpr unsigned kDrawSelect = 0x2;
constexpr unsigned kDrawFocus = 0x4;
constexpr unsigned kStateSelected = 0x1;
constexpr unsigned kStateFocus = 0x10;
constexpr unsigned kStateNoFocusRect = 0x200;

struct ButtonPaint {
    bool paint = false;   // anything at all
    bool face = false;    // face and outline
    bool pressed = false; // both bevel sides dark
    bool caption = false;
    bool focusRect = false; // the dotted focus rectangle, drawn inverting
};

// A press or release repaints only the bevel; a focus change repaints nothing
// but the focus rectangle, which inverts, so drawing it again takes it away.
// A whole repaint of a focused button draws it anew. Only the exact state
// "selected and focused" looks pressed.
ButtonPaint PlanButtonPaint(unsigned action, unsigned state);

} // namespace core
