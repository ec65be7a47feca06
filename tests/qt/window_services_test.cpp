// The window-level services: rectangles, moving and centring, timers, message boxes,
// the clock's point font, the icon and the string table.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "platform/qt/app_icon.h"
#include "platform/qt/string_resources.h"
#include "recording_behaviour.h"
#include "run_dialog.h"

namespace tamsel::qt::test {
namespace {

using ui::DialogMessage;

TEST(WindowRect, CentringPutsTheWindowInTheMiddleOfTheWorkArea) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.CenterWindow();
        const QRect work = dialog.screen()->availableGeometry();
        const ui::Rect rect = host.GetWindowScreenRect();
        EXPECT_LE(std::abs((rect.left - work.left()) - (work.right() + 1 - rect.right)), 1);
        EXPECT_LE(std::abs((rect.top - work.top()) - (work.bottom() + 1 - rect.bottom)), 1);
        EXPECT_EQ(rect.Width(), dialog.frameGeometry().width());
    });
}

TEST(WindowRect, MovingToARectangleGivesBackThatRectangle) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
        const ui::Rect before = host.GetWindowScreenRect();
        const ui::Rect target{30, 40, 30 + before.Width(), 40 + before.Height() / 2};
        host.MoveWindow(target, true);
        Pump(20);
        EXPECT_EQ(host.GetWindowScreenRect(), target);
    });
}

TEST(WindowRect, ControlRectanglesAreOnScreenInsideTheWindow) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.MoveWindow(ui::Rect{100, 50, 100 + dialog.width(), 50 + dialog.height()}, true);
        Pump(20);
        const ui::Rect window = host.GetWindowScreenRect();
        const ui::Rect group = host.GetItemScreenRect(ui::IDC_GROUP_COLOR);
        QWidget* widget = dialog.Control(ui::IDC_GROUP_COLOR);
        const QPoint clientOrigin = dialog.mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(group.left, clientOrigin.x() + widget->x());
        EXPECT_EQ(group.top, clientOrigin.y() + widget->y());
        EXPECT_EQ(group.Width(), widget->width());
        EXPECT_EQ(group.Height(), widget->height());
        EXPECT_GT(group.top, window.top);
        EXPECT_LT(group.bottom, window.bottom);
    });
}

TEST(WindowRect, CuttingAtAGroupBoxTopEndsTheOuterRectangleThere) {
    // What the dialog does for a reduced function level: keep left, top and width, and
    // make the outer rectangle's bottom the group box's top edge; the client area ends
    // the frame's width above it.
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        const ui::Rect window = host.GetWindowScreenRect();
        const ui::Rect group = host.GetItemScreenRect(ui::IDC_GROUP_QUALITY);
        host.MoveWindow(ui::Rect{window.left, window.top, window.right, group.top}, true);
        Pump(20);
        EXPECT_EQ(host.GetWindowScreenRect(),
                  (ui::Rect{window.left, window.top, window.right, group.top}));
        const int clientBottom = dialog.mapToGlobal(QPoint(0, dialog.height())).y();
        EXPECT_EQ(clientBottom,
                  group.top - (dialog.frameGeometry().bottom() - dialog.geometry().bottom()));
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "still fixed-size";
    });
}

TEST(Timer, TicksReachTheDialogWithTheTimerId) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog&) {
        EXPECT_TRUE(host.SetTimer(0, 30));
        EXPECT_TRUE(host.SetTimer(7, 40));
        Pump(200);
        int ticks0 = 0, ticks7 = 0;
        for (const auto& record : behaviour.events) {
            ASSERT_EQ(record.event.message, DialogMessage::Timer);
            if (record.event.commandId == 0) ++ticks0;
            if (record.event.commandId == 7) ++ticks7;
        }
        EXPECT_GE(ticks0, 2);
        EXPECT_GE(ticks7, 2);
    });
}

