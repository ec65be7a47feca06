#pragma once
// Device.ini through the system's own profile functions.

#include "app/platform_seams.h"

namespace tamsel::win32 {

class Win32ProfileReader final : public ProfileReader {
  public:
    std::wstring GetString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t bufferChars,
                           const std::wstring& path) override;
    int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
               const std::wstring& path) override;
};

}  // namespace tamsel::win32
