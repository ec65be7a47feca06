// The firmware model: what each selector accepts and answers, item writes waiting for
// the closing write, the running clock, and its registers saved and read back.

#include "sim/firmware.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace tamsel::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Cases print as their names in test output rather than as raw bytes.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

HResult Write(Firmware& firmware, std::uint8_t selector, const Bytes& bytes) {
    return firmware.Write(selector, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

Bytes Read(Firmware& firmware, std::uint8_t selector) {
    Bytes reply;
    EXPECT_EQ(firmware.Read(selector, &reply), kOk) << "selector " << int{selector};
    return reply;
}

TEST(FirmwareTest, ItemWritesWaitForTheClosingWrite) {
    Firmware firmware;
    const auto volumeBefore = firmware.registers().volume;
    const auto colorBefore = firmware.registers().color;

    ASSERT_EQ(Write(firmware, 21, {1, 11}), kOk);
    ASSERT_EQ(Write(firmware, 21, {5, 1}), kOk);
    ASSERT_EQ(Write(firmware, 24, {0, 99}), kOk);
    EXPECT_EQ(firmware.PendingItemWrites(), 3u);
    EXPECT_EQ(firmware.registers().volume, volumeBefore);
    EXPECT_EQ(firmware.registers().color, colorBefore);
    EXPECT_EQ(Read(firmware, 22), Bytes(volumeBefore.begin(), volumeBefore.end()));

    ASSERT_EQ(Write(firmware, 23, {0}), kOk);
    EXPECT_EQ(firmware.PendingItemWrites(), 0u);
    EXPECT_EQ(firmware.registers().finishCount, 1);
    EXPECT_EQ(firmware.registers().volume[1], 11);
    EXPECT_EQ(firmware.registers().volume[5], 1);
    EXPECT_EQ(firmware.registers().color[0], 99);
    EXPECT_EQ(Read(firmware, 25)[0], 99);
}

TEST(FirmwareTest, LaterItemWriteOfTheSameItemWins) {
    Firmware firmware;
    ASSERT_EQ(Write(firmware, 24, {2, 10}), kOk);
    ASSERT_EQ(Write(firmware, 24, {2, 20}), kOk);
    ASSERT_EQ(Write(firmware, 23, {0}), kOk);
    EXPECT_EQ(firmware.registers().color[2], 20);
}

struct Refusal {
    const char* name;
    std::uint8_t selector;
    Bytes payload;
    HResult result;
};

class FirmwareRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(FirmwareRefusalTest, LeavesTheRegistersAlone) {
    const Refusal& c = GetParam();
    Firmware firmware;
    const FirmwareRegisters before = firmware.registers();
    EXPECT_EQ(Write(firmware, c.selector, c.payload), c.result);
    EXPECT_EQ(firmware.PendingItemWrites(), 0u);
    EXPECT_EQ(firmware.registers().quality, before.quality);
    EXPECT_EQ(firmware.registers().clock, before.clock);
    EXPECT_EQ(firmware.registers().others, before.others);
    EXPECT_EQ(firmware.registers().finishCount, before.finishCount);
    EXPECT_FALSE(firmware.ClockRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Writes, FirmwareRefusalTest,
    ::testing::Values(Refusal{"ClockTooShort", 29, {19, 6, 10, 9, 32}, kInvalidArgument},
                      Refusal{"ClockTooLong", 29, {19, 6, 10, 9, 32, 30, 0}, kInvalidArgument},
                      Refusal{"QualityTwoBytes", 28, {1, 2}, kInvalidArgument},
                      Refusal{"QualityEmpty", 28, {}, kInvalidArgument},
                      Refusal{"FinishTwoBytes", 23, {0, 0}, kInvalidArgument},
                      Refusal{"ItemOneByte", 21, {1}, kInvalidArgument},
                      Refusal{"Code1ThreeBytes", 10, {1, 2, 3}, kInvalidArgument},
                      Refusal{"VolumeItemSix", 21, {6, 1}, kInvalidArgument},
                      Refusal{"ColorItemFour", 24, {4, 1}, kInvalidArgument},
                      Refusal{"UnknownZero", 0, {1}, kNotFound},
                      Refusal{"UnknownTwenty", 20, {1}, kNotFound},
                      Refusal{"UnknownThirty", 30, {1}, kNotFound},
                      Refusal{"ReadOnlyVolume", 22, {1, 2, 3, 4, 5, 6}, kNotFound},
                      Refusal{"ReadOnlyVersion", 14, {0}, kNotFound}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirmwareTest, ReplyLengthsPerSelector) {
    Firmware firmware;
    const std::pair<std::uint8_t, std::uint32_t> expected[] = {
        {10, 4}, {11, 1}, {12, 1}, {13, 1}, {15, 1}, {16, 1}, {17, 1},
        {18, 1}, {19, 1}, {22, 6}, {25, 4}, {28, 1}, {29, 6}};
    for (const auto& [selector, length] : expected) {
        std::uint32_t reported = 0;
        EXPECT_EQ(firmware.ReplyLength(selector, &reported), kOk) << int{selector};
        EXPECT_EQ(reported, length) << int{selector};
        EXPECT_EQ(Read(firmware, selector).size(), length) << int{selector};
    }
    for (int unknown : {0, 9, 20, 21, 23, 24, 26, 27, 30, 255}) {
        const auto selector = static_cast<std::uint8_t>(unknown);
        std::uint32_t reported = 77;
        Bytes reply;
        EXPECT_EQ(firmware.ReplyLength(selector, &reported), kNotFound) << int{selector};
        EXPECT_EQ(firmware.Read(selector, &reply), kNotFound) << int{selector};
        EXPECT_EQ(reported, 77u);
    }
}

TEST(FirmwareTest, VersionTextEndsWithAZero) {
    Firmware firmware;
    const Bytes text = Read(firmware, 14);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.back(), 0);
    EXPECT_NE(text.front(), 0);
}

TEST(FirmwareTest, PlainRegistersReadBackWhatWasWritten) {
    Firmware firmware;
    ASSERT_EQ(Write(firmware, 10, {0x12, 0x34, 0x56, 0x78}), kOk);
    ASSERT_EQ(Write(firmware, 28, {3}), kOk);
    ASSERT_EQ(Write(firmware, 17, {0xAA}), kOk);
    EXPECT_EQ(Read(firmware, 10), (Bytes{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(Read(firmware, 28), Bytes{3});
    EXPECT_EQ(Read(firmware, 17), Bytes{0xAA});
}

// A clock driven by hand, so the tests don't wait.
class ClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        firmware.SetTimeSource([this] { return now; });
    }
    void Advance(std::chrono::seconds elapsed) { now += elapsed; }

    std::chrono::steady_clock::time_point now{};
    Firmware firmware;
};

TEST_F(ClockTest, StandsStillUntilSet) {
    const Bytes before = Read(firmware, 29);
    Advance(std::chrono::hours(5));
    EXPECT_EQ(Read(firmware, 29), before);
    EXPECT_FALSE(firmware.ClockRunning());
}

struct ClockCase {
    const char* name;
    Bytes set;
    std::chrono::seconds elapsed;
    Bytes expected;
};

class RunningClockTest : public ClockTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(RunningClockTest, ReadsTheSetTimePlusTheTimeSince) {
    const ClockCase& c = GetParam();
    ASSERT_EQ(Write(firmware, 29, c.set), kOk);
    EXPECT_EQ(Read(firmware, 29), c.set);
    Advance(c.elapsed);
    EXPECT_EQ(Read(firmware, 29), c.expected);
}

using std::chrono::seconds;
INSTANTIATE_TEST_SUITE_P(
    Times, RunningClockTest,
    ::testing::Values(
        ClockCase{"Seconds", {19, 6, 10, 9, 32, 30}, seconds(45), {19, 6, 10, 9, 33, 15}},
        ClockCase{"Midnight", {19, 6, 10, 23, 59, 59}, seconds(1), {19, 6, 11, 0, 0, 0}},
        ClockCase{"YearEnd", {19, 12, 31, 23, 59, 59}, seconds(1), {20, 1, 1, 0, 0, 0}},
        ClockCase{"LeapDay", {20, 2, 28, 23, 59, 59}, seconds(1), {20, 2, 29, 0, 0, 0}},
        ClockCase{"NoLeapDay", {19, 2, 28, 23, 59, 59}, seconds(1), {19, 3, 1, 0, 0, 0}},
        ClockCase{
            "ThirtyDays", {19, 6, 10, 9, 32, 30}, seconds(30 * 86400), {19, 7, 10, 9, 32, 30}},
        ClockCase{"NonsenseDateStandsStill",
                  {19, 13, 40, 25, 0, 0},
                  seconds(10),
                  {19, 13, 40, 25, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

class SavedFirmwareTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = (std::filesystem::temp_directory_path() /
                ("tamsel-firmware-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 ".txt"))
                   .string();
        std::filesystem::remove(path);
    }
    void TearDown() override { std::filesystem::remove(path); }
    std::string path;
};

TEST_F(SavedFirmwareTest, RegistersSurviveASaveAndLoad) {
    Firmware first;
    auto now = std::chrono::steady_clock::time_point{};
    first.SetTimeSource([&now] { return now; });
    ASSERT_EQ(Write(first, 28, {3}), kOk);
    ASSERT_EQ(Write(first, 21, {2, 9}), kOk);
    ASSERT_EQ(Write(first, 24, {3, 77}), kOk);
    ASSERT_EQ(Write(first, 23, {0}), kOk);
    ASSERT_EQ(Write(first, 10, {1, 2, 3, 4}), kOk);
    ASSERT_EQ(Write(first, 29, {19, 6, 10, 9, 32, 30}), kOk);
    now += std::chrono::seconds(10);
    ASSERT_TRUE(first.Save(path));

    Firmware second;
    auto later = std::chrono::steady_clock::time_point{} + std::chrono::hours(100);
    second.SetTimeSource([&later] { return later; });
    ASSERT_TRUE(second.Load(path));
    EXPECT_EQ(second.registers().quality, 3);
    EXPECT_EQ(second.registers().volume, first.registers().volume);
    EXPECT_EQ(second.registers().volume[2], 9);
    EXPECT_EQ(second.registers().color[3], 77);
    EXPECT_EQ(second.registers().finishCount, 1);
    EXPECT_EQ(second.registers().others, first.registers().others);
    // The clock goes on from what it showed when saved.
    EXPECT_TRUE(second.ClockRunning());
    EXPECT_EQ(Read(second, 29), (Bytes{19, 6, 10, 9, 32, 40}));
    later += std::chrono::seconds(5);
    EXPECT_EQ(Read(second, 29), (Bytes{19, 6, 10, 9, 32, 45}));
}

TEST_F(SavedFirmwareTest, DamagedOrMissingFileChangesNothing) {
    Firmware firmware;
    const FirmwareRegisters before = firmware.registers();
    EXPECT_FALSE(firmware.Load(path));  // not there

    const char* damaged[] = {
        "",                                                                     // no header
        "something else\nquality 3\n",                                          // wrong header
        "tamsel-virtual-camera-firmware 1\nquality 3\ncolor 1 2 3\n",           // short colour
        "tamsel-virtual-camera-firmware 1\nquality 3\nvolume 1 2 3 4 5 256\n",  // not a byte
        "tamsel-virtual-camera-firmware 1\nquality 3\nmystery 1\n",             // unknown key
        "tamsel-virtual-camera-firmware 1\nquality x\n",
    };
    for (const char* text : damaged) {
        {
            std::ofstream out(path, std::ios::trunc);
            out << text;
        }
        EXPECT_FALSE(firmware.Load(path)) << text;
        EXPECT_EQ(firmware.registers().quality, before.quality) << text;
        EXPECT_EQ(firmware.registers().volume, before.volume) << text;
        EXPECT_EQ(firmware.registers().color, before.color) << text;
    }
}

}  // namespace
}  // namespace tamsel::sim
