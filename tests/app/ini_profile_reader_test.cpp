// The portable INI reader: the shared table of cases (the Windows tests run the same
// table against the platform's profile functions), the cases only the portable reader is
// held to, and input that is broken in every way a file can be.

#include "app/ini_profile_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "tests/app/dialog_fixture.h"
#include "tests/common/profile_cases.h"

namespace tamsel::test {

// Found by argument-dependent lookup, so outside the unnamed namespace.
void PrintTo(const ProfileStringCase& c, std::ostream* out) {
    *out << c.name;
}
void PrintTo(const ProfileIntCase& c, std::ostream* out) {
    *out << c.name;
}

namespace {

// Writes the bytes to Device.ini in a fresh directory and gives the path the way the
// dialog builds it, with a backslash before the file name.
class ProfileFile {
  public:
    explicit ProfileFile(bool exists, std::string_view bytes = {}) {
        if (exists) {
            std::ofstream file(directory_.path() / "Device.ini", std::ios::binary);
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
    std::wstring Path() const { return directory_.path().wstring() + L"\\Device.ini"; }

  private:
    TempDirectory directory_;
};

class SharedStringCases : public ::testing::TestWithParam<ProfileStringCase> {};

TEST_P(SharedStringCases, ReadAsThePlatformReadsThem) {
    const ProfileStringCase& c = GetParam();
    ProfileFile file(c.fileExists, c.fileBytes);
    IniProfileReader reader;
    EXPECT_EQ(reader.GetString(c.section, c.key, c.defaultValue, c.bufferChars, file.Path()),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, SharedStringCases, ::testing::ValuesIn(kProfileStringCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SharedIntCases : public ::testing::TestWithParam<ProfileIntCase> {};

TEST_P(SharedIntCases, ReadAsThePlatformReadsThem) {
    const ProfileIntCase& c = GetParam();
    ProfileFile file(c.fileExists, c.fileBytes);
    IniProfileReader reader;
    EXPECT_EQ(reader.GetInt(c.section, c.key, c.defaultValue, file.Path()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, SharedIntCases, ::testing::ValuesIn(kProfileIntCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Cases where the platform's answer is less certain; the portable reader answers as
// documented here (mostly as the platform's other open implementation does).
const ProfileStringCase kPortableStringCases[] = {
    {"TabsTrimmed", true, FileBytes("[Device]\r\n\tName\t=\tCam X\t\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"Utf8WithMark", true, FileBytes("\xEF\xBB\xBF[Device]\r\nName=K\xC3\xA4m\r\n"), L"Device",
     L"Name", L"No Device", 32, L"K\u00E4m"},
    {"Utf8WithoutMark", true, FileBytes("[Device]\r\nName=K\xC3\xA4m\r\n"), L"Device", L"Name",
     L"No Device", 32, L"K\u00E4m"},
    {"NotUtf8ReadByteByByte", true, FileBytes("[Device]\r\nName=Caf\xE9\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Caf\u00E9"},
    {"Utf16BigEndianWithMark", true,
     FileBytes("\xFE\xFF\0[\0D\0e\0v\0i\0c\0e\0]\0\n\0N\0a\0m\0e\0=\0K\0\xE4\0m"), L"Device",
     L"Name", L"No Device", 32, L"K\u00E4m"},
    {"Utf16OddLastByteDropped", true,
     FileBytes("\xFF\xFE[\0D\0e\0v\0i\0c\0e\0]\0\n\0N\0a\0m\0e\0=\0K\0m\0\x41"), L"Device", L"Name",
     L"No Device", 32, L"Km"},
    {"NulEndsTheValue", true, FileBytes("[Device]\r\nName=Cam\0X\r\n"), L"Device", L"Name",
     L"No Device", 32, L"Cam"},
    {"NulInAnotherLine", true, FileBytes("[Device]\r\nJunk=\0\0\0\r\nName=Cam X\r\n"), L"Device",
     L"Name", L"No Device", 32, L"Cam X"},
    {"CarriageReturnsOnly", true, FileBytes("[Device]\rName=Cam X\rFunction=2\r"), L"Device",
     L"Name", L"No Device", 32, L"Cam X"},
    {"OnlyTheFirstSectionOfANameCounts", true,
     FileBytes("[Device]\r\nFunction=2\r\n[Device]\r\nName=Cam X\r\n"), L"Device", L"Name",
     L"No Device", 32, L"No Device"},
    {"LineWithoutEqualsIsNoKey", true, FileBytes("[Device]\r\nName\r\n"), L"Device", L"Name",
     L"No Device", 32, L"No Device"},
    {"InlineSemicolonIsPartOfTheValue", true, FileBytes("[Device]\r\nName=Cam X ; mine\r\n"),
     L"Device", L"Name", L"No Device", 32, L"Cam X ; mine"},
    {"TwoQuotesAreEmpty", true, FileBytes("[Device]\r\nName=\"\"\r\n"), L"Device", L"Name",
     L"No Device", 32, L""},
    {"OneQuoteStays", true, FileBytes("[Device]\r\nName=\"\r\n"), L"Device", L"Name", L"No Device",
     32, L"\""},
    {"ControlZAtTheEnd", true, FileBytes("[Device]\r\nName=Cam X\r\n\x1A"), L"Device", L"Name",
     L"No Device", 32, L"Cam X"},
    {"NoBufferNoText", true, FileBytes("[Device]\r\nName=Cam X\r\n"), L"Device", L"Name",
     L"No Device", 0, L""},
};

class PortableStringCases : public ::testing::TestWithParam<ProfileStringCase> {};

TEST_P(PortableStringCases, Read) {
    const ProfileStringCase& c = GetParam();
    ProfileFile file(c.fileExists, c.fileBytes);
    IniProfileReader reader;
    EXPECT_EQ(reader.GetString(c.section, c.key, c.defaultValue, c.bufferChars, file.Path()),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, PortableStringCases, ::testing::ValuesIn(kPortableStringCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct IntTextCase {
    const char* name;
    const wchar_t* text;
    int expected;
};

void PrintTo(const IntTextCase& c, std::ostream* out) {
    *out << c.name;
}

const IntTextCase kIntTextCases[] = {
    {"Digits", L"42", 42},        {"Negative", L"-1", -1}, {"Plus", L"+2", 2},
    {"LeadingBlanks", L"  7", 7}, {"Hex", L"0x10", 16},    {"HexUpperDigits", L"0x1F", 31},
    {"Octal", L"0o17", 15},       {"Binary", L"0b101", 5}, {"DigitBeyondTheBaseStops", L"0b102", 2},
    {"SignOnly", L"-", 0},        {"Word", L"four", 0},    {"WrapsAt32Bits", L"4294967297", 1},
};

class ProfileIntTextTest : public ::testing::TestWithParam<IntTextCase> {};

TEST_P(ProfileIntTextTest, Parses) {
    EXPECT_EQ(ParseProfileInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, ProfileIntTextTest, ::testing::ValuesIn(kIntTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileIntTest, EmptyOrBlankValueGivesTheDefault) {
    for (std::string_view bytes : {std::string_view("[Device]\r\nFunction=\r\n"),
                                   std::string_view("[Device]\r\nFunction=   \r\n")}) {
        ProfileFile file(true, bytes);
        IniProfileReader reader;
        EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, file.Path()), 4) << bytes;
    }
}

TEST(ProfileIntTest, QuotedNumberIsRead) {
    ProfileFile file(true, "[Device]\r\nFunction=\"3\"\r\n");
    IniProfileReader reader;
    EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, file.Path()), 3);
}

// --- Broken input: defaults or what the platform would read, never a crash -------------

TEST(ProfileJunkTest, RandomBytesGiveTheDefaults) {
    std::mt19937 random(20191017);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(4096, '\0');
        for (char& c : bytes) c = static_cast<char>(byte(random));
        // Some rounds look like UTF-16, some like UTF-8 with a mark.
        if (round % 3 == 1) bytes.replace(0, 2, "\xFF\xFE");
        if (round % 3 == 2) bytes.replace(0, 3, "\xEF\xBB\xBF");
        ProfileFile file(true, bytes);
        IniProfileReader reader;
        EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32, file.Path()),
                  L"No Device");
        EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, file.Path()), 4);
    }
}

TEST(ProfileJunkTest, HugeLineBeforeTheSection) {
    std::string bytes(1 << 20, 'A');
    bytes += "\r\n[Device]\r\nName=Cam X\r\nFunction=3";
    ProfileFile file(true, bytes);
    IniProfileReader reader;
    EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32, file.Path()), L"Cam X");
    EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, file.Path()), 3);
}

TEST(ProfileJunkTest, HugeValueIsCutToTheBuffer) {
    const std::string bytes =
        "[Device]\r\nName=" + std::string(1 << 20, 'n') + "\r\nFunction=" + std::string(1000, '9');
    ProfileFile file(true, bytes);
    IniProfileReader reader;
    EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32, file.Path()),
              std::wstring(31, L'n'));
    // Read through 30 characters as the platform does: 29 nines, wrapped at 32 bits.
    EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, file.Path()),
              ParseProfileInt(std::wstring(29, L'9')));
}

TEST(ProfileJunkTest, DirectoryInPlaceOfTheFileGivesTheDefaults) {
    TempDirectory directory;
    std::filesystem::create_directory(directory.path() / "Device.ini");
    IniProfileReader reader;
    const std::wstring path = directory.path().wstring() + L"\\Device.ini";
    EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32, path), L"No Device");
    EXPECT_EQ(reader.GetInt(L"Device", L"Function", 4, path), 4);
}

TEST(ProfileJunkTest, EmptyPathGivesTheDefaults) {
    IniProfileReader reader;
    EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32, L""), L"No Device");
}

// Where the separator is a slash, a backslash in a directory's name is just a character:
// only the one the dialog put before "Device.ini" is a separator.
TEST(ProfilePathTest, BackslashInsideADirectoryNameIsKeptWhereTheSeparatorIsASlash) {
    if constexpr (std::filesystem::path::preferred_separator != '/') {
        GTEST_SKIP() << "a backslash is the separator here";
    } else {
        TempDirectory directory;
        const std::filesystem::path odd = directory.path() / "cam\\era";
        std::filesystem::create_directory(odd);
        std::ofstream(odd / "Device.ini", std::ios::binary) << "[Device]\nName=Cam B\n";
        IniProfileReader reader;
        EXPECT_EQ(reader.GetString(L"Device", L"Name", L"No Device", 32,
                                   odd.wstring() + L"\\Device.ini"),
                  L"Cam B");
    }
}

}  // namespace
}  // namespace tamsel::test
