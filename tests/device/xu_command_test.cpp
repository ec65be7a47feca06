// The command set: what each code puts on the wire and how each reply lands, read from
// the virtual camera's log and registers.

#include "device/xu_command.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/device/camera_fixture.h"

namespace tamsel {
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

TEST(XuSelectorForOpTest, MapsEveryCodeAndRefusesTheRest) {
    const std::uint8_t expected[] = {10, 10, 11, 11, 12, 12, 13, 13, 14, 15, 15, 16,
                                     17, 18, 19, 29, 28, 23, 21, 24, 22, 25, 28};
    for (int op = 1; op <= 23; ++op) {
        std::uint8_t selector = 0;
        EXPECT_TRUE(XuSelectorForOp(op, &selector)) << "code " << op;
        EXPECT_EQ(selector, expected[op - 1]) << "code " << op;
    }
    for (int op : {0, -1, 24, 25, 255, INT_MIN, INT_MAX}) {
        std::uint8_t selector = 0xAB;
        EXPECT_FALSE(XuSelectorForOp(op, &selector)) << "code " << op;
        EXPECT_EQ(selector, 0xAB) << "code " << op;
    }
}

struct WriteCase {
    const char* name;
    int op;
    int argument;
    std::function<void(DeviceSettings&)> setUp;
    std::uint32_t selector;
    Bytes payload;
};

void Nothing(DeviceSettings&) {}

class WriteTest : public test::BoundCameraTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteTest, SendsThePayloadToTheSelector) {
    const WriteCase& c = GetParam();
    c.setUp(TheDeviceSettings());
    EXPECT_EQ(XuSetCommand(c.op, c.argument), kOk);

