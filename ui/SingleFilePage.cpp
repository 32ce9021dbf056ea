#include "SingleFilePage.h"

#include "MainForm.h"
#include "PageParts.h"
#include "Pictures.h"
#include "Texts.h"

#include <windowsx.h>

namespace ui {

TSingleFilePage::TSingleFilePage(TPanel& page, SinglePageDescription description, HICON browseGlyph, TMainForm& form,
                                 std::function<void()> goClick)
    : form_(form), job_(description.job), cdQualityJob_(description.cdQualityJob) {
    const SIZE size = ClientSize(page.Handle());
    const int width = size.cx - 2 * kPageMargin;
    page.AddControl(L"STATIC", description.sourceLabel, 0, Rect(kPageMargin, 20, width, kPageLabelHeight),
                    description.sourceLabelId);
    source_ = AddFileNameEdit(page, Rect(kPageMargin, 36, width, kPageEditHeight), std::move(description.source),
                              browseGlyph);
    page.AddControl(L"STATIC", description.destinationLabel, 0, Rect(kPageMargin, 72, width, kPageLabelHeight),
                    description.destinationLabelId);
    destination_ = AddFileNameEdit(page, Rect(kPageMargin, 88, width, kPageEditHeight),
                                   std::move(description.destination), browseGlyph);
    if (description.formatLabelId) {
        page.AddControl(L"STATIC", texts::LabelFormat, 0, Rect(kPageMargin, 124, width, kPageLabelHeight),
                        description.formatLabelId);
        option_ = page.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                  Rect(kPageMargin, 140, width, kPageDropDownHeight), description.optionId,
                                  kLeft | kTop | kRight);
    } else {
        option_ = page.AddControl(L"BUTTON", texts::CdQuality, WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
                                  Rect(kPageMargin, 124, width, 30), description.optionId, kLeft | kTop | kRight);
    }
    const RECT goRect = Rect(size.cx - pictures::kImageButtonWidth - kPageMargin,
                             size.cy - pictures::kImageButtonHeight - kPageMargin, pictures::kImageButtonWidth,
                             pictures::kImageButtonHeight);
    go_ = AddGoButton(page, description.goId, goRect, std::move(goClick));
}

bool TSingleFilePage::CdQualityTicked() const { return cdQualityJob_ && Button_GetCheck(option_) == BST_CHECKED; }

PageJob TSingleFilePage::Job() {
    return [this] { return Run(); };
}

bool TSingleFilePage::Run() {
    const std::wstring source = source_->FileName(), destination = destination_->FileName();
    if (source.empty() || destination.empty()) {
        return false;
    }
    (form_.*(CdQualityTicked() ? cdQualityJob_ : job_))(source, destination);
    return true;
}

} // namespace ui
