#include "platform/win32/app/win32_profile_reader.h"

#include <windows.h>

#include <vector>

namespace tamsel::win32 {

std::wstring Win32ProfileReader::GetString(const std::wstring& section, const std::wstring& key,
                                           const std::wstring& defaultValue,
                                           std::size_t bufferChars, const std::wstring& path) {
    if (bufferChars == 0 || bufferChars > MAXDWORD) return std::wstring();
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                   buffer.data(), static_cast<DWORD>(bufferChars), path.c_str());
    return std::wstring(buffer.data(), length);
}

int Win32ProfileReader::GetInt(const std::wstring& section, const std::wstring& key,
                               int defaultValue, const std::wstring& path) {
    // The function's UINT carries a signed value: "-1" comes back as 0xFFFFFFFF.
    return static_cast<int>(
        ::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

}  // namespace tamsel::win32
