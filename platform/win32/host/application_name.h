#pragma once
// The application's name as the class library derives it when the program names none:
// the running executable's file name without its extension ("Tamsel" for Tamsel.exe).

#include <string>

namespace tamsel::win32 {

std::wstring ApplicationNameFromExecutable();

// The file name of `path` without folder and extension.
std::wstring FileStem(const std::wstring& path);

}  // namespace tamsel::win32
