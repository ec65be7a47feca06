#include "platform/linux/linux_platform_services.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "app/local_time.h"
#include "platform/linux/utf8.h"
#include "tamsel_version.h"

namespace tamsel::linux_platform {

bool PosixWorkingDirectory::Get(std::size_t bufferChars, std::wstring* directory) {
    if (directory == nullptr) return false;
    // getcwd counts bytes and the caller counts characters, so read the whole directory
    // first and measure it in characters afterwards.
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() >= (std::size_t{1} << 20)) return false;
        buffer.resize(buffer.size() * 2);
    }
    std::wstring wide = WideFromUtf8(buffer.data());
    if (wide.size() + 1 > bufferChars) return false;
    *directory = std::move(wide);
    return true;
}

bool BuildVersionSource::ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) {
    if (versionMs == nullptr || versionLs == nullptr) return false;
    *versionMs = (std::uint32_t{TAMSEL_VERSION_MAJOR} << 16) | std::uint32_t{TAMSEL_VERSION_MINOR};
    *versionLs =
        (std::uint32_t{TAMSEL_VERSION_BUILD} << 16) | std::uint32_t{TAMSEL_VERSION_REVISION};
    return true;
}

bool PosixClock::Now(LocalTime* now) {
    if (now == nullptr) return false;
    const std::time_t seconds = now_ != nullptr ? now_() : std::time(nullptr);
    if (seconds == static_cast<std::time_t>(-1)) return false;
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return false;
    *now = LocalTimeFromTm(local);
    return true;
}

}  // namespace tamsel::linux_platform
