#pragma once
// The converter's pictures, drawn in code when the windows are built: the
// tab-column photograph, the image-button faces, the tab icons, the push-button
// glyphs, the web button's logo and the program icon.
#include <windows.h>

namespace ui::pictures {

constexpr int kColumnPictureWidth = 193;
constexpr int kColumnPictureHeight = 281;
constexpr int kImageButtonWidth = 101;
constexpr int kImageButtonHeight = 30;

enum class Icon {
    TabMp3Wav,
    TabWavMp3,
    TabWavWav,
    TabTagEditor,
    SingleFile,
    Batch,
    Add,
    Delete,
    DeleteAll,
    Cancel,
    Browse,
    Program,
    WebLogo,
};

// Drawn for the screen's density (win/ScreenDpi.h). The column picture is kept for the
// life of the process; the caller owns every other handle returned.
HBITMAP ColumnPicture();
HBITMAP ImageButtonFace(const wchar_t* text, bool pressed, COLORREF background);
// size in device pixels.
HICON MakeIcon(Icon icon, int size);

} // namespace ui::pictures
