#pragma once
// A batch page (MP3 to WAV, WAV to MP3): the destination folder choice, the
// list of files with its add and delete buttons, below it the CD-quality box
// or the format list, and the Go button in the corner.
#include "Controls.h"
#include "DropTarget.h"
#include "FileDialogs.h"
#include "FileNameEdit.h"
#include "ImageButton.h"
#include "PageJob.h"
#include "Pictures.h"
#include "win/Scoped.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class TMainForm;

class TBatchPage {
public:
    // toMp3: the WAV to MP3 page; else the MP3 to WAV page.
    TBatchPage(TPanel& page, bool toMp3, HICON browseGlyph, TMainForm& form, std::function<void()> goClick);

    TFileNameEdit& OutDirectoryEd() { return *outDirectoryEd_; }
    // The format list of the WAV to MP3 page; none on the other.
    HWND Format() const { return format_; }
    TImageButton& GoButton() { return *go_; }
    PageJob Job();
    // Handles a click on one of the page's buttons; false for any other control.
    bool OnButtonClick(int id);
    // Delete in the file list removes the selected entries as the delete
    // button does; false for any other key or control.
    bool OnListKey(HWND list, int key);
    // Draws one of the page's glyph buttons; false for any other control.
    bool OnDrawItem(const DRAWITEMSTRUCT& item);

private:
    void CreateFolderChoice(TPanel& page, int width, HICON browseGlyph);
    void AddGlyphButton(TPanel& page, const wchar_t* caption, RECT rect, int id, pictures::Icon glyph);
    void AcceptDrops();
    void AddBtnClick();
    void DelbtnClick();
    void DelAllBtnClick();
    void FileListDropFiles(const std::vector<std::wstring>& names);
    void AddToList(const std::vector<std::wstring>& chosen);
    bool RunBatch();

    TMainForm& form_;
    const bool toMp3_;
    TFileDialog selectDialog_;
    DropHandler fileListDrop_;
    std::unique_ptr<TFileNameEdit> outDirectoryEd_;
    std::vector<std::pair<HWND, win::ScopedIcon>> glyphs_;
    HWND besideSource_ = nullptr;
    HWND ownFolder_ = nullptr;
    HWND cdQuality_ = nullptr;
    HWND fileList_ = nullptr;
    HWND format_ = nullptr;
    std::unique_ptr<TImageButton> go_;
};

} // namespace ui
