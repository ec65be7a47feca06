#pragma once
// Profile (INI) files and what the platform's profile functions read from them. Plain
// data, shared by the portable reader's tests and the Windows tests that run the same
// cases against GetPrivateProfileStringW / GetPrivateProfileIntW, so both answer alike.
// Only cases whose Windows answer is well established belong here.

#include <cstddef>
#include <string_view>

namespace tamsel::test {

// File bytes may hold NUL bytes (UTF-16), so their length comes from the literal.
template <std::size_t N>
constexpr std::string_view FileBytes(const char (&bytes)[N]) {
    return std::string_view(bytes, N - 1);
}

struct ProfileStringCase {
    const char* name;  // letters, digits and underscores: a test name
    bool fileExists;
    std::string_view fileBytes;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultValue;
    std::size_t bufferChars;
    const wchar_t* expected;
};

struct ProfileIntCase {
    const char* name;
    bool fileExists;
    std::string_view fileBytes;
    const wchar_t* section;
    const wchar_t* key;
    int defaultValue;
    int expected;
};

inline constexpr ProfileStringCase kProfileStringCases[] = {
    {"PlainValue", true, FileBytes("[Device]\r\nName=Cam X\r\nFunction=2\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"MissingFile", false, {}, L"Device", L"Name", L"No Device", 32, L"No Device"},
    {"EmptyFile", true, {}, L"Device", L"Name", L"No Device", 32, L"No Device"},
    {"MissingSection", true, FileBytes("[Camera]\r\nName=Cam X\r\n"), L"Device", L"Name",
     L"No Device", 32, L"No Device"},
    {"MissingKey", true, FileBytes("[Device]\r\nFunction=2\r\n"), L"Device", L"Name", L"No Device",
     32, L"No Device"},
    {"NamesIgnoreCase", true, FileBytes("[dEVICE]\r\nNAME=Cam X\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"BlanksAroundKeyAndValue", true, FileBytes("[Device]\r\n  Name   =   Cam X   \r\n"), L"Device",
     L"Name", L"No Device", 32, L"Cam X"},
    {"EmptyValueStaysEmpty", true, FileBytes("[Device]\r\nName=\r\n"), L"Device", L"Name",
     L"No Device", 32, L""},
    {"DoubleQuotesRemoved", true, FileBytes("[Device]\r\nName=\"  Cam X  \"\r\n"), L"Device",
     L"Name", L"No Device", 32, L"  Cam X  "},
    {"SingleQuotesRemoved", true, FileBytes("[Device]\r\nName='Cam X'\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"UnmatchedQuoteKept", true, FileBytes("[Device]\r\nName=\"Cam X\r\n"), L"Device", L"Name",
     L"No Device", 32, L"\"Cam X"},
    {"FirstOfTwoKeysWins", true, FileBytes("[Device]\r\nName=First\r\nName=Second\r\n"), L"Device",
     L"Name", L"No Device", 32, L"First"},
    {"EqualsSignInValue", true, FileBytes("[Device]\r\nName=a=b\r\n"), L"Device", L"Name",
     L"No Device", 32, L"a=b"},
    {"LongValueCutToBuffer", true,
     FileBytes("[Device]\r\nName=0123456789012345678901234567890123456789\r\n"), L"Device", L"Name",
     L"No Device", 32, L"0123456789012345678901234567890"},
    {"LongDefaultCutToBuffer", false, {}, L"Device", L"Name", L"No Device", 3, L"No"},
    {"NoTrailingNewline", true, FileBytes("[Device]\r\nName=Cam X"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"LineFeedsOnly", true, FileBytes("[Device]\nName=Cam X\nFunction=2\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"KeyOfAnotherSection", true, FileBytes("[Device]\r\nFunction=1\r\n[Other]\r\nName=Cam X\r\n"),
     L"Device", L"Name", L"No Device", 32, L"No Device"},
    {"KeyBeforeAnySection", true, FileBytes("Name=Loose\r\n[Device]\r\nFunction=2\r\n"), L"Device",
     L"Name", L"No Device", 32, L"No Device"},
    {"SemicolonLineIsNotTheKey", true, FileBytes("[Device]\r\n;Name=Commented\r\nName=Cam X\r\n"),
     L"Device", L"Name", L"No Device", 32, L"Cam X"},
    {"Utf16LittleEndianWithMark", true,
     FileBytes("\xFF\xFE[\0D\0e\0v\0i\0c\0e\0]\0\r\0\n\0N\0a\0m\0e\0=\0K\0\xE4\0m\0\r\0\n\0"),
     L"Device", L"Name", L"No Device", 32, L"K\u00E4m"},
};

inline constexpr ProfileIntCase kProfileIntCases[] = {
    {"Number", true, FileBytes("[Device]\r\nName=Cam X\r\nFunction=2\r\n"), L"Device", L"Function",
     4, 2},
    {"Zero", true, FileBytes("[Device]\r\nFunction=0\r\n"), L"Device", L"Function", 4, 0},
    {"MissingFile", false, {}, L"Device", L"Function", 4, 4},
    {"MissingKey", true, FileBytes("[Device]\r\nName=Cam X\r\n"), L"Device", L"Function", 4, 4},
    {"NotANumber", true, FileBytes("[Device]\r\nFunction=all\r\n"), L"Device", L"Function", 4, 0},
    {"LeadingDigitsOnly", true, FileBytes("[Device]\r\nFunction=12abc\r\n"), L"Device", L"Function",
     4, 12},
    {"BlanksAroundNumber", true, FileBytes("[Device]\r\nFunction =   3   \r\n"), L"Device",
     L"Function", 4, 3},
    {"KeyIgnoresCase", true, FileBytes("[device]\r\nfunction=1\r\n"), L"Device", L"Function", 4, 1},
    {"Utf16LittleEndianWithMark", true,
     FileBytes("\xFF\xFE[\0D\0e\0v\0i\0c\0e\0]\0\r\0\n\0F\0u\0n\0c\0t\0i\0o\0n\0=\0003\0"),
     L"Device", L"Function", 4, 3},
};

}  // namespace tamsel::test
