#pragma once
// The process's current directory, read with GetCurrentDirectoryW.

#include "app/platform_seams.h"

namespace tamsel::win32 {

class Win32WorkingDirectory final : public WorkingDirectory {
  public:
    bool Get(std::size_t bufferChars, std::wstring* directory) override;
};

}  // namespace tamsel::win32
