#pragma once
// What the main window's pages build themselves from: the measures they share,
// the file-name lines with their browse button, and the Go button in a corner.
#include "Controls.h"
#include "FileNameEdit.h"
#include "ImageButton.h"

#include <functional>
#include <memory>

namespace ui {

constexpr int kPageMargin = 16;
constexpr int kPageEditHeight = 22;
constexpr int kPageLabelHeight = 14;
constexpr int kPageDropDownHeight = 220;

// In pixels of a 96-DPI screen, as the layout measures.
SIZE ClientSize(HWND hwnd);
std::unique_ptr<TFileNameEdit> AddFileNameEdit(TPanel& page, RECT rect, FileNameEditDescription description,
                                               HICON browseGlyph);
// The image button at rect, kept in the page's corner when the window grows.
std::unique_ptr<TImageButton> AddGoButton(TPanel& page, int id, RECT rect, std::function<void()> click);

} // namespace ui
