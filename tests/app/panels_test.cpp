// The four panels against the virtual camera: what each shows after start-up, and the
// exact writes each Set button sends (the camera's log is the oracle for the wire).

#include <string>
#include <vector>

#include "tests/app/dialog_fixture.h"

namespace tamsel::test {
namespace {

using Lines = std::vector<std::string>;

class PanelTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        WriteDeviceIni("Cam X", "4");
    }
    // Opens the dialog and forgets the start-up reads, so only the buttons' traffic is left.
    ui::HeadlessWindow& OpenWithCameraAt(int quality, std::array<std::uint8_t, 4> color,
                                         std::array<std::uint8_t, 6> volume) {
        sim::FirmwareRegisters& registers = camera.firmware().registers();
        registers.quality = static_cast<std::uint8_t>(quality);
        registers.color = color;
        registers.volume = volume;
        ui::HeadlessWindow& window = Open();
        camera.ClearLog();
        return window;
    }
    ui::HeadlessWindow& OpenWithCamera() {
        return OpenWithCameraAt(2, {50, 40, 0, 100}, {3, 0, 14, 1, 0, 1});
    }
};

// --- Date and time --------------------------------------------------------------------

TEST_F(PanelTest, ClockShowsLocalTimeWithoutLeadingZeros) {
    ui::HeadlessWindow& window = OpenWithCamera();
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"2019/6/10 9:5:3");
    EXPECT_TRUE(window.TimerRunning(0));
    EXPECT_EQ(window.FontOf(ui::IDC_TIME), L"Arial 40");
}

TEST_F(PanelTest, SetDateAndTimeSendsTheTimeShownWithoutAClosingWrite) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    EXPECT_EQ(Writes(), (Lines{"29: 19 6 10 9 5 3"}));
    EXPECT_EQ(TheDeviceSettings().lastResult, 0);
}

TEST_F(PanelTest, SetDateAndTimeSendsTheLatestTickNotAFreshReading) {
    ui::HeadlessWindow& window = OpenWithCamera();
    clock.time.second = 4;  // the clock moved on, but no tick has come yet
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    ASSERT_TRUE(window.FireTimer(0));
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"2019/6/10 9:5:4");
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    EXPECT_EQ(Writes(), (Lines{"29: 19 6 10 9 5 3", "29: 19 6 10 9 5 4"}));
}

// The failure markers would reach the camera as 48 0 0 255 255 255 (month 0, hour 255):
// the button refuses instead, until a tick reads the time again.
TEST_F(PanelTest, ClockFailureShowsItsMarkersAndSendsNothingUntilTheClockRecovers) {
    clock.fails = true;
    ui::HeadlessWindow& window = OpenWithCamera();
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"0/0/0 -1:-1:-1");
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    EXPECT_EQ(Writes(), Lines{});
    EXPECT_EQ(TheDeviceSettings().lastResult, kInvalidArgument);

    clock.fails = false;
    ASSERT_TRUE(window.FireTimer(0));
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    EXPECT_EQ(Writes(), (Lines{"29: 19 6 10 9 5 3"}));
    EXPECT_EQ(TheDeviceSettings().lastResult, 0);
}

TEST_F(PanelTest, FailedWriteIsStoredAndNotShown) {
    ui::HeadlessWindow& window = OpenWithCamera();
    camera.faults().unplugged = true;
    ASSERT_TRUE(window.Press(ui::IDC_SET_TIME));
    EXPECT_EQ(TheDeviceSettings().lastResult, kDeviceNotConnected);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_FALSE(window.Ended());
}

// --- Quality --------------------------------------------------------------------------

struct QualityCase {
    const char* name;
    int cameraQuality;
    int high, standard, low;  // check states shown
};

void PrintTo(const QualityCase& c, std::ostream* out) {
    *out << c.name;
}

const QualityCase kQualityCases[] = {
    {"High", 3, 1, 0, 0},        {"Standard", 2, 0, 1, 0},     {"Low", 1, 0, 0, 1},
    {"UnknownZero", 0, 0, 0, 0}, {"UnknownSeven", 7, 0, 0, 0},
};

class QualityTest : public PanelTest, public ::testing::WithParamInterface<QualityCase> {};