TEST(MessageBox, AQuestionWithOkOwnedByTheDialog) {
    struct Case {
        const wchar_t* caption;  // nullptr: the application's name
        QString expectedTitle;
    };
    const Case cases[] = {
        {nullptr, QCoreApplication::applicationName()},
        {L"Cam X Tamsel", QStringLiteral("Cam X Tamsel")},
        {L"", QString()},  // an empty caption stays empty
    };
    for (const Case& c : cases) {
        QtHostOptions options;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QWidget* parent = nullptr;
        options.beforeMessageBox = [&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            icon = box.icon();
            buttons = box.standardButtons();
            parent = box.parentWidget();
            QTimer::singleShot(0, &box, [&box] { box.button(QMessageBox::Ok)->click(); });
        };
        RecordingBehaviour behaviour;
        int answer = 0;
        TemplateDialog* owner = nullptr;
        RunDialog(
            behaviour,
            [&](QtDialogHost& host, TemplateDialog& dialog) {
                owner = &dialog;
                const std::wstring caption = c.caption != nullptr ? c.caption : L"";
                answer = host.ShowMessageBox(L"Cam X is not found! ",
                                             c.caption != nullptr ? &caption : nullptr,
                                             ui::kMbOk | ui::kMbIconQuestion);
            },
            options);
        EXPECT_EQ(answer, ui::IDOK);
        EXPECT_EQ(title, c.expectedTitle);
        EXPECT_EQ(text, QStringLiteral("Cam X is not found! "));
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(parent, owner);
    }
}

TEST(MessageBox, TimersKeepTickingWhileItIsOpen) {
    QtHostOptions options;
    RecordingBehaviour behaviour;
    options.beforeMessageBox = [&](QMessageBox& box) {
        QTimer::singleShot(250, &box, [&box] { box.accept(); });
    };
    RunDialog(
        behaviour,
        [&](QtDialogHost& host, TemplateDialog&) {
            host.SetTimer(0, 40);
            behaviour.events.clear();
            host.ShowMessageBox(L"wait", nullptr, ui::kMbOk | ui::kMbIconQuestion);
            EXPECT_GE(behaviour.events.size(), 3u);
        },
        options);
}

TEST(ControlFont, ClockGetsArialAtFourPoints) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        ASSERT_TRUE(host.SetControlPointFont(ui::IDC_TIME, 40, L"Arial"));
        const QFont font = dialog.Control(ui::IDC_TIME)->font();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 4.0);
        // 40 tenths of a point as a character height: 40 * dpi / 720 pixels.
        const double dpi = dialog.logicalDpiY();
        EXPECT_NEAR(QFontInfo(font).pixelSize(), 40 * dpi / 720, 1.0);
        // Only that label changes.
        EXPECT_EQ(dialog.Control(ui::IDC_VERSION)->font(), dialog.font());
        EXPECT_FALSE(host.SetControlPointFont(4242, 40, L"Arial"));
    });
}

TEST(StringTable, TheAboutItemTextMatchesTheWindowsResources) {
    QFile rc(QStringLiteral(TAMSEL_SOURCE_DIR "/res/tamsel.rc"));
    if (!rc.open(QIODevice::ReadOnly | QIODevice::Text)) GTEST_SKIP() << "no res/tamsel.rc";
    const QString script = QString::fromUtf8(rc.readAll());
    const QRegularExpression entry(QStringLiteral("IDS_ABOUTBOX\\s+\"([^\"]*)\""));
    const QRegularExpressionMatch match = entry.match(script);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(LoadStringResource(ui::IDS_ABOUTBOX), match.captured(1).toStdWString());
    EXPECT_TRUE(LoadStringResource(4242).empty());
}

TEST(Icon, SetIconGivesTheWindowTheProgramIconAndTheAboutBoxShowsIt) {
    if (ApplicationIcon().isNull()) GTEST_SKIP() << "built without an icon image";
    RecordingBehaviour main;
    RunDialog(main, [&](QtDialogHost& host, TemplateDialog& dialog) {
        host.SetIcon(true);
        host.SetIcon(false);
        EXPECT_FALSE(dialog.windowIcon().isNull());
        EXPECT_EQ(dialog.windowIcon().cacheKey(), ApplicationIcon().cacheKey());
    });
    RecordingBehaviour about(ui::IDD_ABOUTBOX);
    RunDialog(about, [&](QtDialogHost&, TemplateDialog& dialog) {
        auto* icon = qobject_cast<QLabel*>(dialog.ControlsInTemplateOrder().front());
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        EXPECT_EQ(icon->size(), QSize(32, 32));
    });
}

TEST(Iconic, ANormalWindowIsNotIconic) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost& host, TemplateDialog& dialog) {
        EXPECT_FALSE(host.IsIconic());
        dialog.showMinimized();
        Pump(20);
        EXPECT_TRUE(host.IsIconic());
    });
}

}  // namespace
}  // namespace tamsel::qt::test
