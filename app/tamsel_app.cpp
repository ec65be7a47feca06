#include "app/tamsel_app.h"

#include "app/tamsel_dlg.h"

namespace tamsel {

bool CTamselApp::InitInstance(ui::DialogRunner& runner) {
    CTamselDlg dialog(services_);
    // The modal result isn't looked at: however the dialog ends, the program ends.
    runner.RunModal(dialog);
    return false;
}

}  // namespace tamsel
