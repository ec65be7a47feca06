#include "platform/win32/app/win32_clock.h"

#include <time.h>

#include "app/local_time.h"

namespace tamsel::win32 {

bool Win32Clock::Now(LocalTime* now) {
    // Seconds since 1970, then the C runtime's conversion to local time: the same path
    // as CTime::GetCurrentTime followed by GetLocalTm.
    const __time64_t seconds = ::_time64(nullptr);
    struct tm local {};
    if (::_localtime64_s(&local, &seconds) != 0) return false;
    *now = LocalTimeFromTm(local);
    return true;
}

}  // namespace tamsel::win32
