#include "app/text_format.h"

namespace tamsel {

std::wstring JoinIntoBuffer(const std::wstring& first, const std::wstring& second,
                            std::size_t bufferChars) {
    if (bufferChars == 0) return {};
    std::wstring joined = first + second;
    if (joined.size() > bufferChars - 1) joined.resize(bufferChars - 1);
    return joined;
}

std::wstring FormatDecimal(int value) {
    return std::to_wstring(value);
}

std::wstring FormatVersion(int major, int minor, int build) {
    return L"ver: " + FormatDecimal(major) + L"." + FormatDecimal(minor) + L"." +
           FormatDecimal(build);
}

std::wstring FormatClock(int year, int month, int day, int hour, int minute, int second) {
    return FormatDecimal(year) + L"/" + FormatDecimal(month) + L"/" + FormatDecimal(day) + L" " +
           FormatDecimal(hour) + L":" + FormatDecimal(minute) + L":" + FormatDecimal(second);
}

}  // namespace tamsel