    const auto calls = PropertyCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(Selector(calls[0]), c.selector);
    EXPECT_EQ(Flags(calls[0]), 0x10000002u);
    EXPECT_EQ(calls[0].dataLength, c.payload.size());
    EXPECT_EQ(calls[0].dataIn, c.payload);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WriteTest,
    ::testing::Values(
        WriteCase{"Code1MostSignificantFirst", 1, 258, Nothing, 10, {0x00, 0x00, 0x01, 0x02}},
        WriteCase{"Code1Negative", 1, -2, Nothing, 10, {0xFF, 0xFF, 0xFF, 0xFE}},
        WriteCase{"Code1AllBytesDistinct", 1, 0x12345678, Nothing, 10, {0x12, 0x34, 0x56, 0x78}},
        WriteCase{"Code3LowByte", 3, 300, Nothing, 11, {44}},
        WriteCase{"Code3MinusOne", 3, -1, Nothing, 11, {0xFF}},
        WriteCase{"Code5One", 5, 1, Nothing, 12, {0x01}},
        WriteCase{"Code5Zero", 5, 0, Nothing, 12, {0x02}},
        WriteCase{"Code5Seven", 5, 7, Nothing, 12, {0x02}},
        WriteCase{"Code5TwoHundredFiftySeven", 5, 257, Nothing, 12, {0x02}},
        WriteCase{"Code7One", 7, 1, Nothing, 13, {0x01}},
        WriteCase{"Code7Two", 7, 2, Nothing, 13, {0x00}},
        WriteCase{"Code10One", 10, 1, Nothing, 15, {0x01}},
        WriteCase{"Code10MinusOne", 10, -1, Nothing, 15, {0x00}},
        WriteCase{"Code13LowByte", 13, 0x1FF, Nothing, 17, {0xFF}},
        WriteCase{"DateTime",
                  XU_SET_DATETIME,
                  0,
                  [](DeviceSettings& s) {
                      s.year = 2019, s.month = 6, s.day = 10;
                      s.hour = 9, s.minute = 32, s.second = 30;
                  },
                  29,
                  {19, 6, 10, 9, 32, 30}},
        WriteCase{"DateTimeIgnoresArgumentAndWrapsYear",
                  XU_SET_DATETIME,
                  77,
                  [](DeviceSettings& s) {
                      s.year = 2256, s.month = 12, s.day = 31;
                      s.hour = 23, s.minute = -1, s.second = 300;
                  },
                  29,
                  {0, 12, 31, 23, 0xFF, 44}},
        WriteCase{"DateTimeInitialRecord", XU_SET_DATETIME, 0, Nothing, 29, {19, 1, 1, 12, 12, 12}},
        WriteCase{"Quality", XU_SET_QUALITY, 1, [](DeviceSettings& s) { s.quality = 3; }, 28, {3}},
        WriteCase{"QualityLowByte",
                  XU_SET_QUALITY,
                  0,
                  [](DeviceSettings& s) { s.quality = 258; },
                  28,
                  {2}},
        WriteCase{"Finish", XU_SET_FINISH, 4, Nothing, 23, {0x00}},
        WriteCase{"AuxLevelUnchanged",
                  XU_SET_VOLUME_ITEM,
                  0,
                  [](DeviceSettings& s) { s.auxLevel = 6; },
                  21,
                  {0, 6}},
        WriteCase{"EarphoneOneLower",
                  XU_SET_VOLUME_ITEM,
                  1,
                  [](DeviceSettings& s) { s.earphoneLevel = 1; },
                  21,
                  {1, 0}},
        WriteCase{"EarphoneFromTwoFiftySix",
                  XU_SET_VOLUME_ITEM,
                  1,
                  [](DeviceSettings& s) { s.earphoneLevel = 256; },
                  21,
                  {1, 255}},
        WriteCase{"MicOneLower",
                  XU_SET_VOLUME_ITEM,
                  2,
                  [](DeviceSettings& s) { s.micLevel = 15; },
                  21,
                  {2, 14}},
        WriteCase{"MicZeroWraps",
                  XU_SET_VOLUME_ITEM,
                  2,
                  [](DeviceSettings& s) { s.micLevel = 0; },
                  21,
                  {2, 255}},
        WriteCase{
            "AuxMute", XU_SET_VOLUME_ITEM, 3, [](DeviceSettings& s) { s.auxMute = 1; }, 21, {3, 1}},
        WriteCase{"EarphoneMuteNotShifted",
                  XU_SET_VOLUME_ITEM,
                  4,
                  [](DeviceSettings& s) { s.earphoneMute = 1; },
                  21,
                  {4, 1}},
        WriteCase{"MicMuteNotShifted",
                  XU_SET_VOLUME_ITEM,
                  5,
                  [](DeviceSettings& s) { s.micMute = 0; },
                  21,
                  {5, 0}},
        WriteCase{"Brightness",
                  XU_SET_COLOR_ITEM,
                  0,
                  [](DeviceSettings& s) { s.brightness = 200; },
                  24,
                  {0, 200}},
        WriteCase{"Contrast",
                  XU_SET_COLOR_ITEM,
                  1,
                  [](DeviceSettings& s) { s.contrast = 1; },
                  24,
                  {1, 1}},
        WriteCase{
            "Hue", XU_SET_COLOR_ITEM, 2, [](DeviceSettings& s) { s.hue = 100; }, 24, {2, 100}},
        WriteCase{"SaturationLowByte",
                  XU_SET_COLOR_ITEM,
                  3,
                  [](DeviceSettings& s) { s.saturation = 300; },
                  24,
                  {3, 44}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each volume item takes its own field: a record with every field distinct shows a swap.
TEST(VolumeItemsTest, EachIndexSendsItsOwnField) {
    sim::VirtualCamera camera;
    TheDeviceSettings() = DeviceSettings{};
    TheDeviceSettings().filter = camera.CreateFilter();
    auto& s = TheDeviceSettings();
    s.auxLevel = 4, s.earphoneLevel = 20, s.micLevel = 9;
    s.auxMute = 1, s.earphoneMute = 0, s.micMute = 1;
    for (int item = 0; item < 6; ++item) EXPECT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, item), kOk);
    EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), kOk);
    const auto& volume = camera.firmware().registers().volume;
    EXPECT_EQ(Bytes(volume.begin(), volume.end()), (Bytes{4, 19, 8, 1, 0, 1}));
    TheDeviceSettings() = DeviceSettings{};
}

struct ReadCase {
    const char* name;
    int op;
    std::function<void(sim::FirmwareRegisters&)> reply;
    std::function<void(const DeviceSettings&, int value, const std::string& text)> check;
};

