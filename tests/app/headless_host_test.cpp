// The headless host behaves like the real controls where the dialogs depend on it:
// trackbars keep their position in range as range and position change, auto radio
// buttons uncheck the rest of their group, disabled buttons can't be pressed, and
// rectangles and centring come out in pixels.

#include "ui/headless_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control_ids.h"

namespace tamsel::ui {
namespace {

// A dialog that does what the test tells it during initialisation and hands every
// message to the default handling.
class ScriptedDialog : public DialogBehaviour {
  public:
    explicit ScriptedDialog(int templateId = IDD_TAMSEL_DIALOG) : templateId_(templateId) {}
    int TemplateId() const override { return templateId_; }
    void Attach(DialogHost* host) override { host_ = host; }
    bool OnInitDialog() override {
        if (onInit) onInit(*host_);
        return true;
    }
    void Dispatch(const DialogEvent& event) override {
        events.push_back(event);
        host_->RunDefaultHandler();
    }
    void OnOK() override { host_->EndDialog(IDOK); }
    void OnCancel() override { host_->EndDialog(IDCANCEL); }

    std::function<void(DialogHost&)> onInit;
    std::vector<DialogEvent> events;

  private:
    int templateId_;
    DialogHost* host_ = nullptr;
};

struct TrackbarCase {
    const char* name;
    int id;
    std::function<void(DialogHost&)> calls;
    int position;
};

void PrintTo(const TrackbarCase& c, std::ostream* out) {
    *out << c.name;
}

const TrackbarCase kTrackbarCases[] = {
    {"NewTrackbarIsAtZero", 1007, [](DialogHost&) {}, 0},
    {"PositionAboveDefaultRange", 1007, [](DialogHost& h) { h.SetTrackbarPos(1007, 150, true); },
     100},
    {"PositionBelowRange", 1007, [](DialogHost& h) { h.SetTrackbarPos(1007, -5, true); }, 0},
    {"RaisingTheMinimumPullsThePositionUp", 1010,
     [](DialogHost& h) {
         h.SetTrackbarRangeMax(1010, 6, false);
         h.SetTrackbarRangeMin(1010, 1, false);
     },
     1},
    {"PositionClampedToTheNewMaximum", 1010,
     [](DialogHost& h) {
         h.SetTrackbarRangeMax(1010, 6, false);
         h.SetTrackbarRangeMin(1010, 1, false);
         h.SetTrackbarPos(1010, 9, true);
     },
     6},
    {"LoweringTheMaximumPullsThePositionDown", 1007,
     [](DialogHost& h) {
         h.SetTrackbarPos(1007, 50, true);
         h.SetTrackbarRangeMax(1007, 20, false);
     },
     20},
    {"PositionSetBeforeTheRangeIsClampedByIt", 1007,
     [](DialogHost& h) {
         h.SetTrackbarPos(1007, 120, true);
         h.SetTrackbarRangeMax(1007, 200, false);
     },
     100},
};

class TrackbarModelTest : public ::testing::TestWithParam<TrackbarCase> {};

TEST_P(TrackbarModelTest, KeepsItsPositionInRange) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = GetParam().calls;
    HeadlessWindow& window = host.Open(dialog);
    EXPECT_EQ(window.TrackbarPosOf(GetParam().id), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(HeadlessHost, TrackbarModelTest, ::testing::ValuesIn(kTrackbarCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeadlessHostTest, UserMovesATrackbarOnlyWithinItsRange) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) { h.SetTrackbarRangeMax(1017, 28, false); };
    HeadlessWindow& window = host.Open(dialog);
    ASSERT_TRUE(window.MoveTrackbar(1017, 40));
    EXPECT_EQ(window.TrackbarPosOf(1017), 28);
    ASSERT_EQ(dialog.events.size(), 1u);
    EXPECT_EQ(dialog.events[0].message, DialogMessage::HScroll);
    EXPECT_EQ(dialog.events[0].controlId, 1017);
}

TEST(HeadlessHostTest, AutoRadioButtonUnchecksTheRestOfItsGroupOnly) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) {
        h.SetCheck(1001, 1);
        h.SetCheck(1003, 1);  // setting a state programmatically touches no other button
        h.SetCheck(1022, 1);
    };
    HeadlessWindow& window = host.Open(dialog);
    EXPECT_EQ(window.CheckOf(1001), 1);
    EXPECT_EQ(window.CheckOf(1003), 1);

