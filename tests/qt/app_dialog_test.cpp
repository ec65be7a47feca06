// The real dialogs (CTamselDlg, CAboutDlg) on the Qt host, against the virtual camera:
// start-up as a user meets it, sliders and their texts and record, Enter and Escape,
// the About box from F1, the cut-down layout. Screenshots go to <build>/screenshots.

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>

#include "app/ini_profile_reader.h"
#include "app/tamsel_app.h"
#include "device/device_settings.h"
#include "platform/linux/linux_platform_services.h"
#include "platform/qt/screenshot.h"
#include "run_dialog.h"
#include "sim/virtual_camera.h"
#include "sim/virtual_device_list.h"
#include "ui/control_ids.h"

namespace tamsel::qt::test {
namespace {

constexpr int kSetButtons[] = {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR,
                               ui::IDC_SET_VOLUME};

class FixedDirectory : public WorkingDirectory {
  public:
    explicit FixedDirectory(std::wstring directory) : directory_(std::move(directory)) {}
    bool Get(std::size_t bufferChars, std::wstring* directory) override {
        if (directory_.size() + 1 > bufferChars) return false;
        *directory = directory_;
        return true;
    }

  private:
    std::wstring directory_;
};

class FixedVersion : public VersionSource {
  public:
    bool ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) override {
        *versionMs = 0x00010002;  // 1.2
        *versionLs = 0x00000000;  // .0.0
        return true;
    }
};

class FixedClock : public Clock {
  public:
    bool Now(LocalTime* now) override {
        *now = LocalTime{2019, 6, 10, 9, 5, 3};
        return true;
    }
};

QString ShotPath(const char* name) {
    return QStringLiteral(TAMSEL_SCREENSHOT_DIR "/") + QString::fromLatin1(name);
}

QString TextOf(TemplateDialog& dialog, int id) {
    QWidget* control = dialog.Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
}

// A working directory with a Device.ini, the virtual camera under a name, and the
// services the dialog needs, run through the Qt runner.
class AppOnQt : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        TheDeviceSettings() = DeviceSettings{};
        devices_.Add({L"Tamsel Virtual Camera", &camera_});
    }
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }

    void WriteDeviceIni(const QString& name, int function) {
        QFile ini(QDir(folder_.path()).filePath(QStringLiteral("Device.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream(&ini) << "[Device]\nName=" << name << "\nFunction=" << function << "\n";
    }

    // Runs the application; `body` gets the main dialog once it is on screen.
    void Run(const std::function<void(TemplateDialog&)>& body, QtHostOptions options = {}) {
        FixedDirectory directory(folder_.path().toStdWString());
        FixedVersion version;
        FixedClock clock;
        IniProfileReader profile;
        TamselServices services{&devices_, &directory, &profile, &version, &clock};
        options.afterShown = [&](TemplateDialog& dialog) {
            QTimer::singleShot(30000, &dialog, [&dialog] { dialog.done(-1); });  // watchdog
            bodyRan_ = true;
            body(dialog);
            if (dialog.isVisible()) dialog.done(ui::IDCANCEL);
        };
        QtDialogRunner runner(options);
        EXPECT_FALSE(CTamselApp(services).InitInstance(runner));
        EXPECT_TRUE(bodyRan_);
    }

    QTemporaryDir folder_;
    sim::VirtualCamera camera_;
    sim::VirtualDeviceList devices_;
    bool bodyRan_ = false;
};

TEST_F(AppOnQt, StartsWithTheCameraSettingsTitleVersionClockAndFocusOnSetDateAndTime) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    Run([&](TemplateDialog& dialog) {
        Pump(50);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tamsel Virtual Camera Tamsel"));
        EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ui::IDC_SET_TIME));
        EXPECT_EQ(TextOf(dialog, ui::IDC_VERSION), QStringLiteral("ver: 1.2.0"));
        EXPECT_EQ(TextOf(dialog, ui::IDC_TIME), QStringLiteral("2019/6/10 9:5:3"));
        for (int id : kSetButtons) EXPECT_TRUE(dialog.Control(id)->isEnabled()) << id;
        // The colour sliders open on the camera's values, with their texts.
        EXPECT_EQ(TextOf(dialog, ui::IDC_EDIT_BRIGHTNESS), QStringLiteral("50"));
        EXPECT_EQ(TheDeviceSettings().brightness, 50);
        EXPECT_TRUE(SaveScreenshot(dialog, ShotPath("qt-dialog.png")));
    });
}