constexpr int kUntouchedValue = -12345;
const std::string kUntouchedText = "untouched";

void OtherRegister(sim::FirmwareRegisters& r, std::uint8_t selector, Bytes bytes) {
    r.others[selector] = std::move(bytes);
}

class ReadTest : public test::BoundCameraTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadTest, DecodesTheReply) {
    const ReadCase& c = GetParam();
    c.reply(camera.firmware().registers());
    int value = kUntouchedValue;
    std::string text = kUntouchedText;
    EXPECT_EQ(XuGetCommand(c.op, &value, &text), kOk);
    EXPECT_EQ(PropertyCalls().size(), 2u);
    c.check(TheDeviceSettings(), value, text);
}

void ExpectValue(int value, int expected, const std::string& text) {
    EXPECT_EQ(value, expected);
    EXPECT_EQ(text, kUntouchedText);
}

void ExpectOutputsUntouched(int value, const std::string& text) {
    EXPECT_EQ(value, kUntouchedValue);
    EXPECT_EQ(text, kUntouchedText);
}

ReadCase ByteRead(const char* name, int op, std::uint8_t selector) {
    return {name, op, [selector](auto& r) { OtherRegister(r, selector, {0xFE}); },
            [](const DeviceSettings&, int value, const std::string& text) {
                ExpectValue(value, 254, text);
            }};
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ReadTest,
    ::testing::Values(
        ReadCase{
            "Code2LeastSignificantFirst", 2,
            [](auto& r) {
                OtherRegister(r, 10, {0x02, 0x01, 0x00, 0x00});
            },
            [](const DeviceSettings&, int v, const std::string& t) { ExpectValue(v, 258, t); }},
        ReadCase{"Code2AllBytesDistinct", 2,
                 [](auto& r) {
                     OtherRegister(r, 10, {0x78, 0x56, 0x34, 0x12});
                 },
                 [](const DeviceSettings&, int v, const std::string& t) {
                     ExpectValue(v, 0x12345678, t);
                 }},
        ReadCase{
            "Code2HighByteNegative", 2,
            [](auto& r) {
                OtherRegister(r, 10, {0x00, 0x00, 0x00, 0x80});
            },
            [](const DeviceSettings&, int v, const std::string& t) { ExpectValue(v, INT_MIN, t); }},
        ReadCase{"Code2MinusOne", 2,
                 [](auto& r) {
                     OtherRegister(r, 10, {0xFF, 0xFF, 0xFF, 0xFF});
                 },
                 [](const DeviceSettings&, int v, const std::string& t) { ExpectValue(v, -1, t); }},
        ByteRead("Code4", 4, 11), ByteRead("Code6", 6, 12), ByteRead("Code8", 8, 13),
        ByteRead("Code11", 11, 15), ByteRead("Code12", 12, 16), ByteRead("Code14", 14, 18),
        ByteRead("Code15", 15, 19),
        ReadCase{"Code9TextToTheZero", 9,
                 [](auto& r) {
                     OtherRegister(r, 14, {'F', 'W', ' ', '1', 0, 'X', 'Y'});
                 },
                 [](const DeviceSettings&, int v, const std::string& t) {
                     EXPECT_EQ(v, kUntouchedValue);
                     EXPECT_EQ(t, "FW 1");
                 }},
        ReadCase{"Code9TextWithoutZero", 9,
                 [](auto& r) {
                     OtherRegister(r, 14, {'A', 0xE9, 'B'});
                 },
                 [](const DeviceSettings&, int v, const std::string& t) {
                     EXPECT_EQ(v, kUntouchedValue);
                     EXPECT_EQ(t, std::string("A\xE9"
                                              "B"));
                 }},
        ReadCase{"Code9LeadingZeroIsEmpty", 9,
                 [](auto& r) {
                     OtherRegister(r, 14, {0, 'A'});
                 },
                 [](const DeviceSettings&, int, const std::string& t) { EXPECT_EQ(t, ""); }},
        ReadCase{"Volume", XU_GET_VOLUME, [](auto& r) { r.volume = {3, 0, 14, 1, 0, 1}; },
                 [](const DeviceSettings& s, int v, const std::string& t) {
                     EXPECT_EQ(s.auxLevel, 3);
                     EXPECT_EQ(s.earphoneLevel, 1);
                     EXPECT_EQ(s.micLevel, 15);
                     EXPECT_EQ(s.auxMute, 1);
                     EXPECT_EQ(s.earphoneMute, 0);
                     EXPECT_EQ(s.micMute, 1);
                     ExpectOutputsUntouched(v, t);
                 }},
        ReadCase{"VolumeFullByteRange", XU_GET_VOLUME,
                 [](auto& r) { r.volume = {255, 255, 255, 255, 254, 253}; },
                 [](const DeviceSettings& s, int, const std::string&) {
                     EXPECT_EQ(s.auxLevel, 255);
                     EXPECT_EQ(s.earphoneLevel, 256);
                     EXPECT_EQ(s.micLevel, 256);
                     EXPECT_EQ(s.auxMute, 255);
                     EXPECT_EQ(s.earphoneMute, 254);
                     EXPECT_EQ(s.micMute, 253);
                 }},
        ReadCase{"Color", XU_GET_COLOR,
                 [](auto& r) {
                     r.color = {200, 0, 0, 0};
                 },
                 [](const DeviceSettings& s, int v, const std::string& t) {
                     EXPECT_EQ(s.brightness, 200);
                     EXPECT_EQ(s.contrast, 0);
                     EXPECT_EQ(s.hue, 0);
                     EXPECT_EQ(s.saturation, 0);
                     ExpectOutputsUntouched(v, t);
                 }},
        ReadCase{"ColorEachItsOwn", XU_GET_COLOR,
                 [](auto& r) {
                     r.color = {10, 20, 30, 240};
                 },
                 [](const DeviceSettings& s, int, const std::string&) {
                     EXPECT_EQ(s.brightness, 10);
                     EXPECT_EQ(s.contrast, 20);
                     EXPECT_EQ(s.hue, 30);
                     EXPECT_EQ(s.saturation, 240);
                 }},
        ReadCase{"Quality", XU_GET_QUALITY, [](auto& r) { r.quality = 3; },
                 [](const DeviceSettings& s, int v, const std::string& t) {
                     EXPECT_EQ(s.quality, 3);
                     ExpectOutputsUntouched(v, t);
                 }},
        ReadCase{
            "QualityUnsigned", XU_GET_QUALITY, [](auto& r) { r.quality = 0xF0; },
            [](const DeviceSettings& s, int, const std::string&) { EXPECT_EQ(s.quality, 240); }}),
    [](const auto& info) { return std::string(info.param.name); });

