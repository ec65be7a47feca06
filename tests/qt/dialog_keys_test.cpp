// Enter, Escape, F1, the context menu standing in for the system menu, the close button
// and the focus the dialog starts with.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "recording_behaviour.h"
#include "run_dialog.h"

namespace tamsel::qt::test {
namespace {

using ui::DialogMessage;

constexpr int kSetButtons[] = {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR,
                               ui::IDC_SET_VOLUME};

// What the main dialog does to its system menu when it starts.
void AddAboutItem(ui::DialogHost& host) {
    ASSERT_TRUE(host.HasSystemMenu());
    host.AppendSystemMenuSeparator();
    host.AppendSystemMenuItem(ui::IDM_ABOUTBOX, host.LoadStringResource(ui::IDS_ABOUTBOX));
}

TEST(StartUpFocus, GoesToTheFirstEnabledTabStop) {
    struct Case {
        const char* name;
        bool disableSetButtons;
        int expectedFocus;
    };
    const Case cases[] = {
        {"camera found", false, ui::IDC_SET_TIME},
        {"camera missing: Set buttons disabled", true, ui::IDC_SLIDER_BRIGHTNESS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingBehaviour behaviour;
        behaviour.onInit = [&](ui::DialogHost& host) {
            if (!c.disableSetButtons) return;
            for (int id : kSetButtons) host.EnableItem(id, false);
        };
        RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
            Pump(50);
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget(), dialog.Control(c.expectedFocus));
        });
    }
}

TEST(EnterKey, PressesTheFocusedPushButtonAndDoesNotEndTheDialog) {
    RecordingBehaviour behaviour;
    const RunOutcome outcome = RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        QWidget* setTime = dialog.Control(ui::IDC_SET_TIME);
        setTime->setFocus();
        QTest::keyClick(setTime, Qt::Key_Return);
        QTest::keyClick(setTime, Qt::Key_Enter, Qt::KeypadModifier);
        ASSERT_EQ(behaviour.events.size(), 2u);
        for (const auto& record : behaviour.events) {
            EXPECT_EQ(record.event.message, DialogMessage::Command);
            EXPECT_EQ(record.event.controlId, ui::IDC_SET_TIME);
        }
        EXPECT_EQ(behaviour.okCount, 0);
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_FALSE(outcome.endedByBody);
}

TEST(EnterKey, WithNoPushButtonFocusedRunsOk) {
    const int focusedIds[] = {ui::IDC_SLIDER_HUE, ui::IDC_EDIT_HUE, ui::IDC_MUTE_MIC};
    for (int id : focusedIds) {
        SCOPED_TRACE(id);
        RecordingBehaviour behaviour;
        const RunOutcome outcome = RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
            QWidget* focused = dialog.Control(id);
            focused->setFocus();
            QTest::keyClick(focused, Qt::Key_Return);
        });
        EXPECT_EQ(behaviour.okCount, 1);
        EXPECT_TRUE(outcome.endedByBody);
        EXPECT_EQ(outcome.result, ui::IDOK);
    }
}

TEST(EscapeKey, RunsCancelWhereverTheFocusIs) {
    const int focusedIds[] = {ui::IDC_SET_TIME, ui::IDC_SLIDER_AUX, ui::IDC_EDIT_MIC};
    for (int id : focusedIds) {
        SCOPED_TRACE(id);
        RecordingBehaviour behaviour;
        const RunOutcome outcome = RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
            QWidget* focused = dialog.Control(id);
            focused->setFocus();
            QTest::keyClick(focused, Qt::Key_Escape);
        });
        EXPECT_EQ(behaviour.cancelCount, 1);
        EXPECT_EQ(behaviour.okCount, 0);
        EXPECT_EQ(outcome.result, ui::IDCANCEL);
    }
}

