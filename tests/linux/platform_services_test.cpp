// Working directory, version and clock as the Linux program answers them, and the
// Device.ini path the dialog builds from that directory.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <limits>

#include "app/ini_profile_reader.h"
#include "platform/linux/linux_platform_services.h"

namespace tamsel::linux_platform {
namespace {

namespace fs = std::filesystem;

// Runs the test inside a fresh directory and goes back afterwards.
class InTemporaryDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "tamsel-cwd-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        fs::current_path(directory_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(directory_);
    }

    fs::path previous_;
    fs::path directory_;
};

TEST_F(InTemporaryDirectory, TheWorkingDirectoryFitsOnlyWithRoomForItsTerminator) {
    PosixWorkingDirectory workingDirectory;
    const std::wstring expected = directory_.wstring();
    std::wstring got;
    ASSERT_TRUE(workingDirectory.Get(expected.size() + 1, &got));
    EXPECT_EQ(got, expected);

    std::wstring untouched = L"before";
    EXPECT_FALSE(workingDirectory.Get(expected.size(), &untouched));
    EXPECT_EQ(untouched, L"before");
}

TEST_F(InTemporaryDirectory, ALongDirectoryIsMeasuredInCharactersNotBytes) {
    // 100 two-byte characters: 200 bytes of UTF-8, 100 characters in the dialog's buffer.
    std::string name;
    for (int i = 0; i < 100; ++i) name += "\xC3\xA9";
    fs::create_directory(directory_ / fs::u8path(name));
    fs::current_path(directory_ / fs::u8path(name));
    PosixWorkingDirectory workingDirectory;
    std::wstring got;
    const std::size_t characters = directory_.wstring().size() + 1 + 100;
    ASSERT_TRUE(workingDirectory.Get(characters + 1, &got));
    EXPECT_EQ(got.size(), characters);
    EXPECT_EQ(got.back(), L'\u00E9');
    EXPECT_FALSE(workingDirectory.Get(characters, &got));
}

TEST_F(InTemporaryDirectory, ADirectoryLongerThanPathMaxIsStillReadAndThenRefused) {
    // getcwd needs a bigger buffer than its first guess; the result is then too long
    // for the dialog's 256 characters.
    const std::string segment(200, 'd');
    for (int depth = 0; depth < 25; ++depth) {
        fs::create_directory(segment);
        fs::current_path(segment);
    }
    PosixWorkingDirectory workingDirectory;
    std::wstring got;
    EXPECT_FALSE(workingDirectory.Get(256, &got));
    ASSERT_TRUE(workingDirectory.Get(8192, &got));
    EXPECT_GT(got.size(), static_cast<std::size_t>(PATH_MAX));
}

TEST_F(InTemporaryDirectory, DeviceIniBesideTheUserIsReadThroughTheDialogsPath) {
    {
        std::ofstream ini("Device.ini");
        ini << "[Device]\nName=Cam X\nFunction=2\n";
    }
    PosixWorkingDirectory workingDirectory;
    std::wstring directory;
    ASSERT_TRUE(workingDirectory.Get(256, &directory));
    const std::wstring path = directory + L"\\Device.ini";  // as the dialog joins it
    IniProfileReader profile;
    EXPECT_EQ(profile.GetString(L"Device", L"Name", L"No Device", 32, path), L"Cam X");
    EXPECT_EQ(profile.GetInt(L"Device", L"Function", 4, path), 2);
}

TEST(BuildVersionSource, GivesTheProjectVersionAsTheVersionResourceHoldsIt) {
    BuildVersionSource version;
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;
    ASSERT_TRUE(version.ReadFileVersion(&mostSignificant, &leastSignificant));
    // project(Tamsel VERSION 1.2.0.0)
    EXPECT_EQ(mostSignificant, 0x00010002u);
    EXPECT_EQ(leastSignificant, 0x00000000u);
}

class PosixClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = getenv("TZ");
        if (tz != nullptr) savedTz_ = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (savedTz_) {
            setenv("TZ", savedTz_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    std::optional<std::string> savedTz_;
};

TEST_F(PosixClockTest, ConvertsToLocalTimeWithFullYearAndMonthFromOne) {
    PosixClock clock([]() -> std::time_t { return 1560159150; });  // 2019-06-10 09:32:30 UTC
    LocalTime now;
    ASSERT_TRUE(clock.Now(&now));
    EXPECT_EQ(now.year, 2019);
    EXPECT_EQ(now.month, 6);
    EXPECT_EQ(now.day, 10);
    EXPECT_EQ(now.hour, 9);
    EXPECT_EQ(now.minute, 32);
    EXPECT_EQ(now.second, 30);
}

TEST_F(PosixClockTest, UsesTheTimeZone) {
    setenv("TZ", "JST-9", 1);
    tzset();
    PosixClock clock([]() -> std::time_t { return 1560159150; });
    LocalTime now;
    ASSERT_TRUE(clock.Now(&now));
    EXPECT_EQ(now.hour, 18);
}

TEST_F(PosixClockTest, ATimeThatCannotBeConvertedIsAFailure) {
    PosixClock unreadable([]() -> std::time_t { return static_cast<std::time_t>(-1); });
    LocalTime now;
    EXPECT_FALSE(unreadable.Now(&now));
    PosixClock beyondAnyYear(
        []() -> std::time_t { return std::numeric_limits<std::time_t>::max(); });
    EXPECT_FALSE(beyondAnyYear.Now(&now));
}

TEST_F(PosixClockTest, TheRealClockReadsTheCurrentYear) {
    PosixClock clock;
    LocalTime now;
    ASSERT_TRUE(clock.Now(&now));
    const std::time_t seconds = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    EXPECT_EQ(now.year, utc.tm_year + 1900);
}

}  // namespace
}  // namespace tamsel::linux_platform