using CommandTest = test::BoundCameraTest;

TEST_F(CommandTest, EarphoneAt255ComesBackAs256AndGoesOutAs255) {
    camera.firmware().registers().volume[1] = 255;
    ASSERT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), kOk);
    EXPECT_EQ(TheDeviceSettings().earphoneLevel, 256);

    camera.ClearLog();
    ASSERT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, 1), kOk);
    ASSERT_EQ(PropertyCalls().size(), 1u);
    EXPECT_EQ(PropertyCalls()[0].dataIn, (Bytes{1, 255}));
}

TEST_F(CommandTest, RefusedCodesCauseNoTraffic) {
    for (int op : {0, -1, 24, 100, INT_MIN, INT_MAX}) {
        int value = kUntouchedValue;
        std::string text = kUntouchedText;
        EXPECT_EQ(XuSetCommand(op, 1), 1) << "code " << op;
        EXPECT_EQ(XuGetCommand(op, &value, &text), 1) << "code " << op;
        ExpectOutputsUntouched(value, text);
    }
    EXPECT_TRUE(camera.log().empty());
}

TEST_F(CommandTest, ReadCodesAreRefusedAsWritesWithoutTraffic) {
    for (int op : {2, 4, 6, 8, 9, 11, 12, 14, 15, 21, 22, 23}) {
        EXPECT_EQ(XuSetCommand(op, 1), 1) << "code " << op;
    }
    EXPECT_TRUE(camera.log().empty());
}

