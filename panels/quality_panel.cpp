// Recording quality panel: three radio buttons, one per quality code, and "Set Quality".

#include "app/tamsel_dlg.h"
#include "device/xu_command.h"

namespace tamsel {

namespace {

struct QualityButton {
    DialogItem CTamselDlg::*button;
    int code;
};

constexpr QualityButton kQualityButtons[] = {
    {&CTamselDlg::m_pQualityHigh, 3},
    {&CTamselDlg::m_pQualityStandard, 2},
    {&CTamselDlg::m_pQualityLow, 1},
};

constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

}  // namespace

void CTamselDlg::ShowQuality() {
    for (const QualityButton& entry : kQualityButtons) (this->*entry.button).SetCheck(kUnchecked);
    // A code the panel doesn't know leaves all three unchecked.
    for (const QualityButton& entry : kQualityButtons) {
        if (entry.code == TheDeviceSettings().quality) (this->*entry.button).SetCheck(kChecked);
    }
}

void CTamselDlg::OnSetQuality() {
    DeviceSettings& settings = TheDeviceSettings();
    // With none checked the quality stays what it was, so an unknown code goes back as is.
    for (const QualityButton& entry : kQualityButtons) {
        if ((this->*entry.button).GetCheck() == kChecked) settings.quality = entry.code;
    }
    settings.lastResult = XuSetCommand(XU_SET_QUALITY, 0);
    // The closing write goes out whatever the first one returned.
    settings.lastResult = XuSetCommand(XU_SET_FINISH, 0);
}

}  // namespace tamsel
