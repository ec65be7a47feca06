// Colour panel: brightness, contrast, hue and saturation on trackbars of 0 to 100, and
// "Set Color".

#include "app/tamsel_dlg.h"
#include "app/text_format.h"
#include "device/xu_command.h"

namespace tamsel {

namespace {
constexpr int kColorMinimum = 0;
constexpr int kColorMaximum = 100;
constexpr int kColorFinishArgument = 4;  // ignored by the closing write; kept as sent
}  // namespace

void CTamselDlg::SetUpColorPanel() {
    const DeviceSettings& settings = TheDeviceSettings();
    for (const SliderBinding& binding : ColorSliders()) {
        TrackbarControl& slider = this->*binding.slider;
        slider.SetRangeMin(kColorMinimum, false);
        slider.SetRangeMax(kColorMaximum, false);
        slider.SetPos(settings.*binding.field);
    }
    // The texts keep the camera's values even where the trackbar had to clamp them.
    for (const SliderBinding& binding : ColorSliders()) {
        this->*binding.text = FormatDecimal(settings.*binding.field);
    }
}

void CTamselDlg::OnSetColor() {
    DeviceSettings& settings = TheDeviceSettings();
    // One write per item; a failed one doesn't stop the others.
    for (int index = 0; index < static_cast<int>(ColorSliders().size()); ++index) {
        settings.lastResult = XuSetCommand(XU_SET_COLOR_ITEM, index);
    }
    settings.lastResult = XuSetCommand(XU_SET_FINISH, kColorFinishArgument);
}

}  // namespace tamsel