TEST_P(QualityTest, ShownAndSentBackUnchanged) {
    const QualityCase& c = GetParam();
    ui::HeadlessWindow& window =
        OpenWithCameraAt(c.cameraQuality, {0, 0, 0, 0}, {1, 0, 0, 0, 0, 0});
    EXPECT_EQ(window.CheckOf(ui::IDC_QUALITY_HIGH), c.high);
    EXPECT_EQ(window.CheckOf(ui::IDC_QUALITY_STANDARD), c.standard);
    EXPECT_EQ(window.CheckOf(ui::IDC_QUALITY_LOW), c.low);

    ASSERT_TRUE(window.Press(ui::IDC_SET_QUALITY));
    EXPECT_EQ(Writes(), (Lines{"28: " + std::to_string(c.cameraQuality), "23: 0"}));
    EXPECT_EQ(camera.firmware().registers().quality, c.cameraQuality);
}

INSTANTIATE_TEST_SUITE_P(Panels, QualityTest, ::testing::ValuesIn(kQualityCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, ChoosingHighSendsThreeThenTheClosingWrite) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.Press(ui::IDC_QUALITY_HIGH));
    EXPECT_EQ(window.CheckOf(ui::IDC_QUALITY_STANDARD), 0);
    EXPECT_EQ(TheDeviceSettings().quality, 2);  // only Set Quality changes the record
    ASSERT_TRUE(window.Press(ui::IDC_SET_QUALITY));
    EXPECT_EQ(Writes(), (Lines{"28: 3", "23: 0"}));
    EXPECT_EQ(TheDeviceSettings().quality, 3);
}

TEST_F(PanelTest, QualityClosingWriteGoesOutAfterAFailedFirstWrite) {
    ui::HeadlessWindow& window = OpenWithCamera();
    camera.faults().failCallNumber = 1;  // the first write's topology query
    ASSERT_TRUE(window.Press(ui::IDC_SET_QUALITY));
    EXPECT_EQ(Writes(), (Lines{"23: 0"}));
    EXPECT_EQ(TheDeviceSettings().lastResult, 0);
}

// --- Colour ---------------------------------------------------------------------------

TEST_F(PanelTest, ColourValuesShownOnTrackbarsAndEdits) {
    ui::HeadlessWindow& window = OpenWithCamera();
    const int sliders[] = {ui::IDC_SLIDER_BRIGHTNESS, ui::IDC_SLIDER_CONTRAST, ui::IDC_SLIDER_HUE,
                           ui::IDC_SLIDER_SATURATION};
    const int edits[] = {ui::IDC_EDIT_BRIGHTNESS, ui::IDC_EDIT_CONTRAST, ui::IDC_EDIT_HUE,
                         ui::IDC_EDIT_SATURATION};
    const int values[] = {50, 40, 0, 100};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(window.TrackbarMinOf(sliders[i]), 0);
        EXPECT_EQ(window.TrackbarMaxOf(sliders[i]), 100);
        EXPECT_EQ(window.TrackbarPosOf(sliders[i]), values[i]);
        EXPECT_EQ(window.TextOf(edits[i]), std::to_wstring(values[i]));
    }
}

TEST_F(PanelTest, SetColorSendsFourItemsThenTheClosingWrite) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_HUE, 30));
    EXPECT_TRUE(Writes().empty());  // moving never talks to the camera
    ASSERT_TRUE(window.Press(ui::IDC_SET_COLOR));
    EXPECT_EQ(Writes(), (Lines{"24: 0 50", "24: 1 40", "24: 2 30", "24: 3 100", "23: 0"}));
    EXPECT_EQ(camera.firmware().registers().color, (std::array<std::uint8_t, 4>{50, 40, 30, 100}));
    EXPECT_EQ(camera.firmware().PendingItemWrites(), 0u);
}

TEST_F(PanelTest, ColourAboveTheRangeStaysInTextAndFieldUntilTheTrackbarSpeaks) {
    ui::HeadlessWindow& window = OpenWithCameraAt(2, {120, 40, 0, 100}, {1, 0, 0, 0, 0, 0});
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_BRIGHTNESS), 100);
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_BRIGHTNESS), L"120");
    EXPECT_EQ(TheDeviceSettings().brightness, 120);

    ASSERT_TRUE(window.Press(ui::IDC_SET_COLOR));
    EXPECT_EQ(Writes().front(), "24: 0 120");

    // Any notification re-reads the position: the end of a keyboard move will do.
    ASSERT_TRUE(window.ScrollFrom(ui::IDC_SLIDER_BRIGHTNESS, ui::kTbEndTrack));
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_BRIGHTNESS), L"100");
    EXPECT_EQ(TheDeviceSettings().brightness, 100);
}

