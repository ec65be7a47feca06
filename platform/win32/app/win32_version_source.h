#pragma once
// The running executable's own version resource, read with the version-information
// functions.

#include "app/platform_seams.h"

namespace tamsel::win32 {

class Win32VersionSource final : public VersionSource {
  public:
    bool ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) override;
};

// The fixed file version of the file at `path`; false when it has none or it can't be read.
bool ReadFileVersionOf(const wchar_t* path, std::uint32_t* versionMs, std::uint32_t* versionLs);

}  // namespace tamsel::win32
