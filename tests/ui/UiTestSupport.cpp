#include "UiTestSupport.h"

#include "ui/resource.h"

namespace uitest {
namespace {

const wchar_t kDrivers32[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
// The codecs Wine brings along; everything else was installed into the prefix.
const wchar_t* const kWineCodecs[] = {L"imaadp32.acm", L"msadp32.acm", L"msg711.acm",
                                      L"msgsm32.acm",  L"winemp3.acm", L"l3codeca.acm"};

bool IsWineCodec(std::wstring file) {
    for (wchar_t& c : file) {
        c = static_cast<wchar_t>(towlower(c));
    }
    const size_t slash = file.find_last_of(L"\\/");
    file = slash == std::wstring::npos ? file : file.substr(slash + 1);
    for (const wchar_t* wine : kWineCodecs) {
        if (file == wine) {
            return true;
        }
    }
    return false;
}

} // namespace

bool HasMp3Codec(Converter& converter) { return !converter.ComboItems(IDC_MAIN_MP3FORMAT).empty(); }

std::string SoxInfo(const std::wstring& file) {
    const std::string path = testsupport::ShellPath(file);
    const testsupport::HostResult result =
        testsupport::RunHost("printf '%s %s %s %s' $(soxi -r " + path + ") $(soxi -c " + path + ") $(soxi -b " + path +
                             ") $(soxi -s " + path + ")");
    return result.exitCode == 0 ? result.output : std::string();
}

int SelectFormat(Converter& converter, int listId, std::initializer_list<const wchar_t*> parts) {
    const std::vector<std::wstring> items = converter.ComboItems(listId);
    for (size_t i = 0; i < items.size(); ++i) {
        bool all = true;
        for (const wchar_t* part : parts) {
            all = all && items[i].find(part) != std::wstring::npos;
        }
        if (all) {
            SendMessageW(converter.Control(listId), CB_SETCURSEL, i, 0);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void RunSingle(Converter& converter, int sourceId, const std::wstring& source, int destinationId,
               const std::wstring& destination, int goId) {
    converter.SetText(sourceId, source);
    converter.SetText(destinationId, destination);
    converter.StartClick(goId);
    if (!converter.RunReturned(kWaitMs)) {
        const MessageBoxSeen box = converter.WaitForMessageBox(0);
        FAIL() << "the run did not return; message shown: " << testsupport::Narrow(box.text);
    }
}

MP3CodecHidden::MP3CodecHidden() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrivers32, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[MAX_PATH];
        DWORD nameLength = 256, dataSize = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ && _wcsnicmp(name, L"msacm.", 6) == 0 && !IsWineCodec(data)) {
            removed_.emplace_back(name, data);
        }
    }
    for (const auto& value : removed_) {
        RegDeleteValueW(key, value.first.c_str());
    }
    RegCloseKey(key);
}

MP3CodecHidden::~MP3CodecHidden() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrivers32, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const auto& [name, data] : removed_) {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

} // namespace uitest
