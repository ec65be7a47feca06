#pragma once
// Linux speaks UTF-8 (sysfs strings, V4L2 card names, paths); the program's names and
// paths are wide strings.

#include <string>

namespace tamsel::linux_platform {

// Invalid or truncated sequences become U+FFFD, so a name always comes out.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

}  // namespace tamsel::linux_platform
