#pragma once
// The rules of the two batch pages that do not need a window: where a result
// goes, the progress line, and how the list takes and gives up entries.
#include <functional>
#include <string>
#include <vector>

namespace core {

// The destination of one list entry. With besideSource, or an empty folder, the
// source with its extension replaced; otherwise the folder (a backslash added
// unless it ends in one) and the source's file-name part with its extension
// replaced. extension brings its full stop (".wav", ".mp3").
std::wstring BatchDestination(const std::wstring& source, bool besideSource, const std::wstring& folder,
                              const std::wstring& extension);

// The destination an entry gets in a run: destination itself unless the run
// has written that file already, else "Lied (2).wav", "Lied (3).wav", ... the
// first that the run has not written. Files from before the run are replaced.
std::wstring DestinationNotWrittenByRun(const std::wstring& destination,
                                        const std::function<bool(const std::wstring&)>& writtenByRun);

// A job's message about a batch entry: followed by a blank and the entry's
// name, as the read error has it, unless the message names the entry already.
std::wstring MessageNamingEntry(const std::wstring& message, const std::wstring& entry);

// "Proceso fichero i de n" for the 0-based index of the file being converted.
std::wstring BatchProgressLine(int index, int entryCount);

// What a batch run did with its entries, for the summary at its end.
struct BatchTally {
    int ended = 0;                    // entries whose job ran to its end or failed
    std::vector<std::wstring> failed; // in run order, each entry once

    // A job said it could not do an entry; a second message about it counts once.
    void NoteFailure(const std::wstring& entry);
    // The entry's job has returned. One that a cancel cut short was not
    // converted, so it counts only when it had failed before.
    void NoteEnded(const std::wstring& entry, bool cutShort);
    int Converted() const { return ended - static_cast<int>(failed.size()); }
};

// The summary of a run with failures: "Convertidos: N de M. Fallaron:" and
// one failed entry a line, at most kSummaryNames of them, then "y K más" for
// the rest. Empty when nothing failed.
constexpr int kSummaryNames = 20;
std::wstring BatchSummary(const BatchTally& tally);

// The chosen names that the add button appends, in their order: those equal to
// no entry (letter case counts) and to no name appended before them.
std::vector<std::wstring> NamesToAdd(const std::vector<std::wstring>& entries, const std::vector<std::wstring>& chosen);

// The names among dropped ones whose extension is extension, letter case
// ignored, in their order.
std::vector<std::wstring> NamesWithExtension(const std::vector<std::wstring>& names, const std::wstring& extension);

// The positions of the selected entries from the last to the first, the order in
// which removing them leaves the positions still to remove valid.
std::vector<int> SelectedFromLastUp(const std::vector<bool>& selected);

} // namespace core
