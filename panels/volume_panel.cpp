// Volume panel: Aux, Earphone and MIC levels on trackbars, a mute box on each row, and
// "Set Volume".

#include <cstdint>

#include "app/tamsel_dlg.h"
#include "app/text_format.h"
#include "device/xu_command.h"
#include "ui/control_ids.h"

namespace tamsel {

namespace {

// Rows in the order of VolumeSliders(): Aux, Earphone, MIC.
struct VolumeRow {
    int maximum;
    int muteBoxId;
    std::int32_t DeviceSettings::*muteField;
};

constexpr VolumeRow kVolumeRows[] = {
    {6, ui::IDC_MUTE_AUX, &DeviceSettings::auxMute},
    {28, ui::IDC_MUTE_EARPHONE, &DeviceSettings::earphoneMute},
    {15, ui::IDC_MUTE_MIC, &DeviceSettings::micMute},
};

constexpr int kLevelMinimum = 1;
constexpr int kVolumeItemCount = 6;       // three levels, then three mutes
constexpr int kVolumeFinishArgument = 6;  // ignored by the closing write; kept as sent
constexpr int kChecked = 1;

}  // namespace

void CTamselDlg::SetUpVolumePanel() {
    const DeviceSettings& settings = TheDeviceSettings();
    const auto sliders = VolumeSliders();
    for (std::size_t row = 0; row < sliders.size(); ++row) {
        TrackbarControl& slider = this->*sliders[row].slider;
        slider.SetRangeMax(kVolumeRows[row].maximum, false);
        slider.SetRangeMin(kLevelMinimum, false);
        slider.SetPos(settings.*sliders[row].field);
    }
    for (const SliderBinding& binding : sliders) {
        this->*binding.text = FormatDecimal(settings.*binding.field);
    }
    // The camera's mute value goes to the box as it is, also when it is neither 0 nor 1.
    for (const VolumeRow& row : kVolumeRows) {
        host_->SetCheck(row.muteBoxId, settings.*row.muteField);
    }
}

void CTamselDlg::OnSetVolume() {
    DeviceSettings& settings = TheDeviceSettings();
    for (const VolumeRow& row : kVolumeRows) {
        settings.*row.muteField = host_->GetCheck(row.muteBoxId) == kChecked ? 1 : 0;
    }
    // All six items go out on every press, changed or not; a failure doesn't stop them.
    for (int index = 0; index < kVolumeItemCount; ++index) {
        settings.lastResult = XuSetCommand(XU_SET_VOLUME_ITEM, index);
    }
    settings.lastResult = XuSetCommand(XU_SET_FINISH, kVolumeFinishArgument);
}

}  // namespace tamsel
