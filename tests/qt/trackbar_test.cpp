// Trackbars: the common control's range rules (the same as the headless host's), and
// every user movement reaching the dialog as HScroll from the trackbar's id, with the
// new position readable during the notification; programmatic moves send nothing.

#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "platform/qt/trackbar_slider.h"
#include "recording_behaviour.h"
#include "run_dialog.h"
#include "ui/headless_host.h"

namespace tamsel::qt::test {
namespace {

using ui::DialogMessage;

struct RangeOperation {
    enum Kind { Min, Max, Pos } kind;
    int value;
};

struct RangeCase {
    const char* name;
    std::vector<RangeOperation> operations;
    int expectedPosition;
};

const std::vector<RangeCase>& RangeCases() {
    using O = RangeOperation;
    static const std::vector<RangeCase> cases = {
        {"new trackbar", {}, 0},
        {"position above the default maximum", {{O::Pos, 150}}, 100},
        {"position below the default minimum", {{O::Pos, -5}}, 0},
        {"raising the minimum pulls the position up", {{O::Min, 10}}, 10},
        {"lowering the maximum pulls the position down", {{O::Pos, 80}, {O::Max, 50}}, 50},
        {"raising the maximum again leaves it there",
         {{O::Pos, 80}, {O::Max, 50}, {O::Max, 100}},
         50},
        {"setting a range then an inside position", {{O::Min, 1}, {O::Max, 15}, {O::Pos, 7}}, 7},
        {"position below a raised minimum", {{O::Min, 1}, {O::Max, 15}, {O::Pos, 0}}, 1},
        {"negative range", {{O::Min, -20}, {O::Max, -10}, {O::Pos, 0}}, -10},
        {"minimum above the maximum keeps the position at the minimum",
         {{O::Max, 10}, {O::Min, 50}},
         50},
        {"with minimum above maximum, a position clamps to the minimum then the maximum",
         {{O::Max, 10}, {O::Min, 50}, {O::Pos, 30}},
         10},
        {"lowering the minimum doesn't move the position", {{O::Pos, 40}, {O::Min, -100}}, 40},
    };
    return cases;
}

void Apply(ui::DialogHost& host, int id, const std::vector<RangeOperation>& operations) {
    for (const RangeOperation& operation : operations) {
        switch (operation.kind) {
            case RangeOperation::Min:
                host.SetTrackbarRangeMin(id, operation.value, true);
                break;
            case RangeOperation::Max:
                host.SetTrackbarRangeMax(id, operation.value, true);
                break;
            case RangeOperation::Pos:
                host.SetTrackbarPos(id, operation.value, true);
                break;
        }
    }
}

TEST(TrackbarRange, ClampsLikeTheCommonControl) {
    // Each case on a trackbar fresh from the template.
    for (const RangeCase& c : RangeCases()) {
        SCOPED_TRACE(c.name);
        RecordingBehaviour behaviour;
        RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
            Apply(host, ui::IDC_SLIDER_HUE, c.operations);
            EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_HUE), c.expectedPosition);
            auto* slider = qobject_cast<TrackbarSlider*>(dialog.Control(ui::IDC_SLIDER_HUE));
            // The widget shows the position whenever its range can hold it.
            if (slider->range().minimum() <= slider->range().maximum()) {
                EXPECT_EQ(slider->value(), c.expectedPosition);
            }
            EXPECT_TRUE(behaviour.events.empty()) << "programmatic changes notify nobody";
        });
    }
}

// The headless host is what the portable dialog's tests run against; the Qt host must
// not behave differently from it.
TEST(TrackbarRange, AgreesWithTheHeadlessHost) {
    for (const RangeCase& c : RangeCases()) {
        SCOPED_TRACE(c.name);
        ui::HeadlessHost headless;
        IdleBehaviour headlessBehaviour;
        ui::HeadlessWindow& window = headless.Open(headlessBehaviour);
        Apply(window, ui::IDC_SLIDER_HUE, c.operations);

        RecordingBehaviour behaviour;
        RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
            Apply(host, ui::IDC_SLIDER_HUE, c.operations);
            EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_HUE),
                      window.GetTrackbarPos(ui::IDC_SLIDER_HUE));
        });
    }
}

struct KeyCase {
    Qt::Key key;
    unsigned expectedCode;
    int expectedPosition;  // from 50 in a 0..100 range (page size 20)
};

