#pragma once
// Formatting into fixed-size character buffers, as the dialog's texts are built: a text
// longer than the buffer is cut so that it fits with its terminator.

#include <cstddef>
#include <string>

namespace tamsel {

// "%ls%ls" into a buffer of bufferChars characters, terminator included.
std::wstring JoinIntoBuffer(const std::wstring& first, const std::wstring& second,
                            std::size_t bufferChars);

// "%d".
std::wstring FormatDecimal(int value);

// "ver: %d.%d.%d".
std::wstring FormatVersion(int major, int minor, int build);

// "%d/%d/%d %d:%d:%d".
std::wstring FormatClock(int year, int month, int day, int hour, int minute, int second);

}  // namespace tamsel