    ASSERT_TRUE(window.Press(1002));
    EXPECT_EQ(window.CheckOf(1001), 0);
    EXPECT_EQ(window.CheckOf(1002), 1);
    EXPECT_EQ(window.CheckOf(1003), 0);
    EXPECT_EQ(window.CheckOf(1022), 1);  // a check box is in no radio group
}

TEST(HeadlessHostTest, CheckBoxKeepsAnyStateGivenAndTogglesWhenPressed) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) { h.SetCheck(1023, 2); };
    HeadlessWindow& window = host.Open(dialog);
    EXPECT_EQ(window.CheckOf(1023), 2);
    ASSERT_TRUE(window.Press(1023));
    EXPECT_EQ(window.CheckOf(1023), 1);
    ASSERT_TRUE(window.Press(1023));
    EXPECT_EQ(window.CheckOf(1023), 0);
}

TEST(HeadlessHostTest, DisabledButtonCannotBePressed) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) { h.EnableItem(1004, false); };
    HeadlessWindow& window = host.Open(dialog);
    EXPECT_FALSE(window.Press(1004));
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_TRUE(window.Press(1000));
    EXPECT_EQ(dialog.events.size(), 1u);
}

TEST(HeadlessHostTest, FocusGoesToTheFirstEnabledTabStop) {
    HeadlessHost host;
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) {
        h.EnableItem(1000, false);
        h.EnableItem(1004, false);
    };
    // Radio buttons and group boxes are no tab stops: the next is trackbar 1007.
    EXPECT_EQ(host.Open(dialog).FocusId(), 1007);
}

TEST(HeadlessHostTest, RectanglesInPixelsAndCentredOnTheScreen) {
    HeadlessHost host;  // 6 x 13 base units, 1280 x 1024 screen, frame 3, caption 20
    ScriptedDialog dialog;
    dialog.onInit = [](DialogHost& h) { h.CenterWindow(); };
    HeadlessWindow& window = host.Open(dialog);
    // 291 x 358 units are 437 x 582 pixels (rounded), 443 x 608 with the frame.
    EXPECT_EQ(window.WindowRect(), (Rect{419, 208, 862, 816}));
    EXPECT_EQ(window.ClientRect(), (Rect{422, 231, 859, 813}));
    // Group box 1028 at 15, 80, 254 x 70 units.
    EXPECT_EQ(window.ScreenRectOf(1028), (Rect{445, 361, 826, 475}));
}

TEST(HeadlessHostTest, ModalLoopWithoutAScriptEndsWithTheCloseButton) {
    HeadlessHost host;
    ScriptedDialog dialog(IDD_ABOUTBOX);
    EXPECT_EQ(host.RunModal(dialog), IDCANCEL);
    ASSERT_EQ(dialog.events.size(), 1u);
    EXPECT_EQ(dialog.events[0].message, DialogMessage::Close);
}

TEST(HeadlessHostTest, EnterPressesTheDefaultButtonWhenNoPushButtonHasTheFocus) {
    HeadlessHost host;
    ScriptedDialog dialog(IDD_ABOUTBOX);
    host.QueueModalScript([](HeadlessWindow& window) {
        window.SetFocusTo(IDC_ABOUT_VERSION);
        window.PressEnter();
    });
    EXPECT_EQ(host.RunModal(dialog), IDOK);
}

}  // namespace
}  // namespace tamsel::ui
