#pragma once
// Linux speaks UTF-8 (sysfs strings, V4L2 card names, paths); the program's names and
// paths are wide strings. The way back is the portable EncodeUtf8 (app/text_decoding.h).

#include <string>

namespace tamsel::linux_platform {

// Invalid or truncated sequences become U+FFFD, so a name always comes out.
std::wstring WideFromUtf8(const std::string& text);

}  // namespace tamsel::linux_platform
