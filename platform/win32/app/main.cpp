// Tamsel.exe's entry point: the steps of the application's start-up that only Windows
// can do, then the portable application object with the Win32 dialog host.

// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs windows.h first
// clang-format on

#include "app/tamsel_app.h"
#include "device/device_settings.h"
#include "platform/win32/app/win32_clock.h"
#include "platform/win32/app/win32_profile_reader.h"
#include "platform/win32/app/win32_version_source.h"
#include "platform/win32/app/win32_working_directory.h"
#include "platform/win32/device/directshow_device_source.h"
#include "platform/win32/host/application_name.h"
#include "platform/win32/host/win32_dialog_runner.h"

namespace {

void RegisterCommonControls() {
    // The trackbar is among the Windows 95 classes; the rest of the dialog's controls
    // are the system's own.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);  // 8
    controls.dwICC = ICC_WIN95_CLASSES;  // 0xFF
    ::InitCommonControlsEx(&controls);
}

void RegisterForRestart() {
    // Restart only: after a crash or an update-driven shutdown the system may start the
    // program again, with no command line (it reads none) and no recovery callback.
    ::RegisterApplicationRestart(nullptr, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RegisterCommonControls();
    RegisterForRestart();

    // What else a dialog application of the class library sets up at this point has no
    // counterpart here, on purpose:
    // - hosting ActiveX controls: neither dialog contains one;
    // - a shell manager: it serves the library's shell dialogs and lists, none of which
    //   the program opens;
    // - a visual manager: it draws the library's own controls; these dialogs use only
    //   the system's controls, which the manifest already gives the themed look;
    // - the profile's registry key: naming it creates nothing, and the program stores no
    //   value under it, so there is nothing to write. Nothing is written to the registry.

    tamsel::win32::DirectShowDeviceSource devices;
    tamsel::win32::Win32WorkingDirectory workingDirectory;
    tamsel::win32::Win32ProfileReader profile;
    tamsel::win32::Win32VersionSource version;
    tamsel::win32::Win32Clock clock;

    tamsel::TamselServices services;
    services.devices = &devices;
    services.workingDirectory = &workingDirectory;
    services.profile = &profile;
    services.version = &version;
    services.clock = &clock;

    tamsel::win32::Win32DialogRunner runner(instance,
                                            tamsel::win32::ApplicationNameFromExecutable());
    tamsel::CTamselApp application(services);
    // InitInstance returns FALSE: the program ends when the dialog does.
    application.InitInstance(runner);

    // The camera's filter was bound for the whole run; let it go here, while the COM
    // apartment it lives in is still open, rather than during static destruction.
    tamsel::TheDeviceSettings().filter.reset();
    return 0;
}