TEST_F(PanelTest, ColourItemWritesGoOnAfterAFailedOne) {
    ui::HeadlessWindow& window = OpenWithCamera();
    camera.faults().failCallNumber = 1;
    ASSERT_TRUE(window.Press(ui::IDC_SET_COLOR));
    EXPECT_EQ(Writes(), (Lines{"24: 1 40", "24: 2 0", "24: 3 100", "23: 0"}));
    EXPECT_EQ(TheDeviceSettings().lastResult, 0);  // only the closing write's result stays
}

TEST_F(PanelTest, DraggingUpdatesTheEditAtEveryStepAndTheFieldLast) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_BRIGHTNESS, 10));
    for (int position = 11; position <= 55; ++position) {
        ASSERT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_BRIGHTNESS, position));
        ASSERT_EQ(window.TextOf(ui::IDC_EDIT_BRIGHTNESS), std::to_wstring(position));
    }
    ASSERT_TRUE(window.ScrollFrom(ui::IDC_SLIDER_BRIGHTNESS, ui::kTbEndTrack));
    EXPECT_EQ(TheDeviceSettings().brightness, 55);
    EXPECT_TRUE(camera.log().empty());
}

// --- Volume ---------------------------------------------------------------------------

TEST_F(PanelTest, VolumeReplyShownWithLevelsOneHigherForEarphoneAndMic) {
    ui::HeadlessWindow& window = OpenWithCamera();
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_AUX), 3);
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_EARPHONE), 1);
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_MIC), 15);
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_AUX), L"3");
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_EARPHONE), L"1");
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_MIC), L"15");
    EXPECT_EQ(window.CheckOf(ui::IDC_MUTE_AUX), 1);
    EXPECT_EQ(window.CheckOf(ui::IDC_MUTE_EARPHONE), 0);
    EXPECT_EQ(window.CheckOf(ui::IDC_MUTE_MIC), 1);
    EXPECT_EQ(window.TrackbarMaxOf(ui::IDC_SLIDER_AUX), 6);
    EXPECT_EQ(window.TrackbarMaxOf(ui::IDC_SLIDER_EARPHONE), 28);
    EXPECT_EQ(window.TrackbarMaxOf(ui::IDC_SLIDER_MIC), 15);
}

TEST_F(PanelTest, SetVolumeSendsAllSixItemsThenTheClosingWrite) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.Press(ui::IDC_SET_VOLUME));
    EXPECT_EQ(Writes(),
              (Lines{"21: 0 3", "21: 1 0", "21: 2 14", "21: 3 1", "21: 4 0", "21: 5 1", "23: 0"}));
    EXPECT_EQ(camera.firmware().PendingItemWrites(), 0u);
}

TEST_F(PanelTest, SetVolumeSendsTheMovedLevelOneLowerAndTheBoxesAsTheyStand) {
    ui::HeadlessWindow& window = OpenWithCamera();
    ASSERT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_EARPHONE, 12));
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_EARPHONE), L"12");
    EXPECT_EQ(TheDeviceSettings().earphoneLevel, 12);
    EXPECT_TRUE(camera.log().empty());
    ASSERT_TRUE(window.Press(ui::IDC_MUTE_AUX));       // 1 -> 0
    ASSERT_TRUE(window.Press(ui::IDC_MUTE_EARPHONE));  // 0 -> 1
    ASSERT_TRUE(window.Press(ui::IDC_SET_VOLUME));
    EXPECT_EQ(Writes(),
              (Lines{"21: 0 3", "21: 1 11", "21: 2 14", "21: 3 0", "21: 4 1", "21: 5 1", "23: 0"}));
    EXPECT_EQ(camera.firmware().registers().volume,
              (std::array<std::uint8_t, 6>{3, 11, 14, 0, 1, 1}));
}

TEST_F(PanelTest, AuxAboveTheRangeIsSentBackUntilTheTrackbarSpeaks) {
    ui::HeadlessWindow& window = OpenWithCameraAt(2, {0, 0, 0, 0}, {9, 0, 0, 0, 0, 0});
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_AUX), 6);
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_AUX), L"9");
    ASSERT_TRUE(window.Press(ui::IDC_SET_VOLUME));
    EXPECT_EQ(Writes().front(), "21: 0 9");
    ASSERT_TRUE(window.ScrollFrom(ui::IDC_SLIDER_AUX, ui::kTbThumbPosition));
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_AUX), L"6");
    EXPECT_EQ(TheDeviceSettings().auxLevel, 6);
}

