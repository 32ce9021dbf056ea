#include "BatchRules.h"

#include "FileNameRules.h"

#include <algorithm>
#include <cwctype>

namespace core {

std::wstring BatchDestination(const std::wstring& source, bool besideSource, const std::wstring& folder,
                              const std::wstring& extension) {
    if (besideSource || folder.empty()) {
        return ReplaceExtension(source, extension);
    }
    return WithBackslash(folder) + ReplaceExtension(FileNamePart(source), extension);
}

std::wstring DestinationNotWrittenByRun(const std::wstring& destination,
                                        const std::function<bool(const std::wstring&)>& writtenByRun) {
    const std::wstring extension = ExtensionOf(destination);
    const std::wstring stem = destination.substr(0, destination.size() - extension.size());
    std::wstring candidate = destination;
    for (int number = 2; writtenByRun(candidate); ++number) {
        candidate = stem + L" (" + std::to_wstring(number) + L")" + extension;
    }
    return candidate;
}

std::wstring MessageNamingEntry(const std::wstring& message, const std::wstring& entry) {
    if (message.find(entry) != std::wstring::npos) {
        return message;
    }
    return message + L" " + entry;
}

std::wstring BatchProgressLine(int index, int entryCount) {
    return L"Proceso fichero " + std::to_wstring(index + 1) + L" de " + std::to_wstring(entryCount);
}

void BatchTally::NoteFailure(const std::wstring& entry) {
    if (failed.empty() || failed.back() != entry) {
        failed.push_back(entry);
    }
}

void BatchTally::NoteEnded(const std::wstring& entry, bool cutShort) {
    if (!cutShort || (!failed.empty() && failed.back() == entry)) {
        ++ended;
    }
}

std::wstring BatchSummary(const BatchTally& tally) {
    if (tally.failed.empty()) {
        return std::wstring();
    }
    std::wstring summary =
        L"Convertidos: " + std::to_wstring(tally.Converted()) + L" de " + std::to_wstring(tally.ended) + L". Fallaron:";
    const size_t shown = std::min(tally.failed.size(), static_cast<size_t>(kSummaryNames));
    for (size_t i = 0; i < shown; ++i) {
        summary += L"\n" + tally.failed[i];
    }
    if (tally.failed.size() > shown) {
        summary += L"\ny " + std::to_wstring(tally.failed.size() - shown) + L" más";
    }
    return summary;
}

std::vector<std::wstring> NamesToAdd(const std::vector<std::wstring>& entries,
                                     const std::vector<std::wstring>& chosen) {
    std::vector<std::wstring> list = entries;
    std::vector<std::wstring> added;
    for (const auto& name : chosen) {
        if (std::find(list.begin(), list.end(), name) == list.end()) {
            list.push_back(name);
            added.push_back(name);
        }
    }
    return added;
}

namespace {

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

} // namespace

std::vector<std::wstring> NamesWithExtension(const std::vector<std::wstring>& names, const std::wstring& extension) {
    std::vector<std::wstring> taken;
    std::copy_if(names.begin(), names.end(), std::back_inserter(taken),
                 [&](const std::wstring& name) { return EqualIgnoringCase(ExtensionOf(name), extension); });
    return taken;
}

std::vector<int> SelectedFromLastUp(const std::vector<bool>& selected) {
    std::vector<int> positions;
    for (int i = static_cast<int>(selected.size()) - 1; i >= 0; --i) {
        if (selected[static_cast<size_t>(i)]) {
            positions.push_back(i);
        }
    }
    return positions;
}

} // namespace core
