#pragma once
// Runs a dialog through the Qt host's real modal loop and calls `body` once it is on
// screen; the dialog is ended afterwards if the body left it open, and a watchdog ends it
// if the body hangs.

#include <functional>

#include "platform/qt/qt_dialog_host.h"

namespace tamsel::qt::test {

struct RunOutcome {
    int result = 0;  // what the host's Run returned
    bool bodyRan = false;
    bool endedByBody = false;  // the dialog had ended when the body returned
};

RunOutcome RunDialog(ui::DialogBehaviour& behaviour,
                     const std::function<void(QtDialogHost&, TemplateDialog&)>& body,
                     QtHostOptions options = {});

// Processes events for `ms` milliseconds (timers, deferred layout, nested loops).
void Pump(int ms);

}  // namespace tamsel::qt::test
