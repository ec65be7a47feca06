#pragma once
// Resource and control numbers for tamsel.rc. The resource compiler can't read the C++
// constants in ui/control_ids.h, so they are repeated here as macros;
// resource_ids_check.cpp fails the build if the two lists ever drift apart.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TAMSEL_DIALOG 102
#define IDR_MAINFRAME 128

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDC_SET_TIME 1000
#define IDC_QUALITY_HIGH 1001
#define IDC_QUALITY_STANDARD 1002
#define IDC_QUALITY_LOW 1003
#define IDC_SET_QUALITY 1004
#define IDC_TIME 1005
#define IDC_VERSION 1006
#define IDC_SLIDER_BRIGHTNESS 1007
#define IDC_EDIT_BRIGHTNESS 1008
#define IDC_SET_COLOR 1009
#define IDC_SLIDER_AUX 1010
#define IDC_SLIDER_CONTRAST 1011
#define IDC_SLIDER_HUE 1012
#define IDC_SLIDER_SATURATION 1013
#define IDC_EDIT_CONTRAST 1014
#define IDC_EDIT_HUE 1015
#define IDC_EDIT_SATURATION 1016
#define IDC_SLIDER_EARPHONE 1017
#define IDC_SLIDER_MIC 1018
#define IDC_EDIT_AUX 1019
#define IDC_EDIT_EARPHONE 1020
#define IDC_EDIT_MIC 1021
#define IDC_MUTE_AUX 1022
#define IDC_MUTE_EARPHONE 1023
#define IDC_MUTE_MIC 1024
#define IDC_SET_VOLUME 1025
#define IDC_GROUP_COLOR 1026
#define IDC_GROUP_VOLUME 1027
#define IDC_GROUP_QUALITY 1028
#define IDC_ABOUT_VERSION 1029
