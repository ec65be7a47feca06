// Radio buttons as one auto group, check boxes with the states the program sets, and
// clicks reaching the dialog as BN_CLICKED commands.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "platform/qt/check_box.h"
#include "recording_behaviour.h"
#include "run_dialog.h"
#include "ui/headless_host.h"

namespace tamsel::qt::test {
namespace {

using ui::DialogMessage;

constexpr int kRadios[] = {ui::IDC_QUALITY_HIGH, ui::IDC_QUALITY_STANDARD, ui::IDC_QUALITY_LOW};

std::vector<int> RadioStates(ui::DialogHost& host) {
    std::vector<int> states;
    for (int id : kRadios) states.push_back(host.GetCheck(id));
    return states;
}

TEST(RadioGroup, CheckingOneUnchecksTheOthersAndUncheckingLeavesNoneChecked) {
    struct Step {
        int id;
        int state;
        std::vector<int> expected;
    };
    const Step steps[] = {
        {ui::IDC_QUALITY_HIGH, 1, {1, 0, 0}},
        {ui::IDC_QUALITY_LOW, 1, {0, 0, 1}},
        {ui::IDC_QUALITY_STANDARD, 1, {0, 1, 0}},
        {ui::IDC_QUALITY_STANDARD, 0, {0, 0, 0}},
        {ui::IDC_QUALITY_LOW, 1, {0, 0, 1}},
        {ui::IDC_QUALITY_HIGH, 0, {0, 0, 1}},  // unchecking another one changes nothing
    };
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
        EXPECT_EQ(RadioStates(host), (std::vector<int>{0, 0, 0}));
        for (const Step& step : steps) {
            host.SetCheck(step.id, step.state);
            EXPECT_EQ(RadioStates(host), step.expected) << step.id << " := " << step.state;
        }
        EXPECT_TRUE(behaviour.events.empty()) << "setting a check notifies nobody";
    });
}

TEST(RadioGroup, AClickChecksTheButtonUnchecksTheOthersAndTellsTheDialog) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.SetCheck(ui::IDC_QUALITY_HIGH, 1);
        QWidget* low = dialog.Control(ui::IDC_QUALITY_LOW);
        QTest::mouseClick(low, Qt::LeftButton, Qt::NoModifier, QPoint(5, low->height() / 2));
        EXPECT_EQ(RadioStates(host), (std::vector<int>{0, 0, 1}));
        // A second click on the checked one keeps it checked.
        QTest::mouseClick(low, Qt::LeftButton, Qt::NoModifier, QPoint(5, low->height() / 2));
        EXPECT_EQ(RadioStates(host), (std::vector<int>{0, 0, 1}));
        ASSERT_EQ(behaviour.events.size(), 2u);
        EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::Command);
        EXPECT_EQ(behaviour.events[0].event.controlId, ui::IDC_QUALITY_LOW);
        EXPECT_EQ(behaviour.events[0].event.notifyCode, ui::kBnClicked);
    });
}

TEST(RadioGroup, MuteBoxesAreNotPartOfIt) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
        host.SetCheck(ui::IDC_QUALITY_STANDARD, 1);
        host.SetCheck(ui::IDC_MUTE_AUX, 1);
        host.SetCheck(ui::IDC_MUTE_MIC, 1);
        EXPECT_EQ(RadioStates(host), (std::vector<int>{0, 1, 0}));
        EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_AUX), 1);
        EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_MIC), 1);
    });
}

TEST(CheckBoxState, ShowsAndReportsWhatWasSet) {
    struct Case {
        int state;
        Qt::CheckState shown;
        int afterClick;
    };
    const Case cases[] = {
        {0, Qt::Unchecked, 1},
        {1, Qt::Checked, 0},
        {2, Qt::PartiallyChecked, 1},  // a click on the indeterminate state checks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        RecordingBehaviour behaviour;
        RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
            auto* box = qobject_cast<CheckBox*>(dialog.Control(ui::IDC_MUTE_EARPHONE));
            ASSERT_NE(box, nullptr);
            host.SetCheck(ui::IDC_MUTE_EARPHONE, c.state);
            EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_EARPHONE), c.state);
            EXPECT_EQ(box->checkState(), c.shown);
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
            EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_EARPHONE), c.afterClick);
            EXPECT_EQ(box->checkState(), c.afterClick == 1 ? Qt::Checked : Qt::Unchecked);
            ASSERT_EQ(behaviour.events.size(), 1u);
            EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::Command);
            EXPECT_EQ(behaviour.events[0].event.controlId, ui::IDC_MUTE_EARPHONE);
        });
    }
}

TEST(CheckBoxState, SpaceTogglesBetweenCheckedAndUnchecked) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        QWidget* box = dialog.Control(ui::IDC_MUTE_AUX);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_AUX), 1);
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_AUX), 0);
    });
}

TEST(PushButtons, AClickIsACommandAndADisabledButtonTakesNone) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        QWidget* setColor = dialog.Control(ui::IDC_SET_COLOR);
        QTest::mouseClick(setColor, Qt::LeftButton);
        host.EnableItem(ui::IDC_SET_VOLUME, false);
        QTest::mouseClick(dialog.Control(ui::IDC_SET_VOLUME), Qt::LeftButton);
        ASSERT_EQ(behaviour.events.size(), 1u);
        EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::Command);
        EXPECT_EQ(behaviour.events[0].event.controlId, ui::IDC_SET_COLOR);
        EXPECT_EQ(behaviour.events[0].event.notifyCode, ui::kBnClicked);
        EXPECT_EQ(behaviour.okCount + behaviour.cancelCount, 0);
    });
}

// The portable dialog's tests run on the headless host; what they learn from GetCheck must
// hold on Qt too.
TEST(ButtonStates, AgreeWithTheHeadlessHost) {
    struct SetCheckCall {
        int id;
        int state;
    };
    const std::vector<std::vector<SetCheckCall>> scripts = {
        {{ui::IDC_MUTE_AUX, 0}},
        {{ui::IDC_MUTE_AUX, 1}},
        {{ui::IDC_MUTE_AUX, 2}},
        {{ui::IDC_MUTE_EARPHONE, 1}, {ui::IDC_MUTE_EARPHONE, 0}},
        // Not here: checking a second radio button of the group. The button control
        // unchecks the others of its auto group on BM_SETCHECK, and so does this host
        // (RadioGroup tests above); the headless host leaves them checked.
        {{ui::IDC_QUALITY_STANDARD, 1}, {ui::IDC_QUALITY_STANDARD, 0}},
    };
    const int ids[] = {ui::IDC_QUALITY_HIGH, ui::IDC_QUALITY_STANDARD, ui::IDC_QUALITY_LOW,
                       ui::IDC_MUTE_AUX,     ui::IDC_MUTE_EARPHONE,    ui::IDC_MUTE_MIC};
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        SCOPED_TRACE(i);
        ui::HeadlessHost headless;
        IdleBehaviour quiet;
        ui::HeadlessWindow& window = headless.Open(quiet);
        for (const SetCheckCall& call : scripts[i]) window.SetCheck(call.id, call.state);
        RecordingBehaviour behaviour;
        RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
            for (const SetCheckCall& call : scripts[i]) host.SetCheck(call.id, call.state);
            for (int id : ids) EXPECT_EQ(host.GetCheck(id), window.GetCheck(id)) << id;
        });
    }
}

}  // namespace
}  // namespace tamsel::qt::test