TEST(SystemMenu, ContextMenuHoldsCloseThenASeparatorAndTheAppendedAboutItem) {
    RecordingBehaviour behaviour;
    behaviour.onInit = AddAboutItem;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        const QList<QAction*> items = dialog.systemMenu().actions();
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(items[0]->data().toUInt(), 0xF060u);
        EXPECT_TRUE(items[1]->isSeparator());
        EXPECT_EQ(items[2]->text(), QStringLiteral("&About Tamsel..."));
        EXPECT_EQ(items[2]->data().toUInt(), ui::IDM_ABOUTBOX);
    });
}

TEST(SystemMenu, ChoosingAboutFromTheContextMenuDispatchesItsSystemCommand) {
    RecordingBehaviour behaviour;
    behaviour.onInit = AddAboutItem;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        bool menuOpened = false;
        QTimer::singleShot(100, &dialog, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menuOpened = menu != nullptr;
            if (menu == nullptr) return;
            menu->actions().last()->trigger();
            menu->close();
        });
        const QPoint inside(10, dialog.height() - 5);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inside, dialog.mapToGlobal(inside));
        QCoreApplication::sendEvent(&dialog, &rightClick);
        EXPECT_TRUE(menuOpened);
        ASSERT_EQ(behaviour.events.size(), 1u);
        EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::SysCommand);
        EXPECT_EQ(behaviour.events[0].event.commandId, ui::IDM_ABOUTBOX);
    });
}

TEST(SystemMenu, F1ChoosesTheAboutItem) {
    RecordingBehaviour behaviour;
    behaviour.onInit = AddAboutItem;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        QWidget* slider = dialog.Control(ui::IDC_SLIDER_SATURATION);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_F1);
        ASSERT_EQ(behaviour.events.size(), 1u);
        EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::SysCommand);
        EXPECT_EQ(behaviour.events[0].event.commandId, ui::IDM_ABOUTBOX);
    });
}

TEST(SystemMenu, F1DoesNothingWhenNothingWasAppended) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        EXPECT_TRUE(behaviour.events.empty());
    });
}

TEST(SystemMenu, CloseGoesThroughTheDefaultHandlingToACloseMessageThenEnds) {
    RecordingBehaviour behaviour;
    behaviour.onInit = AddAboutItem;
    const RunOutcome outcome = RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        dialog.systemMenu().actions().first()->trigger();
    });
    ASSERT_EQ(behaviour.events.size(), 2u);
    EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::SysCommand);
    EXPECT_EQ(behaviour.events[0].event.commandId, 0xF060u);
    EXPECT_EQ(behaviour.events[1].event.message, DialogMessage::Close);
    EXPECT_TRUE(outcome.endedByBody);
    EXPECT_EQ(outcome.result, ui::IDCANCEL);
}

TEST(CloseButton, DeliversCloseAndTheDefaultHandlingEndsWithCancel) {
    RecordingBehaviour behaviour;
    const RunOutcome outcome =
        RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) { dialog.close(); });
    ASSERT_EQ(behaviour.events.size(), 1u);
    EXPECT_EQ(behaviour.events[0].event.message, DialogMessage::Close);
    EXPECT_EQ(behaviour.cancelCount, 0) << "Close is not the Cancel command";
    EXPECT_EQ(outcome.result, ui::IDCANCEL);
}

TEST(CloseButton, AHandlerThatSkipsTheDefaultKeepsTheDialogOpen) {
    // A handler of its own for Close that doesn't ask for the default handling.
    struct KeepOpen : RecordingBehaviour {
        void Dispatch(const ui::DialogEvent& event) override {
            if (event.message == ui::DialogMessage::Close) ++closes;
        }
        int closes = 0;
    } keepOpen;
    const RunOutcome outcome = RunDialog(keepOpen, [&](QtDialogHost&, TemplateDialog& dialog) {
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(keepOpen.closes, 1);
    EXPECT_FALSE(outcome.endedByBody);
}

}  // namespace
}  // namespace tamsel::qt::test
