#pragma once
// Every program of the suite may run elevated from a download folder, where
// anyone can leave a DLL named like one that Windows loads by bare name.

namespace win {

// Takes the program's folder and the current folder out of the DLL search, so
// that every DLL loaded by name from now on comes from the system folder.
// Call it before anything that might load a DLL.
void LimitDllSearchToSystemFolder();

} // namespace win
