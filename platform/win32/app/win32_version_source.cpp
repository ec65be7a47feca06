#include "platform/win32/app/win32_version_source.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tamsel::win32 {

bool ReadFileVersionOf(const wchar_t* path, std::uint32_t* versionMs, std::uint32_t* versionLs) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return false;
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(path, 0, size, info.data())) return false;
    void* fixed = nullptr;
    UINT fixedLength = 0;
    if (!::VerQueryValueW(info.data(), L"\\", &fixed, &fixedLength) || fixed == nullptr ||
        fixedLength < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    const auto* fileInfo = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    *versionMs = fileInfo->dwFileVersionMS;
    *versionLs = fileInfo->dwFileVersionLS;
    return true;
}

bool Win32VersionSource::ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) {
    // The path is read into MAX_PATH characters: a longer one comes back cut, names no
    // file, and the caller keeps its fallback version.
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0) return false;
    const std::wstring path(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
    return ReadFileVersionOf(path.c_str(), versionMs, versionLs);
}

}  // namespace tamsel::win32
