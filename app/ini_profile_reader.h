#pragma once
// A reader of Windows profile (INI) files for systems without the profile functions. It
// answers as GetPrivateProfileStringW / GetPrivateProfileIntW do for the files this
// program reads: names compared without regard to case, keys and values trimmed, a
// value in matching quotes unquoted, the first section and key of a name winning, and
// the default for a missing file, section or key.

#include <string>

#include "app/platform_seams.h"

namespace tamsel {

class IniProfileReader : public ProfileReader {
  public:
    std::wstring GetString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t bufferChars,
                           const std::wstring& path) override;
    int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
               const std::wstring& path) override;
};

// The value of `key` in the first section called `section` of the INI text, or false.
bool FindProfileValue(const std::wstring& text, const std::wstring& section,
                      const std::wstring& key, std::wstring* value);

// GetPrivateProfileIntW's reading of a value: leading blanks, a sign, a 0x / 0o / 0b
// prefix, then digits; anything that isn't a number reads as 0. Arithmetic wraps at
// 32 bits as the platform's does.
int ParseProfileInt(const std::wstring& value);

}  // namespace tamsel
