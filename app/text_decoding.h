#pragma once
// Turns the bytes of a text file into wide text the way the profile functions read an
// INI file: UTF-16 with its byte-order mark, UTF-8 with or without one. Bytes that are
// not UTF-8 are taken one by one as Latin-1, so no input is ever rejected.

#include <string>
#include <string_view>

namespace tamsel {

std::wstring DecodeTextFile(std::string_view bytes);

// Wide text to UTF-8 (for file names on systems whose file names are bytes).
std::string EncodeUtf8(const std::wstring& text);

}  // namespace tamsel
