#include "app/text_decoding.h"

#include <cstdint>

namespace tamsel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(char32_t codePoint, std::wstring* out) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint >= 0x10000) {
            const char32_t offset = codePoint - 0x10000;
            out->push_back(static_cast<wchar_t>(0xD800 + (offset >> 10)));
            out->push_back(static_cast<wchar_t>(0xDC00 + (offset & 0x3FF)));
            return;
        }
    }
    out->push_back(static_cast<wchar_t>(codePoint));
}

// A lone surrogate is kept as it is, which is what the platform would hand back as well;
// an odd last byte is dropped.
void DecodeUtf16(std::string_view bytes, bool bigEndian, std::wstring* out) {
    const std::size_t count = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const char16_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendCodePoint(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (next - 0xDC00), out);
                ++i;
                continue;
            }
        }
        out->push_back(static_cast<wchar_t>(unit));
    }
}

// Length of a valid UTF-8 sequence at `pos` with its code point, or 0 when the bytes
// there are not one.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t pos, char32_t* codePoint) {
    const auto lead = static_cast<std::uint8_t>(bytes[pos]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto trail = static_cast<std::uint8_t>(bytes[pos + i]);
        if ((trail & 0xC0) != 0x80) return 0;
        value = (value << 6) | (trail & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *codePoint = value;
    return length;
}

void DecodeUtf8OrLatin1(std::string_view bytes, std::wstring* out) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t codePoint = kReplacement;
        const std::size_t length = Utf8SequenceAt(bytes, pos, &codePoint);
        if (length == 0) {
            out->push_back(static_cast<wchar_t>(static_cast<std::uint8_t>(bytes[pos])));
            ++pos;
            continue;
        }
        AppendCodePoint(codePoint, out);
        pos += length;
    }
}

}  // namespace

std::wstring DecodeTextFile(std::string_view bytes) {
    std::wstring text;
    if (bytes.starts_with("\xFF\xFE")) {
        DecodeUtf16(bytes.substr(2), false, &text);
    } else if (bytes.starts_with("\xFE\xFF")) {
        DecodeUtf16(bytes.substr(2), true, &text);
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        DecodeUtf8OrLatin1(bytes.substr(3), &text);
    } else {
        DecodeUtf8OrLatin1(bytes, &text);
    }
    return text;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            codePoint &= 0xFFFF;
            if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < text.size()) {
                const char32_t next = static_cast<char32_t>(text[i + 1]) & 0xFFFF;
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (next - 0xDC00);
                    ++i;
                }
            }
        }
        if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            codePoint = kReplacement;
        }
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

}  // namespace tamsel
