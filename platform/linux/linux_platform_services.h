#pragma once
// The operating-system services the dialog asks for, answered on Linux: the working
// directory (getcwd), the program's version (the build's project() version, the same
// number the Windows version resource carries), the local time (localtime_r) and the
// path convention of the profile reader.

#include <ctime>
#include <string>

#include "app/platform_seams.h"

namespace tamsel::linux_platform {

class PosixWorkingDirectory final : public WorkingDirectory {
  public:
    // The directory in wide characters; false when getcwd fails or when the directory
    // and its terminator need more than bufferChars characters.
    bool Get(std::size_t bufferChars, std::wstring* directory) override;
};

class BuildVersionSource final : public VersionSource {
  public:
    // Major.minor in the most significant half, build.revision in the least, as
    // VS_FIXEDFILEINFO holds them.
    bool ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) override;
};

class PosixClock final : public Clock {
  public:
    using TimeSource = std::time_t (*)();
    explicit PosixClock(TimeSource now = nullptr) : now_(now) {}
    // False when the time can't be read or converted to local time.
    bool Now(LocalTime* now) override;

  private:
    TimeSource now_;
};

}  // namespace tamsel::linux_platform
