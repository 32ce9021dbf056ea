// Fuzz target for the folder field: the folder it names is a trimmed piece of
// the field's text, and a folder shown as the field shows it (quoted when it
// holds a blank, with blanks around it) comes back whole.
#include "FuzzSupport.h"

#include "core/FileNameRules.h"
#include "core/FolderField.h"
#include "core/FormStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = fuzz::Widen(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring path = core::FolderFieldPath(text);
    FUZZ_CHECK(text.find(path) != std::wstring::npos);
    FUZZ_CHECK(core::TrimProfileValue(path) == path);

    const std::wstring folder = core::TrimProfileValue(text);
    if (folder.find(L'"') == std::wstring::npos) {
        FUZZ_CHECK(core::FolderFieldPath(L" " + core::EditTextForFileName(folder) + L"\t") == folder);
    }
    return 0;
}
