#include "platform/win32/host/win32_dialog_runner.h"

#include "platform/win32/host/win32_dialog_host.h"

namespace tamsel::win32 {

int Win32DialogRunner::RunModal(ui::DialogBehaviour& dialog) {
    Win32DialogHost host(instance_, applicationName_, dialog);
    return host.Run(nullptr);
}

}  // namespace tamsel::win32
