// Date and time panel: the live local clock in label 1005 and "Set Date and Time".

#include "app/platform_seams.h"
#include "app/tamsel_dlg.h"
#include "app/text_format.h"
#include "device/hresult.h"
#include "device/xu_command.h"
#include "ui/control_ids.h"

namespace tamsel {

namespace {
constexpr unsigned kClockTimerId = 0;
constexpr unsigned kClockPeriodMs = 1000;
constexpr int kClockFontPointTenths = 40;  // 4 pt: the label is small on purpose
const std::wstring kClockFontFace = L"Arial";
}  // namespace

void CTamselDlg::StartClock() {
    RefreshClock();
    // A timer or font that can't be had is not reported: the label then keeps the time
    // of start-up, or draws in the default font.
    host_->SetTimer(kClockTimerId, kClockPeriodMs);
    m_clockFont.created =
        host_->SetControlPointFont(ui::IDC_TIME, kClockFontPointTenths, kClockFontFace);
    if (m_clockFont.created) {
        m_clockFont.pointTenths = kClockFontPointTenths;
        m_clockFont.face = kClockFontFace;
    }
}

void CTamselDlg::RefreshClock() {
    DeviceSettings& settings = TheDeviceSettings();
    LocalTime now;
    m_clockReadable = services_.clock != nullptr && services_.clock->Now(&now);
    if (m_clockReadable) {
        settings.year = now.year;
        settings.month = now.month;
        settings.day = now.day;
        settings.hour = now.hour;
        settings.minute = now.minute;
        settings.second = now.second;
    } else {
        settings.year = 0;
        settings.month = 0;
        settings.day = 0;
        settings.hour = -1;
        settings.minute = -1;
        settings.second = -1;
    }
    host_->SetItemText(ui::IDC_TIME, FormatClock(settings.year, settings.month, settings.day,
                                                 settings.hour, settings.minute, settings.second));
}

// The camera gets the time last shown, not a fresh reading, and no closing write
// follows the date and time. When the local time could not be read, the fields hold the
// failure markers (0/0/0 -1:-1:-1); sending those would set the camera's clock to month 0,
// hour 255, so nothing is sent and the refusal is stored like any other result.
void CTamselDlg::OnSetTime() {
    if (!m_clockReadable) {
        TheDeviceSettings().lastResult = kInvalidArgument;
        return;
    }
    TheDeviceSettings().lastResult = XuSetCommand(XU_SET_DATETIME, 0);
}

}  // namespace tamsel