TEST_F(AppOnQt, MovingSlidersUpdatesTextAndRecordAndNeverTalksToTheCamera) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    Run([&](TemplateDialog& dialog) {
        camera_.ClearLog();
        struct Move {
            int slider;
            int edit;
            std::int32_t DeviceSettings::*field;
            Qt::Key key;
            int presses;
        };
        const Move moves[] = {
            {ui::IDC_SLIDER_BRIGHTNESS, ui::IDC_EDIT_BRIGHTNESS, &DeviceSettings::brightness,
             Qt::Key_Right, 3},
            {ui::IDC_SLIDER_HUE, ui::IDC_EDIT_HUE, &DeviceSettings::hue, Qt::Key_PageUp, 1},
            {ui::IDC_SLIDER_EARPHONE, ui::IDC_EDIT_EARPHONE, &DeviceSettings::earphoneLevel,
             Qt::Key_Left, 2},
            {ui::IDC_SLIDER_MIC, ui::IDC_EDIT_MIC, &DeviceSettings::micLevel, Qt::Key_End, 1},
        };
        for (const Move& move : moves) {
            SCOPED_TRACE(move.slider);
            QWidget* slider = dialog.Control(move.slider);
            auto* trackbar = qobject_cast<QAbstractSlider*>(slider);
            const int before = trackbar->value();
            slider->setFocus();
            for (int i = 0; i < move.presses; ++i) QTest::keyClick(slider, move.key);
            const int after = trackbar->value();
            EXPECT_NE(after, before);
            EXPECT_EQ(TextOf(dialog, move.edit), QString::number(after));
            EXPECT_EQ(TheDeviceSettings().*(move.field), after);
        }
        // Dragging the Aux slider: its text follows every step.
        QWidget* aux = dialog.Control(ui::IDC_SLIDER_AUX);
        auto* auxTrackbar = qobject_cast<QAbstractSlider*>(aux);
        auxTrackbar->setSliderDown(true);
        for (int position = auxTrackbar->minimum(); position <= auxTrackbar->maximum();
             ++position) {
            auxTrackbar->setSliderPosition(position);
            EXPECT_EQ(TextOf(dialog, ui::IDC_EDIT_AUX), QString::number(position));
            EXPECT_EQ(TheDeviceSettings().auxLevel, position);
        }
        auxTrackbar->setSliderDown(false);
        EXPECT_TRUE(camera_.log().empty()) << "moving a slider sent something to the camera";
    });
}

