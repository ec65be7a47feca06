#include "app/about_dlg.h"

#include "app/text_format.h"
#include "device/device_settings.h"
#include "ui/control_ids.h"

namespace tamsel {

int CAboutDlg::TemplateId() const {
    return ui::IDD_ABOUTBOX;
}

void CAboutDlg::Attach(ui::DialogHost* host) {
    host_ = host;
}

bool CAboutDlg::OnInitDialog() {
    const DeviceSettings& settings = TheDeviceSettings();
    host_->SetItemText(
        ui::IDC_ABOUT_VERSION,
        FormatVersion(settings.versionMajor, settings.versionMinor, settings.versionBuild));
    return true;
}

void CAboutDlg::Dispatch(const ui::DialogEvent&) {
    host_->RunDefaultHandler();
}

// The About box has nothing to exchange, so OK only ends it.
void CAboutDlg::OnOK() {
    host_->EndDialog(ui::IDOK);
}

void CAboutDlg::OnCancel() {
    host_->EndDialog(ui::IDCANCEL);
}

}  // namespace tamsel
