// The main dialog's messages as a whole: the system menu and the About box, painting
// while minimised, the drag icon, closing, Enter and Escape, scroll messages from other
// controls, ticks during the not-found message, and the application object.

#include <string>
#include <vector>

#include "tests/app/dialog_fixture.h"

namespace tamsel::test {
namespace {

class MessageTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        WriteDeviceIni("Cam X", "4");
    }
};

TEST_F(MessageTest, AboutItemSitsBelowASeparatorAtTheEndOfTheSystemMenu) {
    ui::HeadlessWindow& window = Open();
    ASSERT_EQ(window.SystemMenu().size(), 2u);
    EXPECT_TRUE(window.SystemMenu()[0].separator);
    EXPECT_EQ(window.SystemMenu()[1].commandId, 0x0010u);
    EXPECT_EQ(window.SystemMenu()[1].text, L"&About Tamsel...");
}

TEST_F(MessageTest, NoAboutItemWithoutSystemMenuOrString) {
    host.withoutSystemMenu = true;
    EXPECT_TRUE(Open().SystemMenu().empty());

    host.withoutSystemMenu = false;
    host.Strings().erase(ui::IDS_ABOUTBOX);
    TheDeviceSettings() = DeviceSettings{};
    EXPECT_TRUE(Open().SystemMenu().empty());
}

TEST_F(MessageTest, AboutBoxShowsTheVersionAndClosesWithOk) {
    ui::HeadlessWindow& window = Open();
    std::wstring shown;
    host.QueueModalScript([&](ui::HeadlessWindow& about) {
        shown = about.TextOf(ui::IDC_ABOUT_VERSION);
        EXPECT_FALSE(window.Press(ui::IDC_SET_TIME));  // the owner waits under the box
        EXPECT_TRUE(about.Press(ui::IDOK));
    });
    ASSERT_TRUE(window.ChooseSystemMenuItem(L"&About Tamsel..."));

    EXPECT_EQ(shown, L"ver: 1.2.0");
    EXPECT_EQ(window.TextOf(ui::IDC_VERSION), L"ver: 1.2.0");
    const ui::HeadlessWindow* about = host.FindWindow(ui::IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Result(), ui::IDOK);
    EXPECT_FALSE(window.Ended());
}

struct VersionCase {
    const char* name;
    bool readable;
    std::uint32_t mostSignificant, leastSignificant;
    const wchar_t* text;
    int revision;
};

void PrintTo(const VersionCase& c, std::ostream* out) {
    *out << c.name;
}

const VersionCase kVersionCases[] = {
    {"FromTheResource", true, 0x00010002, 0x00000000, L"ver: 1.2.0", 0},
    {"FourthNumberNeverShown", true, 0x00030004, 0x00050006, L"ver: 3.4.5", 6},
    {"HighWordsAreFirst", true, 0xFFFF0000, 0x00010000, L"ver: 65535.0.1", 0},
    {"Unreadable", false, 0x00090009, 0x00090009, L"ver: 1.0.0", 0},
};

class VersionTest : public MessageTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, LabelAndAboutBoxAgree) {
    version.readable = GetParam().readable;
    version.mostSignificant = GetParam().mostSignificant;
    version.leastSignificant = GetParam().leastSignificant;
    ui::HeadlessWindow& window = Open();
    std::wstring inAbout;
    host.QueueModalScript(
        [&](ui::HeadlessWindow& about) { inAbout = about.TextOf(ui::IDC_ABOUT_VERSION); });
    ASSERT_TRUE(window.ChooseSystemCommand(0x0010));

    EXPECT_EQ(window.TextOf(ui::IDC_VERSION), GetParam().text);
    EXPECT_EQ(inAbout, GetParam().text);
    EXPECT_EQ(TheDeviceSettings().versionRevision, GetParam().revision);
}

INSTANTIATE_TEST_SUITE_P(Messages, VersionTest, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageTest, SystemCommandsCompareWithoutTheirLowFourBits) {
    struct Case {
        unsigned command;
        bool opensAbout;
        bool endsDialog;
    };
    const Case cases[] = {
        {0x0010, true, false},  {0x0013, true, false},       {0x001F, true, false},
        {0x0020, false, false}, {ui::kScMove, false, false}, {ui::kScClose, false, true},
    };
    for (const Case& c : cases) {
        TheDeviceSettings() = DeviceSettings{};
        ui::HeadlessWindow& window = Open();
        const std::size_t windowsBefore = host.Windows().size();
        ASSERT_TRUE(window.ChooseSystemCommand(c.command));
        EXPECT_EQ(host.Windows().size() > windowsBefore, c.opensAbout) << c.command;
        EXPECT_EQ(window.Ended(), c.endsDialog) << c.command;
        if (c.endsDialog) {
            EXPECT_EQ(window.Result(), ui::IDCANCEL);
        }
    }
}

TEST_F(MessageTest, ClockKeepsRunningWhileTheAboutBoxIsOpen) {
    ui::HeadlessWindow& window = Open();
    host.QueueModalScript([&](ui::HeadlessWindow&) {
        clock.time.minute = 6;
        EXPECT_TRUE(window.FireTimer(0));
    });
    ASSERT_TRUE(window.ChooseSystemCommand(0x0010));
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"2019/6/10 9:6:3");
}

