#include "app/ini_profile_reader.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

#include "app/text_decoding.h"

namespace tamsel {

namespace {

// A Device.ini is a few lines; a file far larger than any profile is read only this far
// so that a wrong file can't take all memory.
constexpr std::size_t kMaxFileBytes = 16u << 20;
// GetPrivateProfileIntW reads the value through a buffer of this many characters.
constexpr std::size_t kIntBufferChars = 30;

bool IsBlank(wchar_t c) {
    // Ctrl-Z is the old end-of-file mark some editors still leave behind.
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f' ||
           c == 0x1A;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

wchar_t FoldCase(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

std::wstring_view Unquote(std::wstring_view value) {
    if (value.size() > 1 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The value reaches the caller as a C string: it ends at an embedded NUL.
std::wstring UpToNul(std::wstring_view value) {
    const std::size_t nul = value.find(L'\0');
    return std::wstring(nul == std::wstring_view::npos ? value : value.substr(0, nul));
}

std::wstring CutToBuffer(std::wstring text, std::size_t bufferChars) {
    if (bufferChars == 0) return {};
    if (text.size() > bufferChars - 1) text.resize(bufferChars - 1);
    return text;
}

std::filesystem::path ToFileSystemPath(const std::wstring& path) {
    std::wstring native = path;
    // The dialog joins the directory and "Device.ini" with a backslash, as Windows does;
    // where the separator is a slash, only that last backslash is one. A backslash inside
    // a directory name is an ordinary character there and stays.
    if constexpr (std::filesystem::path::preferred_separator == '/') {
        const std::size_t separator = native.rfind(L'\\');
        if (separator != std::wstring::npos) native[separator] = L'/';
        const std::string utf8 = EncodeUtf8(native);
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } else {
        return std::filesystem::path(native);
    }
}

std::optional<std::wstring> ReadTextFile(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    std::error_code error;
    const std::filesystem::path fsPath = ToFileSystemPath(path);
    if (!std::filesystem::is_regular_file(fsPath, error)) return std::nullopt;
    std::ifstream file(fsPath, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes(kMaxFileBytes, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return DecodeTextFile(bytes);
}

std::optional<std::wstring> LookUp(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& path) {
    const std::optional<std::wstring> text = ReadTextFile(path);
    if (!text) return std::nullopt;
    std::wstring value;
    if (!FindProfileValue(*text, section, key, &value)) return std::nullopt;
    return value;
}

}  // namespace

bool FindProfileValue(const std::wstring& text, const std::wstring& section,
                      const std::wstring& key, std::wstring* value) {
    const std::wstring_view wantedSection = Trim(section);
    const std::wstring_view wantedKey = Trim(key);
    bool inSection = false;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find_first_of(L"\r\n", lineStart);
        if (lineEnd == std::wstring::npos) lineEnd = text.size();
        const std::wstring_view line =
            Trim(std::wstring_view(text).substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;

        if (line.empty()) continue;
        if (line.front() == L'[') {
            const std::size_t close = line.rfind(L']');
            if (close != std::wstring_view::npos) {
                // Only the first section of a name is looked in.
                if (inSection) return false;
                inSection = EqualsIgnoringCase(line.substr(1, close - 1), wantedSection);
                continue;
            }
        }
        if (!inSection) continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) continue;  // not a key: a comment or junk
        if (!EqualsIgnoringCase(Trim(line.substr(0, equals)), wantedKey)) continue;
        *value = UpToNul(Unquote(Trim(line.substr(equals + 1))));
        return true;
    }
    return false;
}

int ParseProfileInt(const std::wstring& value) {
    std::size_t pos = 0;
    while (pos < value.size() && value[pos] <= L' ') ++pos;
    bool negative = false;
    if (pos < value.size() && (value[pos] == L'-' || value[pos] == L'+')) {
        negative = value[pos] == L'-';
        ++pos;
    }
    std::uint32_t base = 10;
    if (pos + 1 < value.size() && value[pos] == L'0') {
        switch (value[pos + 1]) {
            case L'x':
                base = 16;
                break;
            case L'o':
                base = 8;
                break;
            case L'b':
                base = 2;
                break;
            default:
                break;
        }
        if (base != 10) pos += 2;
    }
    std::uint32_t result = 0;
    for (; pos < value.size(); ++pos) {
        const wchar_t c = value[pos];
        std::uint32_t digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<std::uint32_t>(c - L'0');
        } else if (c >= L'a' && c <= L'f') {
            digit = static_cast<std::uint32_t>(c - L'a' + 10);
        } else if (c >= L'A' && c <= L'F') {
            digit = static_cast<std::uint32_t>(c - L'A' + 10);
        } else {
            break;
        }
        if (digit >= base) break;
        result = result * base + digit;
    }
    if (negative) result = 0u - result;
    return static_cast<int>(result);
}

std::wstring IniProfileReader::GetString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& defaultValue, std::size_t bufferChars,
                                         const std::wstring& path) {
    const std::optional<std::wstring> value = LookUp(section, key, path);
    return CutToBuffer(value ? *value : defaultValue, bufferChars);
}

int IniProfileReader::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                             const std::wstring& path) {
    const std::optional<std::wstring> value = LookUp(section, key, path);
    // An empty value counts as missing, as it does for the platform.
    if (!value || value->empty()) return defaultValue;
    return ParseProfileInt(CutToBuffer(*value, kIntBufferChars));
}

}  // namespace tamsel
