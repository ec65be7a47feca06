#pragma once
// The C library's broken-down time as the dialog's clock fields: both platforms' clocks
// convert with their own localtime and hand the result over through here.

#include <ctime>

#include "app/platform_seams.h"

namespace tamsel {

inline LocalTime LocalTimeFromTm(const std::tm& local) {
    LocalTime time;
    time.year = local.tm_year + 1900;  // tm counts years from 1900
    time.month = local.tm_mon + 1;     // and months from 0
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    return time;
}

}  // namespace tamsel
