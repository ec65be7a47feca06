#include "platform/win32/app/win32_clock.h"

#include <time.h>

namespace tamsel::win32 {

bool Win32Clock::Now(LocalTime* now) {
    // Seconds since 1970, then the C runtime's conversion to local time: the same path
    // as CTime::GetCurrentTime followed by GetLocalTm.
    const __time64_t seconds = ::_time64(nullptr);
    struct tm local {};
    if (::_localtime64_s(&local, &seconds) != 0) return false;
    now->year = local.tm_year + 1900;
    now->month = local.tm_mon + 1;
    now->day = local.tm_mday;
    now->hour = local.tm_hour;
    now->minute = local.tm_min;
    now->second = local.tm_sec;
    return true;
}

}  // namespace tamsel::win32