TEST(TrackbarKeyboard, EachKeyMovesLikeTheCommonControlAndNotifiesThenEndsTracking) {
    const KeyCase cases[] = {
        {Qt::Key_Right, kTbLineDown, 51},    {Qt::Key_Down, kTbLineDown, 51},
        {Qt::Key_Left, kTbLineUp, 49},       {Qt::Key_Up, kTbLineUp, 49},
        {Qt::Key_PageDown, kTbPageDown, 70}, {Qt::Key_PageUp, kTbPageUp, 30},
        {Qt::Key_End, kTbBottom, 100},       {Qt::Key_Home, kTbTop, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(QTest::toString(QKeySequence(c.key)));
        RecordingBehaviour behaviour;
        RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
            host.SetTrackbarPos(ui::IDC_SLIDER_CONTRAST, 50, true);
            QWidget* slider = dialog.Control(ui::IDC_SLIDER_CONTRAST);
            slider->setFocus();
            behaviour.events.clear();
            QTest::keyClick(slider, c.key);
            ASSERT_EQ(behaviour.events.size(), 2u);
            const auto& moved = behaviour.events[0];
            EXPECT_EQ(moved.event.message, DialogMessage::HScroll);
            EXPECT_EQ(moved.event.controlId, ui::IDC_SLIDER_CONTRAST);
            EXPECT_EQ(moved.event.notifyCode, c.expectedCode);
            EXPECT_EQ(moved.trackbarPosAtDispatch, c.expectedPosition);
            EXPECT_EQ(behaviour.events[1].event.notifyCode, kTbEndTrack);
            EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_CONTRAST), c.expectedPosition);
        });
    }
}

TEST(TrackbarKeyboard, AKeyPastTheEndOnlyEndsTracking) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.SetTrackbarPos(ui::IDC_SLIDER_MIC, 100, true);
        QWidget* slider = dialog.Control(ui::IDC_SLIDER_MIC);
        slider->setFocus();
        behaviour.events.clear();
        QTest::keyClick(slider, Qt::Key_Right);
        ASSERT_EQ(behaviour.events.size(), 1u);
        EXPECT_EQ(behaviour.events[0].event.notifyCode, kTbEndTrack);
        EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_MIC), 100);
    });
}

TEST(TrackbarMouse, DraggingTheThumbTracksEveryStepThenReportsTheFinalPosition) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.SetTrackbarPos(ui::IDC_SLIDER_BRIGHTNESS, 0, true);
        QWidget* slider = dialog.Control(ui::IDC_SLIDER_BRIGHTNESS);
        behaviour.events.clear();
        // The thumb sits at the left end: press on it, drag right in steps, release.
        const int y = slider->height() / 2;
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(4, y));
        for (int x : {slider->width() / 4, slider->width() / 2, slider->width() * 3 / 4}) {
            QTest::mouseMove(slider, QPoint(x, y));
        }
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier,
                            QPoint(slider->width() * 3 / 4, y));

        const int finalPosition = host.GetTrackbarPos(ui::IDC_SLIDER_BRIGHTNESS);
        EXPECT_GT(finalPosition, 50);
        ASSERT_GE(behaviour.events.size(), 5u);  // at least three moves, position, end
        int previous = 0;
        int tracked = 0;
        for (std::size_t i = 0; i < behaviour.events.size(); ++i) {
            const auto& record = behaviour.events[i];
            EXPECT_EQ(record.event.message, DialogMessage::HScroll);
            EXPECT_EQ(record.event.controlId, ui::IDC_SLIDER_BRIGHTNESS);
            const std::size_t fromEnd = behaviour.events.size() - i;
            const unsigned expectedCode = fromEnd == 2   ? kTbThumbPosition
                                          : fromEnd == 1 ? kTbEndTrack
                                                         : kTbThumbTrack;
            EXPECT_EQ(record.event.notifyCode, expectedCode) << "notification " << i;
            EXPECT_GE(record.trackbarPosAtDispatch, previous);
            if (record.trackbarPosAtDispatch > previous) ++tracked;
            previous = record.trackbarPosAtDispatch;
        }
        EXPECT_GE(tracked, 3) << "every step of the drag is reported while it happens";
        EXPECT_EQ(behaviour.events.back().trackbarPosAtDispatch, finalPosition);
    });
}

TEST(TrackbarMouse, AClickBesideTheThumbPagesAndEndsTracking) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.SetTrackbarPos(ui::IDC_SLIDER_EARPHONE, 0, true);
        QWidget* slider = dialog.Control(ui::IDC_SLIDER_EARPHONE);
        behaviour.events.clear();
        // Far right of the groove, away from the thumb at the left end.
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier,
                          QPoint(slider->width() - 3, slider->height() / 2));
        ASSERT_GE(behaviour.events.size(), 2u);
        const int position = host.GetTrackbarPos(ui::IDC_SLIDER_EARPHONE);
        EXPECT_GT(position, 0);
        EXPECT_EQ(behaviour.events.front().event.controlId, ui::IDC_SLIDER_EARPHONE);
        EXPECT_EQ(behaviour.events.back().event.notifyCode, kTbEndTrack);
        EXPECT_EQ(behaviour.events.back().trackbarPosAtDispatch, position);
    });
}

}  // namespace
}  // namespace tamsel::qt::test
