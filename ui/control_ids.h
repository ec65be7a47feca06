#pragma once
// Control identifiers of dialog templates 102 (main) and 100 (About), and the other
// resource numbers the dialogs use. Both front ends and the .rc file share them.

namespace tamsel::ui {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_TAMSEL_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;

constexpr int IDC_STATIC = -1;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

constexpr int IDC_SET_TIME = 1000;
constexpr int IDC_QUALITY_HIGH = 1001;
constexpr int IDC_QUALITY_STANDARD = 1002;
constexpr int IDC_QUALITY_LOW = 1003;
constexpr int IDC_SET_QUALITY = 1004;
constexpr int IDC_TIME = 1005;
constexpr int IDC_VERSION = 1006;
constexpr int IDC_SLIDER_BRIGHTNESS = 1007;
constexpr int IDC_EDIT_BRIGHTNESS = 1008;
constexpr int IDC_SET_COLOR = 1009;
constexpr int IDC_SLIDER_AUX = 1010;
constexpr int IDC_SLIDER_CONTRAST = 1011;
constexpr int IDC_SLIDER_HUE = 1012;
constexpr int IDC_SLIDER_SATURATION = 1013;
constexpr int IDC_EDIT_CONTRAST = 1014;
constexpr int IDC_EDIT_HUE = 1015;
constexpr int IDC_EDIT_SATURATION = 1016;
constexpr int IDC_SLIDER_EARPHONE = 1017;
constexpr int IDC_SLIDER_MIC = 1018;
constexpr int IDC_EDIT_AUX = 1019;
constexpr int IDC_EDIT_EARPHONE = 1020;
constexpr int IDC_EDIT_MIC = 1021;
constexpr int IDC_MUTE_AUX = 1022;
constexpr int IDC_MUTE_EARPHONE = 1023;
constexpr int IDC_MUTE_MIC = 1024;
constexpr int IDC_SET_VOLUME = 1025;
constexpr int IDC_GROUP_COLOR = 1026;
constexpr int IDC_GROUP_VOLUME = 1027;
constexpr int IDC_GROUP_QUALITY = 1028;
constexpr int IDC_ABOUT_VERSION = 1029;

// System-menu command of the About item; commands compare with their low four bits cleared.
constexpr unsigned IDM_ABOUTBOX = 0x0010;

// Message-box type bits (the platform's values).
constexpr unsigned kMbOk = 0x00000000;
constexpr unsigned kMbIconQuestion = 0x00000020;

}  // namespace tamsel::ui
