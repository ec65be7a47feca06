// Tamsel on Linux: the portable application on Qt widgets, V4L2 cameras (plus the virtual
// camera when TAMSEL_VIRTUAL_CAMERA names its state file) and POSIX services.
//
//   Tamsel [--screenshot <file.png>]
//
// --screenshot (or TAMSEL_SCREENSHOT=<file.png>) renders the dialog once it is up, writes
// it to the file and ends the program; a message box on the way is written beside it
// (<file>-message.png) and answered with its default button. This serves machines
// without a display, with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/ini_profile_reader.h"
#include "app/tamsel_app.h"
#include "platform/linux/linux_platform_services.h"
#include "platform/linux/v4l2_device_source.h"
#include "platform/qt/app_icon.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/screenshot.h"

namespace {

// Time for the first clock tick and any late layout before the picture is taken.
constexpr int kScreenshotDelayMs = 1200;

QString ScreenshotPath(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < arguments.size()) return arguments.at(at + 1);
    return qEnvironmentVariable("TAMSEL_SCREENSHOT");
}

QString MessageBoxShotPath(const QString& screenshotPath) {
    QString path = screenshotPath;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path.chop(4);
    return path + QStringLiteral("-message.png");
}

tamsel::qt::QtHostOptions ScreenshotOptions(const QString& path) {
    tamsel::qt::QtHostOptions options;
    options.beforeMessageBox = [path](QMessageBox& box) {
        QTimer::singleShot(kScreenshotDelayMs / 4, &box, [&box, path] {
            const QString shot = MessageBoxShotPath(path);
            const bool saved = tamsel::qt::SaveScreenshot(box, shot);
            std::printf("Tamsel: message box \"%s\" answered with OK%s%s\n", qPrintable(box.text()),
                        saved ? "; its picture: " : "", saved ? qPrintable(shot) : "");
            box.accept();
        });
    };
    options.afterShown = [path](tamsel::qt::TemplateDialog& dialog) {
        QTimer::singleShot(kScreenshotDelayMs, &dialog, [&dialog, path] {
            if (!tamsel::qt::SaveScreenshot(dialog, path)) {
                std::fprintf(stderr, "Tamsel: could not write %s\n", qPrintable(path));
            }
            dialog.done(QDialog::Rejected);
        });
    };
    return options;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The application's name stays the executable's file name, as on Windows: it is the
    // caption of a message box that is given none.
    application.setWindowIcon(tamsel::qt::ApplicationIcon());

    using namespace tamsel::linux_platform;
    V4l2DeviceSourceOptions deviceOptions;
    deviceOptions.virtualCameraFile = VirtualCameraFileFromEnvironment();
    V4l2DeviceSource devices(RealLinuxKernel(), deviceOptions);
    PosixWorkingDirectory workingDirectory;
    BuildVersionSource version;
    PosixClock clock;
    // The portable reader takes the dialog's "dir\Device.ini" as it is built.
    tamsel::IniProfileReader profile;

    tamsel::TamselServices services;
    services.devices = &devices;
    services.workingDirectory = &workingDirectory;
    services.profile = &profile;
    services.version = &version;
    services.clock = &clock;

    const QString screenshot = ScreenshotPath(application.arguments());
    tamsel::qt::QtDialogRunner runner(screenshot.isEmpty() ? tamsel::qt::QtHostOptions{}
                                                           : ScreenshotOptions(screenshot));
    tamsel::CTamselApp(services).InitInstance(runner);
    return 0;
}
