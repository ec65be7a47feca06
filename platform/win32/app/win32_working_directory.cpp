#include "platform/win32/app/win32_working_directory.h"

#include <windows.h>

#include <vector>

namespace tamsel::win32 {

bool Win32WorkingDirectory::Get(std::size_t bufferChars, std::wstring* directory) {
    if (bufferChars == 0 || bufferChars > MAXDWORD) return false;
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(bufferChars), buffer.data());
    // A directory that doesn't fit comes back as the size it would need, not as text:
    // it is reported as unreadable rather than used half-copied.
    if (length == 0 || length >= bufferChars) return false;
    directory->assign(buffer.data(), length);
    return true;
}

}  // namespace tamsel::win32