TEST_F(PanelTest, MuteStateOtherThanCheckedIsSentAsNotMuted) {
    ui::HeadlessWindow& window = OpenWithCameraAt(2, {0, 0, 0, 0}, {1, 0, 0, 2, 0, 0});
    EXPECT_EQ(window.CheckOf(ui::IDC_MUTE_AUX), 2);  // handed to the box unchanged
    ASSERT_TRUE(window.Press(ui::IDC_SET_VOLUME));
    EXPECT_EQ(Writes().at(3), "21: 3 0");
    EXPECT_EQ(TheDeviceSettings().auxMute, 0);
}

TEST_F(PanelTest, MovingAnySliderUpdatesItsOwnTextAndFieldOnly) {
    struct Row {
        int slider, edit, position;
        std::int32_t DeviceSettings::*field;
    };
    const Row rows[] = {
        {ui::IDC_SLIDER_BRIGHTNESS, ui::IDC_EDIT_BRIGHTNESS, 11, &DeviceSettings::brightness},
        {ui::IDC_SLIDER_CONTRAST, ui::IDC_EDIT_CONTRAST, 12, &DeviceSettings::contrast},
        {ui::IDC_SLIDER_HUE, ui::IDC_EDIT_HUE, 13, &DeviceSettings::hue},
        {ui::IDC_SLIDER_SATURATION, ui::IDC_EDIT_SATURATION, 14, &DeviceSettings::saturation},
        {ui::IDC_SLIDER_AUX, ui::IDC_EDIT_AUX, 5, &DeviceSettings::auxLevel},
        {ui::IDC_SLIDER_EARPHONE, ui::IDC_EDIT_EARPHONE, 16, &DeviceSettings::earphoneLevel},
        {ui::IDC_SLIDER_MIC, ui::IDC_EDIT_MIC, 7, &DeviceSettings::micLevel},
    };
    ui::HeadlessWindow& window = OpenWithCamera();
    for (const Row& row : rows) {
        const DeviceSettings before = [] {
            DeviceSettings copy;
            const DeviceSettings& s = TheDeviceSettings();
            for (auto field :
                 {&DeviceSettings::brightness, &DeviceSettings::contrast, &DeviceSettings::hue,
                  &DeviceSettings::saturation, &DeviceSettings::auxLevel,
                  &DeviceSettings::earphoneLevel, &DeviceSettings::micLevel}) {
                copy.*field = s.*field;
            }
            return copy;
        }();
        ASSERT_TRUE(window.MoveTrackbar(row.slider, row.position));
        EXPECT_EQ(window.TextOf(row.edit), std::to_wstring(row.position)) << row.slider;
        EXPECT_EQ(TheDeviceSettings().*row.field, row.position) << row.slider;
        for (const Row& other : rows) {
            if (other.slider == row.slider) continue;
            EXPECT_EQ(TheDeviceSettings().*other.field, before.*other.field) << row.slider;
        }
    }
    EXPECT_TRUE(camera.log().empty());
}

// --- Without a camera -----------------------------------------------------------------

TEST_F(PanelTest, WithoutACameraNothingCanBeSentButEverythingElseMoves) {
    WriteDeviceIni("Cam Y", "4");
    ui::HeadlessWindow& window = Open();
    camera.ClearLog();

    for (int id : {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
        EXPECT_FALSE(window.Press(id)) << id;
    }
    // Initial record: quality Low, colours 0, levels 0 on trackbars that stop at 1.
    EXPECT_EQ(window.CheckOf(ui::IDC_QUALITY_LOW), 1);
    EXPECT_EQ(window.TrackbarPosOf(ui::IDC_SLIDER_BRIGHTNESS), 0);
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_BRIGHTNESS), L"0");
    for (int id : {ui::IDC_SLIDER_AUX, ui::IDC_SLIDER_EARPHONE, ui::IDC_SLIDER_MIC}) {
        EXPECT_EQ(window.TrackbarPosOf(id), 1) << id;
    }
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_AUX), L"0");

    EXPECT_TRUE(window.Press(ui::IDC_QUALITY_HIGH));
    EXPECT_TRUE(window.Press(ui::IDC_MUTE_MIC));
    EXPECT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_MIC, 9));
    EXPECT_EQ(window.TextOf(ui::IDC_EDIT_MIC), L"9");
    EXPECT_TRUE(window.FireTimer(0));
    EXPECT_TRUE(camera.log().empty());
}

}  // namespace
}  // namespace tamsel::test
