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

// The dialog builds Device.ini's path the Windows way, directory + "\Device.ini". Only
// that last backslash is the separator the dialog added; a backslash earlier in the path
// is part of a Linux directory name and stays as it is.
std::wstring LinuxPathFromDialogPath(const std::wstring& path);

// Hands every request to the portable INI reader with the path made a Linux one.
class LinuxProfileReader final : public ProfileReader {
  public:
    explicit LinuxProfileReader(ProfileReader& reader) : reader_(reader) {}

    std::wstring GetString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t bufferChars,
                           const std::wstring& path) override;
    int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
               const std::wstring& path) override;

  private:
    ProfileReader& reader_;
};

}  // namespace tamsel::linux_platform
