#pragma once
// Sizes of the windows are given in pixels of a 96-DPI screen; on a screen of
// another density each is scaled by the same rule, so that a window keeps its
// proportions and its text keeps its room.
namespace core {

constexpr int kDesignDpi = 96;

// designPixels at dpi, rounded to the nearest pixel, halves away from zero
// (as the platform's MulDiv rounds).
int ScaledToDpi(int designPixels, int dpi);

// The reverse: how many design pixels devicePixels are at dpi.
int DesignPixelsAt(int devicePixels, int dpi);

struct PixelBox {
    int left, top, right, bottom;
};

// Position and size are scaled each, so that a control's size does not depend
// on where it sits.
PixelBox ScaledToDpi(const PixelBox& design, int dpi);
PixelBox DesignPixelsAt(const PixelBox& device, int dpi);

} // namespace core
