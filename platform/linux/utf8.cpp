#include "platform/linux/utf8.h"

namespace tamsel::linux_platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
    std::wstring wide;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        char32_t code;
        char32_t minimum;
        if (lead < 0x80) {
            length = 1, code = lead, minimum = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1Fu, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0Fu, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07u, minimum = 0x10000;
        } else {
            wide.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < text.size() &&
               IsContinuation(static_cast<unsigned char>(text[i + taken]))) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3Fu);
            ++taken;
        }
        const bool valid = taken == length && code >= minimum && code <= 0x10FFFF &&
                           !(code >= 0xD800 && code <= 0xDFFF);
        wide.push_back(static_cast<wchar_t>(valid ? code : kReplacement));
        i += taken;
    }
    return wide;
}

}  // namespace tamsel::linux_platform
