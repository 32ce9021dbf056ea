#pragma once
// A single-file page (MP3 to WAV, WAV to MP3, WAV to WAV): a source line, a
// destination line, below them the CD-quality box or a format list, and the
// Go button in the corner.
#include "Controls.h"
#include "FileNameEdit.h"
#include "ImageButton.h"
#include "PageJob.h"

#include <functional>
#include <memory>
#include <string>

namespace ui {

class TMainForm;

// One of the main window's single-file jobs.
using FileJob = void (TMainForm::*)(const std::wstring&, const std::wstring&);

struct SinglePageDescription {
    const wchar_t* sourceLabel;
    int sourceLabelId;
    FileNameEditDescription source;
    const wchar_t* destinationLabel;
    int destinationLabelId;
    FileNameEditDescription destination;
    int formatLabelId; // 0: the page has the CD-quality box instead of a format list
    int optionId;
    int goId;
    FileJob job;
    FileJob cdQualityJob; // the job while the CD-quality box is ticked
};

class TSingleFilePage {
public:
    TSingleFilePage(TPanel& page, SinglePageDescription description, HICON browseGlyph, TMainForm& form,
                    std::function<void()> goClick);

    TFileNameEdit& Source() { return *source_; }
    TFileNameEdit& Destination() { return *destination_; }
    // The CD-quality box or the format list.
    HWND Option() const { return option_; }
    TImageButton& GoButton() { return *go_; }
    bool CdQualityTicked() const;
    PageJob Job();

private:
    bool Run();

    TMainForm& form_;
    FileJob job_;
    FileJob cdQualityJob_;
    std::unique_ptr<TFileNameEdit> source_;
    std::unique_ptr<TFileNameEdit> destination_;
    HWND option_ = nullptr;
    std::unique_ptr<TImageButton> go_;
};

} // namespace ui
