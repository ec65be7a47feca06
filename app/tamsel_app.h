#pragma once
// CTamselApp: the portable part of the application object. The platform's entry point
// does what only it can (common controls, restart manager, ...), then calls InitInstance.

#include "app/platform_seams.h"
#include "device/device_list_seam.h"
#include "ui/dialog_host.h"

namespace tamsel {

// Everything the dialogs reach outside themselves, owned by the platform's main().
struct TamselServices {
    CaptureDeviceSource* devices = nullptr;
    WorkingDirectory* workingDirectory = nullptr;
    ProfileReader* profile = nullptr;
    VersionSource* version = nullptr;
    Clock* clock = nullptr;
};

class CTamselApp {
public:
    explicit CTamselApp(const TamselServices& services) : services_(services) {}

    // Runs the main dialog modally through `runner` and returns FALSE, so that the
    // application ends instead of entering a message loop of its own.
    bool InitInstance(ui::DialogRunner& runner);

private:
    TamselServices services_;
};

}  // namespace tamsel
