#pragma once
// What the dialog's behaviour asks of the operating system besides windows: the working
// directory, the profile (INI) functions, the executable's own version and the local
// time. Windows answers with its own functions; Linux with the portable reader and the
// build's version; tests with fixtures.

#include <cstdint>
#include <string>

namespace tamsel {

class WorkingDirectory {
public:
    virtual ~WorkingDirectory() = default;
    // GetCurrentDirectoryW into a buffer of bufferChars characters (terminator included).
    // False when it can't be read or doesn't fit.
    virtual bool Get(std::size_t bufferChars, std::wstring* directory) = 0;
};

// GetPrivateProfileStringW / GetPrivateProfileIntW semantics.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;
    // At most bufferChars - 1 characters of the value (or of the default).
    virtual std::wstring GetString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& defaultValue, std::size_t bufferChars,
                                   const std::wstring& path) = 0;
    virtual int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                       const std::wstring& path) = 0;
};

// The fixed file version of the running executable (VS_FIXEDFILEINFO's two halves).
class VersionSource {
public:
    virtual ~VersionSource() = default;
    // False when there is no readable version information.
    virtual bool ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) = 0;
};

struct LocalTime {
    int year = 0;    // full year
    int month = 0;   // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current time converted to local time; false when the conversion fails.
    virtual bool Now(LocalTime* now) = 0;
};

}  // namespace tamsel
