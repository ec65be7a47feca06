#include "ui/dialog_templates.h"

#include "ui/control_ids.h"

namespace tamsel::ui {
namespace {

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kRadio = kBsAutoRadioButton;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kGroup = kBsGroupBox;
constexpr std::uint32_t kTrackbar = kTbsHorz | kTbsNoTicks | kTbsBoth | kWsTabStop;
constexpr std::uint32_t kEdit = kEsAutoHScroll | kEsReadOnly | kWsBorder | kWsTabStop;

using K = ControlKind;

// Template order is tab order. "High" opens the radio group and "Set Quality" closes it,
// so the three quality buttons are one group and nothing else is in it.
constexpr ControlTemplate kMainControls[] = {
    {IDC_SET_TIME, K::PushButton, L"Set Date and Time", 177, 30, 87, 30, kButton},
    {IDC_GROUP_QUALITY, K::GroupBox, L"SD Card Recording Video Quality", 15, 80, 254, 70, kGroup},
    {IDC_QUALITY_HIGH, K::AutoRadioButton, L"High", 25, 100, 30, 10, kRadio | kWsGroup},
    {IDC_QUALITY_STANDARD, K::AutoRadioButton, L"Standard", 25, 115, 40, 10, kRadio},
    {IDC_QUALITY_LOW, K::AutoRadioButton, L"Low", 25, 130, 30, 10, kRadio},
    {IDC_SET_QUALITY, K::PushButton, L"Set Quality", 177, 107, 87, 30, kButton | kWsGroup},
    {IDC_STATIC, K::GroupBox, L"Date and Time", 15, 15, 254, 58, kGroup},
    {IDC_TIME, K::Label, L"Time", 30, 39, 96, 17, kSsLeft},
    {IDC_VERSION, K::Label, L"V1.0.0", 236, 7, 35, 8, kSsRight},
    {IDC_GROUP_COLOR, K::GroupBox, L"SD Card Recording Color Setting", 15, 157, 254, 83, kGroup},
    {IDC_STATIC, K::Label, L"Brightness", 25, 171, 34, 8, kSsLeft},
    {IDC_STATIC, K::Label, L"Contrast", 25, 190, 29, 8, kSsLeft},
    {IDC_STATIC, K::Label, L"Hue", 25, 204, 14, 8, kSsLeft},
    {IDC_STATIC, K::Label, L"Saturation", 25, 221, 34, 8, kSsLeft},
    {IDC_SLIDER_BRIGHTNESS, K::Trackbar, L"", 75, 171, 100, 12, kTrackbar},
    {IDC_SLIDER_CONTRAST, K::Trackbar, L"", 75, 190, 100, 12, kTrackbar},
    {IDC_SLIDER_HUE, K::Trackbar, L"", 75, 205, 100, 12, kTrackbar},
    {IDC_SLIDER_SATURATION, K::Trackbar, L"", 75, 220, 100, 12, kTrackbar},
    {IDC_EDIT_BRIGHTNESS, K::Edit, L"", 183, 169, 20, 14, kEdit},
    {IDC_EDIT_CONTRAST, K::Edit, L"", 183, 186, 20, 14, kEdit},
    {IDC_EDIT_HUE, K::Edit, L"", 183, 203, 20, 14, kEdit},
    {IDC_EDIT_SATURATION, K::Edit, L"", 183, 220, 20, 14, kEdit},
    {IDC_SET_COLOR, K::PushButton, L"Set Color", 213, 213, 50, 20, kButton},
    {IDC_SLIDER_AUX, K::Trackbar, L"", 75, 260, 100, 12, kTrackbar},
    {IDC_STATIC, K::Label, L"Aux", 25, 262, 14, 8, kSsLeft},
    {IDC_STATIC, K::Label, L"Earphone", 25, 280, 32, 8, kSsLeft},
    {IDC_STATIC, K::Label, L"MIC", 26, 298, 14, 8, kSsLeft},
    {IDC_SLIDER_EARPHONE, K::Trackbar, L"", 75, 280, 100, 12, kTrackbar},
    {IDC_SLIDER_MIC, K::Trackbar, L"", 75, 296, 100, 12, kTrackbar},
    {IDC_EDIT_AUX, K::Edit, L"", 183, 259, 20, 14, kEdit},
    {IDC_EDIT_EARPHONE, K::Edit, L"", 183, 277, 20, 14, kEdit},
    {IDC_EDIT_MIC, K::Edit, L"", 183, 295, 20, 14, kEdit},
    {IDC_GROUP_VOLUME, K::GroupBox, L"Volume Setting", 15, 248, 254, 105, kGroup},
    {IDC_MUTE_AUX, K::AutoCheckBox, L"Mute", 216, 262, 32, 10, kCheck},
    {IDC_MUTE_EARPHONE, K::AutoCheckBox, L"Mute", 216, 280, 32, 10, kCheck},
    {IDC_MUTE_MIC, K::AutoCheckBox, L"Mute", 216, 298, 32, 10, kCheck},
    {IDC_SET_VOLUME, K::PushButton, L"Set Volume", 211, 319, 50, 20, kButton},
};

constexpr ControlTemplate kAboutControls[] = {
    {IDC_STATIC, K::Icon, L"", 14, 14, 20, 20, kSsIcon, IDR_MAINFRAME},
    {IDC_ABOUT_VERSION, K::Label, L"ver", 42, 14, 114, 8, kSsLeft | kSsNoPrefix},
    {IDC_STATIC, K::Label, L"Copyright (C) 2026", 42, 26, 114, 8, kSsLeft},
    {IDOK, K::DefaultPushButton, L"OK", 113, 41, 50, 14, kBsDefPushButton | kWsGroup | kWsTabStop},
};

constexpr std::uint32_t kDialogFrame = kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu;
constexpr std::uint32_t kShellFont = kDsSetFont | kDsFixedSys;

constexpr DialogTemplate kMainDialog{
    IDD_TAMSEL_DIALOG, L"Tamsel", 291, 358, L"MS Shell Dlg", 8,
    kDialogFrame | kWsVisible | kShellFont, kWsExAppWindow, kMainControls};

constexpr DialogTemplate kAboutDialog{
    IDD_ABOUTBOX, L"About Tamsel", 170, 62, L"MS Shell Dlg", 8,
    kDialogFrame | kShellFont, 0, kAboutControls};

}  // namespace

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }
const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

const DialogTemplate* FindDialogTemplate(int id) {
    if (id == IDD_TAMSEL_DIALOG) return &kMainDialog;
    if (id == IDD_ABOUTBOX) return &kAboutDialog;
    return nullptr;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId) {
    if (controlId == IDC_STATIC) return nullptr;
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == controlId) return &control;
    }
    return nullptr;
}

}  // namespace tamsel::ui