TEST_F(MessageTest, ClockTicksWhileTheNotFoundMessageIsOpen) {
    WriteDeviceIni("Cam Y", "4");
    host.SetMessageBoxAnswer([&](ui::HeadlessWindow& owner, const ui::HeadlessMessageBox&) {
        clock.time.second = 9;
        EXPECT_TRUE(owner.FireTimer(0));
        return ui::IDOK;
    });
    ui::HeadlessWindow& window = Open();
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"2019/6/10 9:5:9");
}

TEST_F(MessageTest, MinimisedDialogPaintsItsIconCentred) {
    ui::HeadlessWindow& window = Open();
    window.SetMinimised(true);
    host.ClearOperations();
    ASSERT_TRUE(window.Paint());
    // Client area 437 x 582, icon 32 x 32.
    EXPECT_EQ(host.Operations(),
              (std::vector<std::string>{"102 <- Paint", "102 IsIconic -> 1", "102 BeginPaint",
                                        "102 <- IconEraseBackground", "102 DrawIcon 128 at 203,275",
                                        "102 EndPaint"}));

    window.SetMinimised(false);
    host.ClearOperations();
    ASSERT_TRUE(window.Paint());
    EXPECT_EQ(host.Operations(), (std::vector<std::string>{"102 <- Paint", "102 IsIconic -> 0",
                                                           "102 DefaultHandler Paint"}));
}

TEST_F(MessageTest, DragIconIsTheDialogsIcon) {
    EXPECT_EQ(Open().QueryDragIcon(), ui::IDR_MAINFRAME);
}

TEST_F(MessageTest, CloseButtonEndsTheDialogWithCancel) {
    ui::HeadlessWindow& window = Open();
    ASSERT_TRUE(window.Close());
    EXPECT_TRUE(window.Ended());
    EXPECT_EQ(window.Result(), ui::IDCANCEL);
}

TEST_F(MessageTest, EscapeEndsTheDialogWithCancel) {
    ui::HeadlessWindow& window = Open();
    ASSERT_TRUE(window.PressEscape());
    EXPECT_EQ(window.Result(), ui::IDCANCEL);
}

TEST_F(MessageTest, EnterRightAfterStartPressesSetDateAndTime) {
    ui::HeadlessWindow& window = Open();
    camera.ClearLog();
    EXPECT_EQ(window.FocusId(), ui::IDC_SET_TIME);
    ASSERT_TRUE(window.PressEnter());
    EXPECT_FALSE(window.Ended());
    EXPECT_EQ(Writes(), (std::vector<std::string>{"29: 19 6 10 9 5 3"}));
}

TEST_F(MessageTest, EnterWithoutACameraReadsTheEditsBackAndEnds) {
    WriteDeviceIni("Cam Y", "4");
    ui::HeadlessWindow& window = Open();
    EXPECT_EQ(window.FocusId(), ui::IDC_SLIDER_BRIGHTNESS);
    host.ClearOperations();
    ASSERT_TRUE(window.PressEnter());
    EXPECT_TRUE(window.Ended());
    EXPECT_EQ(window.Result(), ui::IDOK);
    std::vector<std::string> reads;
    for (const std::string& line : host.Operations()) {
        if (line.starts_with("102 GetItemText")) reads.push_back(line.substr(16, 4));
    }
    EXPECT_EQ(reads,
              (std::vector<std::string>{"1008", "1014", "1015", "1016", "1019", "1020", "1021"}));
}

TEST_F(MessageTest, ScrollFromAnotherControlGetsDefaultHandlingThenAPush) {
    ui::HeadlessWindow& window = Open();
    ASSERT_TRUE(window.MoveTrackbar(ui::IDC_SLIDER_HUE, 33));
    host.ClearOperations();
    const DeviceSettings& settings = TheDeviceSettings();
    const int hueBefore = settings.hue;
    ASSERT_TRUE(window.ScrollFrom(0, ui::kTbThumbTrack));
    const auto& ops = host.Operations();
    ASSERT_GE(ops.size(), 9u);
    EXPECT_EQ(ops[1], "102 DefaultHandler HScroll from 0 code 5");
    EXPECT_EQ(ops[2], "102 SetItemText 1008 \"50\"");
    EXPECT_EQ(ops[4], "102 SetItemText 1015 \"33\"");
    EXPECT_EQ(settings.hue, hueBefore);
}

TEST_F(MessageTest, ApplicationRunsTheDialogModallyAndReturnsFalse) {
    CTamselApp app(services);
    bool pressed = false;
    host.QueueModalScript([&](ui::HeadlessWindow& window) {
        EXPECT_EQ(window.TemplateId(), ui::IDD_TAMSEL_DIALOG);
        pressed = window.Press(ui::IDC_SET_VOLUME);
    });
    EXPECT_FALSE(app.InitInstance(host));
    EXPECT_TRUE(pressed);
    const ui::HeadlessWindow* window = host.FindWindow(ui::IDD_TAMSEL_DIALOG);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Ended());  // the loop ended with the Close button
    EXPECT_FALSE(window->TimerRunning(0));
    EXPECT_EQ(Writes().back(), "23: 0");
}

TEST_F(MessageTest, TimerAndFontFailuresAreNotReported) {
    host.timersFail = true;
    host.fontsFail = true;
    ui::HeadlessWindow& window = Open();
    EXPECT_FALSE(window.FireTimer(0));
    EXPECT_EQ(window.TextOf(ui::IDC_TIME), L"2019/6/10 9:5:3");
    EXPECT_TRUE(window.FontOf(ui::IDC_TIME).empty());
    EXPECT_FALSE(dialog->m_clockFont.created);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

}  // namespace
}  // namespace tamsel::test
