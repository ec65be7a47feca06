// The program's version in label 1006 and the About item of the system menu.

#include <cstdint>

#include "app/tamsel_dlg.h"
#include "app/text_format.h"
#include "ui/control_ids.h"

namespace tamsel {

void CTamselDlg::AddAboutItemToSystemMenu() {
    if (!host_->HasSystemMenu()) return;
    const std::wstring text = host_->LoadStringResource(ui::IDS_ABOUTBOX);
    if (text.empty()) return;
    host_->AppendSystemMenuSeparator();
    host_->AppendSystemMenuItem(ui::IDM_ABOUTBOX, text);
}

void CTamselDlg::ShowVersion() {
    DeviceSettings& settings = TheDeviceSettings();
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;
    // Without readable version information the record keeps its 1.0.0.0.
    if (services_.version != nullptr &&
        services_.version->ReadFileVersion(&mostSignificant, &leastSignificant)) {
        settings.versionMajor = static_cast<std::int32_t>(mostSignificant >> 16);
        settings.versionMinor = static_cast<std::int32_t>(mostSignificant & 0xFFFFu);
        settings.versionBuild = static_cast<std::int32_t>(leastSignificant >> 16);
        settings.versionRevision = static_cast<std::int32_t>(leastSignificant & 0xFFFFu);
    }
    host_->SetItemText(ui::IDC_VERSION, FormatVersion(settings.versionMajor, settings.versionMinor,
                                                      settings.versionBuild));
}

}  // namespace tamsel
