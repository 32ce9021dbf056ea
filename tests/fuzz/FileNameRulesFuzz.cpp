// Fuzz target for the file-name rules: the parts of a name are its own tails,
// an extension swap changes nothing but the extension, and a name shown in a
// file-name edit is handed out again as it was.
#include "FuzzSupport.h"

#include "core/FileNameRules.h"

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool NoFile(const std::wstring&) { return false; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring name = fuzz::Widen(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring part = core::FileNamePart(name);
    const std::wstring extension = core::ExtensionOf(name);
    FUZZ_CHECK(EndsWith(name, part) && part.find_first_of(L"\\:") == std::wstring::npos);
    FUZZ_CHECK(EndsWith(part, extension));
    FUZZ_CHECK(extension.empty() || (extension[0] == L'.' && extension.find(L'.', 1) == std::wstring::npos));
    FUZZ_CHECK(core::ReplaceExtension(name, extension) == name);
    const std::wstring swapped = core::ReplaceExtension(name, L".wav");
    FUZZ_CHECK(core::ExtensionOf(swapped) == L".wav");
    FUZZ_CHECK(swapped.compare(0, name.size() - extension.size(), name, 0, name.size() - extension.size()) == 0);

    FUZZ_CHECK(core::HandOutFileName(name, [](const std::wstring&) { return true; }) == name);
    const std::wstring item = core::FirstCommandLineItem(name);
    FUZZ_CHECK(item.size() <= name.size() && item.find(L'"') == std::wstring::npos);
    if (name.find(L'"') == std::wstring::npos) {
        const std::wstring shown = core::EditTextForFileName(name);
        FUZZ_CHECK(name.empty() || core::HandOutFileName(shown, NoFile) == name);
        const bool plain = name.find_first_of(L"<>[]|") == std::wstring::npos;
        FUZZ_CHECK(!plain || name.find_first_not_of(L' ') == std::wstring::npos || core::IsAcceptableFileName(shown));
    }
    return 0;
}