// Sets the record to values no reply would produce, so any store shows.
void MarkRecord(DeviceSettings& s) {
    s.year = 1901, s.month = 13, s.day = 32, s.hour = 25, s.minute = 61, s.second = 62;
    s.quality = -5;
    s.brightness = -6, s.contrast = -7, s.hue = -8, s.saturation = -9;
    s.auxLevel = -10, s.earphoneLevel = -11, s.micLevel = -12;
    s.auxMute = -13, s.earphoneMute = -14, s.micMute = -15;
}

void ExpectRecordMarked(const DeviceSettings& s) {
    DeviceSettings marked;
    MarkRecord(marked);
    EXPECT_EQ(s.year, marked.year);
    EXPECT_EQ(s.month, marked.month);
    EXPECT_EQ(s.day, marked.day);
    EXPECT_EQ(s.hour, marked.hour);
    EXPECT_EQ(s.minute, marked.minute);
    EXPECT_EQ(s.second, marked.second);
    EXPECT_EQ(s.quality, marked.quality);
    EXPECT_EQ(s.brightness, marked.brightness);
    EXPECT_EQ(s.contrast, marked.contrast);
    EXPECT_EQ(s.hue, marked.hue);
    EXPECT_EQ(s.saturation, marked.saturation);
    EXPECT_EQ(s.auxLevel, marked.auxLevel);
    EXPECT_EQ(s.earphoneLevel, marked.earphoneLevel);
    EXPECT_EQ(s.micLevel, marked.micLevel);
    EXPECT_EQ(s.auxMute, marked.auxMute);
    EXPECT_EQ(s.earphoneMute, marked.earphoneMute);
    EXPECT_EQ(s.micMute, marked.micMute);
}

// What the panels do: item writes then the closing write, and the start-up read back.
// Every value of every control's range must come back as it went out.
TEST_F(CommandTest, EveryLevelAndColourSurvivesWriteAndReadBack) {
    auto& s = TheDeviceSettings();
    for (int step = 0; step <= 100; ++step) {
        const std::pair<std::int32_t DeviceSettings::*, std::int32_t> values[] = {
            {&DeviceSettings::auxLevel, 1 + step % 6},
            {&DeviceSettings::earphoneLevel, 1 + step % 28},
            {&DeviceSettings::micLevel, 1 + step % 15},
            {&DeviceSettings::auxMute, step % 2},
            {&DeviceSettings::earphoneMute, (step / 2) % 2},
            {&DeviceSettings::micMute, (step / 4) % 2},
            {&DeviceSettings::brightness, step},
            {&DeviceSettings::contrast, 100 - step},
            {&DeviceSettings::hue, (step * 7) % 101},
            {&DeviceSettings::saturation, (step * 13) % 101},
            {&DeviceSettings::quality, 1 + step % 3},
        };
        for (const auto& [field, value] : values) s.*field = value;
        for (int item = 0; item < 6; ++item) ASSERT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, item), kOk);
        ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), kOk);
        for (int item = 0; item < 4; ++item) ASSERT_EQ(XuSetCommand(XU_SET_COLOR_ITEM, item), kOk);
        ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), kOk);
        ASSERT_EQ(XuSetCommand(XU_SET_QUALITY, 0), kOk);

        MarkRecord(s);
        ASSERT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), kOk);
        ASSERT_EQ(XuGetCommand(XU_GET_COLOR, nullptr, nullptr), kOk);
        ASSERT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), kOk);
        for (const auto& [field, value] : values) EXPECT_EQ(s.*field, value) << "step " << step;
        camera.ClearLog();
    }
}

TEST_F(CommandTest, ItemWritesWithoutTheClosingWriteDontShowYet) {
    camera.firmware().registers().volume = {2, 5, 5, 0, 0, 0};
    TheDeviceSettings().earphoneLevel = 20;
    ASSERT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, 1), kOk);
    ASSERT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), kOk);
    EXPECT_EQ(TheDeviceSettings().earphoneLevel, 6);
    ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), kOk);
    ASSERT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), kOk);
    EXPECT_EQ(TheDeviceSettings().earphoneLevel, 20);
}