TEST_F(AppOnQt, EnterOnTheFocusedSetButtonSetsTheClockAndKeepsTheDialogOpen) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    Run([&](TemplateDialog& dialog) {
        Pump(50);  // the window becomes active
        camera_.ClearLog();
        QWidget* setTime = dialog.Control(ui::IDC_SET_TIME);
        ASSERT_TRUE(setTime->hasFocus());
        QTest::keyClick(setTime, Qt::Key_Return);
        EXPECT_FALSE(camera_.log().empty()) << "Set Date and Time reached the camera";
        EXPECT_TRUE(dialog.isVisible());
        // Escape ends the dialog.
        QTest::keyClick(setTime, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
}

TEST_F(AppOnQt, EnterWithASliderFocusedEndsTheDialog) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    Run([&](TemplateDialog& dialog) {
        QWidget* slider = dialog.Control(ui::IDC_SLIDER_CONTRAST);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
}

TEST_F(AppOnQt, F1OpensTheAboutBoxWithTheVersionAndEachWayOfClosingItWorks) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    struct Way {
        const char* name;
        std::function<void(TemplateDialog&)> close;
    };
    const Way ways[] = {
        {"Escape", [](TemplateDialog& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"Enter", [](TemplateDialog& about) { QTest::keyClick(&about, Qt::Key_Return); }},
        {"OK button",
         [](TemplateDialog& about) { QTest::mouseClick(about.Control(ui::IDOK), Qt::LeftButton); }},
        {"close button", [](TemplateDialog& about) { about.close(); }},
    };
    Run([&](TemplateDialog& dialog) {
        for (const Way& way : ways) {
            SCOPED_TRACE(way.name);
            QString aboutTitle, aboutVersion;
            bool aboutWasModal = false;
            bool aboutClosed = false;
            QTimer::singleShot(200, &dialog, [&] {
                auto* about = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
                if (about == nullptr || about == &dialog) return;
                aboutWasModal = about->isModal();
                aboutTitle = about->windowTitle();
                aboutVersion = TextOf(*about, ui::IDC_ABOUT_VERSION);
                SaveScreenshot(*about, ShotPath("qt-about.png"));
                way.close(*about);
                aboutClosed = !about->isVisible();
            });
            QTest::keyClick(&dialog, Qt::Key_F1);  // returns when the About box has closed
            EXPECT_TRUE(aboutWasModal);
            EXPECT_TRUE(aboutClosed);
            EXPECT_EQ(aboutTitle, QStringLiteral("About Tamsel"));
            EXPECT_EQ(aboutVersion, QStringLiteral("ver: 1.2.0"));
            EXPECT_TRUE(dialog.isVisible());
        }
    });
}

TEST_F(AppOnQt, TheCloseButtonEndsTheProgram) {
    WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), 4);
    Run([&](TemplateDialog& dialog) {
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    });
}

TEST_F(AppOnQt, AMissingCameraIsReportedThenTheDialogOpensWithSetButtonsDisabled) {
    WriteDeviceIni(QStringLiteral("Cam X"), 4);
    QtHostOptions options;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool dialogVisibleDuringBox = true;
    options.beforeMessageBox = [&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        icon = box.icon();
        dialogVisibleDuringBox = box.parentWidget() != nullptr && box.parentWidget()->isVisible();
        QTimer::singleShot(50, &box, [&box] {
            SaveScreenshot(box, ShotPath("qt-not-found.png"));
            box.accept();
        });
    };
    Run(
        [&](TemplateDialog& dialog) {
            Pump(50);
            for (int id : kSetButtons) EXPECT_FALSE(dialog.Control(id)->isEnabled()) << id;
            EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ui::IDC_SLIDER_BRIGHTNESS));
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Cam X Tamsel"));
            SaveScreenshot(dialog, ShotPath("qt-dialog-no-camera.png"));
        },
        options);
    EXPECT_EQ(text, QStringLiteral("Cam X is not found! "));
    EXPECT_EQ(title, QStringLiteral("Cam X Tamsel"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_FALSE(dialogVisibleDuringBox) << "the message comes before the dialog is shown";
}

TEST_F(AppOnQt, FunctionLevelsCutTheDialogAboveTheirGroupBox) {
    struct Case {
        int function;
        int cutAt;  // 0: not cut
    };
    const Case cases[] = {
        {1, ui::IDC_GROUP_QUALITY}, {2, ui::IDC_GROUP_COLOR}, {3, ui::IDC_GROUP_VOLUME}, {4, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        bodyRan_ = false;
        WriteDeviceIni(QStringLiteral("Tamsel Virtual Camera"), c.function);
        Run([&](TemplateDialog& dialog) {
            const int fullHeight =
                ui::VerticalDialogUnitsToPixels(dialog.dialogTemplate().height, dialog.baseUnits());
            if (c.cutAt == 0) {
                EXPECT_EQ(dialog.height(), fullHeight);
            } else {
                // The client area ends at the group box's top: the panel and those below
                // it are out of the window.
                EXPECT_EQ(dialog.height(), dialog.Control(c.cutAt)->y());
                EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
            }
            const QByteArray name = "qt-dialog-function" + QByteArray::number(c.function) + ".png";
            SaveScreenshot(dialog, ShotPath(name.constData()));
        });
    }
}

}  // namespace
}  // namespace tamsel::qt::test
