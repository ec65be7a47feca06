// Device.ini during start-up: the title from the camera's name, the missing camera, and
// the cut to the configured panels.

#include "app/device_config.h"

#include "app/tamsel_dlg.h"
#include "app/text_format.h"
#include "ui/control_ids.h"

namespace tamsel {

namespace {

struct FunctionCut {
    int level;
    int groupBoxId;
};

// The panels run top to bottom, so cutting at a group box's top hides that panel and
// every one below it.
constexpr FunctionCut kFunctionCuts[] = {
    {1, ui::IDC_GROUP_QUALITY},
    {2, ui::IDC_GROUP_COLOR},
    {3, ui::IDC_GROUP_VOLUME},
};

}  // namespace

std::wstring ConfigFilePath(const std::wstring& workingDirectory) {
    return JoinIntoBuffer(workingDirectory, L"\\Device.ini", kPathBufferChars);
}

std::wstring TitleForDeviceName(const std::wstring& name) {
    // Only the default itself, compared case-sensitively, loses the name.
    if (name == kDefaultDeviceName) return L" Tamsel";
    return JoinIntoBuffer(name, L" Tamsel", kTitleBufferChars);
}

std::wstring NotFoundMessage(const std::wstring& name) {
    return JoinIntoBuffer(name, L" is not found! ", kMessageBufferChars);
}

int CutGroupForFunctionLevel(int level) {
    for (const FunctionCut& cut : kFunctionCuts) {
        if (cut.level == level) return cut.groupBoxId;
    }
    return 0;
}

void CTamselDlg::ReadDeviceNameAndSetTitle() {
    // A working directory that can't be read or doesn't fit its buffer names no file we
    // could trust (the buffer would hold no path at all), so the defaults apply, as they
    // do for a missing file.
    std::wstring workingDirectory;
    configPathValid_ = services_.workingDirectory != nullptr &&
                       services_.workingDirectory->Get(kPathBufferChars, &workingDirectory);
    configPath_ = configPathValid_ ? ConfigFilePath(workingDirectory) : std::wstring();

    if (configPathValid_ && services_.profile != nullptr) {
        deviceName_ = services_.profile->GetString(kConfigSection, kNameKey, kDefaultDeviceName,
                                                   kNameBufferChars, configPath_);
    } else {
        deviceName_ = kDefaultDeviceName;
    }
    title_ = TitleForDeviceName(deviceName_);
    host_->SetWindowTitle(title_);
}

void CTamselDlg::HandleMissingCamera() {
    m_pSetTime = DialogItem(host_, ui::IDC_SET_TIME);
    m_pSetQuality = DialogItem(host_, ui::IDC_SET_QUALITY);
    m_pSetColor = DialogItem(host_, ui::IDC_SET_COLOR);
    m_pSetVolume = DialogItem(host_, ui::IDC_SET_VOLUME);
    m_pSetTime.EnableWindow(false);
    m_pSetQuality.EnableWindow(false);
    m_pSetColor.EnableWindow(false);
    m_pSetVolume.EnableWindow(false);

    // With the default name the platform captions the box with the application's name.
    const bool defaultName = deviceName_ == kDefaultDeviceName;
    host_->ShowMessageBox(NotFoundMessage(deviceName_), defaultName ? nullptr : &title_,
                          ui::kMbOk | ui::kMbIconQuestion);
}

void CTamselDlg::ApplyFunctionLevel() {
    int level = kDefaultFunctionLevel;
    if (configPathValid_ && services_.profile != nullptr) {
        level = services_.profile->GetInt(kConfigSection, kFunctionKey, kDefaultFunctionLevel,
                                          configPath_);
    }
    const int groupBoxId = CutGroupForFunctionLevel(level);
    if (groupBoxId == 0) return;

    const ui::Rect group = host_->GetItemScreenRect(groupBoxId);
    const ui::Rect window = host_->GetWindowScreenRect();
    // Same left, top and width; the bottom edge on the group box's top edge.
    const ui::Rect cut{window.left, window.top, window.left + window.Width(),
                       window.top + (group.top - window.top)};
    host_->MoveWindow(cut, true);
}

}  // namespace tamsel