TEST_F(CommandTest, WriteCodesAsReadsCostOneReadAndStoreNothing) {
    camera.firmware().registers().quality = 3;  // so code 17's read of selector 28 has a reply
    for (int op : {1, 3, 5, 7, 10, 13, 16, 17, 18, 19, 20}) {
        camera.ClearLog();
        MarkRecord(TheDeviceSettings());
        int value = kUntouchedValue;
        std::string text = kUntouchedText;
        std::uint8_t selector = 0;
        ASSERT_TRUE(XuSelectorForOp(op, &selector));

        EXPECT_EQ(XuGetCommand(op, &value, &text), 1) << "code " << op;
        const auto calls = PropertyCalls();
        ASSERT_EQ(calls.size(), 2u) << "code " << op;  // the probe and the read
        for (const auto& call : calls) {
            EXPECT_EQ(Selector(call), selector) << "code " << op;
            EXPECT_EQ(Flags(call), 0x10000001u) << "code " << op;
        }
        ExpectOutputsUntouched(value, text);
        ExpectRecordMarked(TheDeviceSettings());
    }
}

TEST_F(CommandTest, ItemIndexOutsideTheTableIsRefusedWithoutTraffic) {
    MarkRecord(TheDeviceSettings());
    for (int index : {-1, 6, 256, INT_MIN, INT_MAX}) {
        EXPECT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, index), 1) << "index " << index;
    }
    for (int index : {-1, 4, 256, INT_MIN, INT_MAX}) {
        EXPECT_EQ(XuSetCommand(XU_SET_COLOR_ITEM, index), 1) << "index " << index;
    }
    EXPECT_TRUE(camera.log().empty());
}

TEST_F(CommandTest, TransportFailureIsReturnedUnchanged) {
    camera.faults().unplugged = true;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), kDeviceNotConnected);
    EXPECT_EQ(XuGetCommand(XU_GET_COLOR, nullptr, nullptr), kDeviceNotConnected);
    camera.faults().unplugged = false;
    camera.faults().failCallNumber = static_cast<int>(camera.log().size()) + 8;  // the write
    camera.faults().failResult = kAccessDenied;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), kAccessDenied);
}

// The probe went through but the read itself failed: the record must keep what it held
// rather than take the zeros of an empty buffer (levels 0, mutes 0).
TEST_F(CommandTest, FailedReadAfterAGoodProbeLeavesTheRecordAlone) {
    TheDeviceSettings().auxLevel = 4;
    TheDeviceSettings().earphoneLevel = 12;
    TheDeviceSettings().micLevel = 9;
    TheDeviceSettings().micMute = 1;
    // A read is 9 calls: topology, count, four node types, control, probe, read.
    camera.faults().failCallNumber = static_cast<int>(camera.log().size()) + 9;
    camera.faults().failResult = kGenFailure;
    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), kGenFailure);
    EXPECT_EQ(TheDeviceSettings().auxLevel, 4);
    EXPECT_EQ(TheDeviceSettings().earphoneLevel, 12);
    EXPECT_EQ(TheDeviceSettings().micLevel, 9);
    EXPECT_EQ(TheDeviceSettings().micMute, 1);
}

struct ShortReplyCase {
    const char* name;
    int op;
    std::uint8_t selector;
    std::uint32_t length;
    std::function<void(const DeviceSettings&, int value, const std::string& text)> check;
};

class ShortReplyTest : public test::BoundCameraTest,
                       public ::testing::WithParamInterface<ShortReplyCase> {};

