#include "LocalCodec.h"

#include "mp3codec/CodecIdentity.h"

namespace codec {
namespace {

HACMDRIVERID current = nullptr;

} // namespace

HACMDRIVERID LocalCodec::Current() { return current; }

LocalCodec::~LocalCodec() {
    if (current == driver_.get()) {
        current = nullptr;
    }
}

LocalCodec::LocalCodec(const std::wstring& folder) {
    // A full path only, so that a restriction of the program's DLL search to
    // the system folder does not hide it and no copy elsewhere is taken. Its
    // own imports are system DLLs and follow the program's search order.
    const std::wstring file = folder + mp3codec::kDriverFileName;
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    module_.reset(LoadLibraryExW(file.c_str(), nullptr, 0));
    if (!module_) {
        return;
    }
    const FARPROC entry = GetProcAddress(module_.get(), "LocalDriverProc");
    if (!entry) {
        module_.reset();
        return;
    }
    HACMDRIVERID id = nullptr;
    if (acmDriverAdd(&id, module_.get(), reinterpret_cast<LPARAM>(entry), 0,
                     ACM_DRIVERADDF_FUNCTION | ACM_DRIVERADDF_LOCAL) != MMSYSERR_NOERROR) {
        module_.reset();
        return;
    }
    driver_.reset(id);
    current = id;
}

} // namespace codec
