// The system's profile functions (GetPrivateProfileStringW / GetPrivateProfileIntW, here
// Wine's) on the shared table of Device.ini cases, side by side with the portable reader
// that stands in for them elsewhere. A case where the two disagree fails with both
// answers shown, so a difference is seen rather than smoothed over.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/ini_profile_reader.h"
#include "platform/win32/app/win32_profile_reader.h"
#include "tests/common/profile_cases.h"

namespace tamsel::win32::test {
namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(c));
        }
    }
    return out;
}

// A fresh folder under %TEMP% with the case's Device.ini (or none), removed afterwards.
class ProfileFile {
  public:
    ProfileFile(bool exists, std::string_view bytes) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        directory_ = std::filesystem::path(temp) /
                     (L"tamsel-profile-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                      std::to_wstring(counter_++));
        std::filesystem::create_directories(directory_);
        path_ = directory_ / L"Device.ini";
        if (exists) {
            std::ofstream out(path_, std::ios::binary);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
    ~ProfileFile() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    std::wstring path() const { return path_.wstring(); }

  private:
    static inline int counter_ = 0;
    std::filesystem::path directory_;
    std::filesystem::path path_;
};

class ProfileStrings : public ::testing::TestWithParam<tamsel::test::ProfileStringCase> {};

TEST_P(ProfileStrings, SystemAndPortableReaderAgree) {
    const auto& c = GetParam();
    ProfileFile file(c.fileExists, c.fileBytes);
    Win32ProfileReader system;
    IniProfileReader portable;
    const std::wstring fromSystem =
        system.GetString(c.section, c.key, c.defaultValue, c.bufferChars, file.path());
    const std::wstring fromPortable =
        portable.GetString(c.section, c.key, c.defaultValue, c.bufferChars, file.path());
    EXPECT_EQ(fromSystem, c.expected) << "system: \"" << Narrow(fromSystem) << "\"";
    EXPECT_EQ(fromPortable, fromSystem)
        << "portable: \"" << Narrow(fromPortable) << "\", system: \"" << Narrow(fromSystem) << "\"";
}

INSTANTIATE_TEST_SUITE_P(DeviceIni, ProfileStrings,
                         ::testing::ValuesIn(tamsel::test::kProfileStringCases),
                         [](const auto& param) { return std::string(param.param.name); });

class ProfileInts : public ::testing::TestWithParam<tamsel::test::ProfileIntCase> {};

TEST_P(ProfileInts, SystemAndPortableReaderAgree) {
    const auto& c = GetParam();
    ProfileFile file(c.fileExists, c.fileBytes);
    Win32ProfileReader system;
    IniProfileReader portable;
    const int fromSystem = system.GetInt(c.section, c.key, c.defaultValue, file.path());
    const int fromPortable = portable.GetInt(c.section, c.key, c.defaultValue, file.path());
    EXPECT_EQ(fromSystem, c.expected);
    EXPECT_EQ(fromPortable, fromSystem);
}

INSTANTIATE_TEST_SUITE_P(DeviceIni, ProfileInts,
                         ::testing::ValuesIn(tamsel::test::kProfileIntCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tamsel::win32::test