// Only fields whose bytes all arrived are stored; the rest keep what they held.
TEST_P(ShortReplyTest, SetsOnlyTheFieldsItsBytesCover) {
    const ShortReplyCase& c = GetParam();
    auto& registers = camera.firmware().registers();
    registers.volume = {5, 20, 10, 1, 1, 1};
    registers.color = {11, 22, 33, 44};
    registers.quality = 3;
    registers.others[10] = {1, 2, 3, 4};
    registers.others[11] = {77};
    registers.others[14] = {'V', '1', '.', '0', 0};
    camera.faults().shortReply[c.selector] = c.length;
    MarkRecord(TheDeviceSettings());

    int value = kUntouchedValue;
    std::string text = kUntouchedText;
    EXPECT_EQ(XuGetCommand(c.op, &value, &text), kOk);
    c.check(TheDeviceSettings(), value, text);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ShortReplyTest,
    ::testing::Values(ShortReplyCase{"VolumeThreeBytes", XU_GET_VOLUME, 22, 3,
                                     [](const DeviceSettings& s, int, const std::string&) {
                                         EXPECT_EQ(s.auxLevel, 5);
                                         EXPECT_EQ(s.earphoneLevel, 21);
                                         EXPECT_EQ(s.micLevel, 11);
                                         EXPECT_EQ(s.auxMute, -13);
                                         EXPECT_EQ(s.earphoneMute, -14);
                                         EXPECT_EQ(s.micMute, -15);
                                     }},
                      ShortReplyCase{"VolumeNothing", XU_GET_VOLUME, 22, 0,
                                     [](const DeviceSettings& s, int, const std::string&) {
                                         ExpectRecordMarked(s);
                                     }},
                      ShortReplyCase{"ColorOneByte", XU_GET_COLOR, 25, 1,
                                     [](const DeviceSettings& s, int, const std::string&) {
                                         EXPECT_EQ(s.brightness, 11);
                                         EXPECT_EQ(s.contrast, -7);
                                         EXPECT_EQ(s.hue, -8);
                                         EXPECT_EQ(s.saturation, -9);
                                     }},
                      ShortReplyCase{"QualityNothing", XU_GET_QUALITY, 28, 0,
                                     [](const DeviceSettings& s, int, const std::string&) {
                                         EXPECT_EQ(s.quality, -5);
                                     }},
                      ShortReplyCase{"QualityLongerThanItsLayout", XU_GET_QUALITY, 28, 5,
                                     [](const DeviceSettings& s, int, const std::string&) {
                                         EXPECT_EQ(s.quality, 3);
                                         EXPECT_EQ(s.brightness, -6);
                                     }},
                      ShortReplyCase{"Code2ThreeBytesLeavesValue", 2, 10, 3,
                                     [](const DeviceSettings&, int v, const std::string&) {
                                         EXPECT_EQ(v, kUntouchedValue);
                                     }},
                      ShortReplyCase{"Code4Nothing", 4, 11, 0,
                                     [](const DeviceSettings&, int v, const std::string&) {
                                         EXPECT_EQ(v, kUntouchedValue);
                                     }},
                      ShortReplyCase{"Code9CutText", 9, 14, 2,
                                     [](const DeviceSettings&, int, const std::string& t) {
                                         EXPECT_EQ(t, "V1");
                                     }},
                      ShortReplyCase{"Code9NothingLeavesText", 9, 14, 0,
                                     [](const DeviceSettings&, int, const std::string& t) {
                                         EXPECT_EQ(t, kUntouchedText);
                                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandTest, ProbeThatReportsNothingStoresNothing) {
    camera.faults().probeReportsNothing = true;
    MarkRecord(TheDeviceSettings());
    int value = kUntouchedValue;
    EXPECT_TRUE(Failed(XuGetCommand(XU_GET_VOLUME, &value, nullptr)));
    EXPECT_TRUE(Failed(XuGetCommand(4, &value, nullptr)));
    ExpectRecordMarked(TheDeviceSettings());
    EXPECT_EQ(value, kUntouchedValue);
}

TEST(CommandWithoutFilterTest, FailsAndStoresNothing) {
    TheDeviceSettings() = DeviceSettings{};
    MarkRecord(TheDeviceSettings());
    int value = kUntouchedValue;
    std::string text = kUntouchedText;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), kPointer);
    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, &value, &text), kPointer);
    EXPECT_EQ(XuGetCommand(9, &value, &text), kPointer);
    EXPECT_EQ(XuGetCommand(2, &value, &text), kPointer);
    // Refused codes stay refused, filter or not.
    EXPECT_EQ(XuSetCommand(0, 0), 1);
    EXPECT_EQ(XuSetCommand(XU_GET_VOLUME, 0), 1);
    EXPECT_EQ(XuGetCommand(XU_SET_QUALITY, &value, &text), 1);
    ExpectRecordMarked(TheDeviceSettings());
    ExpectOutputsUntouched(value, text);
    TheDeviceSettings() = DeviceSettings{};
}

}  // namespace
}  // namespace tamsel
