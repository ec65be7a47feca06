#include "platform/win32/host/application_name.h"

#include <windows.h>

#include <vector>

namespace tamsel::win32 {

std::wstring FileStem(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot != 0) name.resize(dot);
    return name;
}

std::wstring ApplicationNameFromExecutable() {
    // Paths may be longer than MAX_PATH; grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return FileStem(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tamsel::win32
