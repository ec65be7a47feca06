#pragma once
// Dialog templates 102 (main) and 100 (About) as data: the one description both user
// interfaces are built from. res/tamsel.rc carries the same templates for Windows, and a
// test compares the two control by control. Style values are the platform's numbers.

#include <cstdint>
#include <span>

namespace tamsel::ui {

// Window and dialog styles.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;  // same bit as WS_GROUP, on a top-level window
constexpr std::uint32_t kWsMaximizeBox = 0x00010000;  // same bit as WS_TABSTOP, on a top-level window
constexpr std::uint32_t kDsSetFont = 0x00000040;
constexpr std::uint32_t kDsModalFrame = 0x00000080;
constexpr std::uint32_t kDsFixedSys = 0x00000008;
constexpr std::uint32_t kWsExAppWindow = 0x00040000;

// Control styles.
constexpr std::uint32_t kBsPushButton = 0x0;
constexpr std::uint32_t kBsDefPushButton = 0x1;
constexpr std::uint32_t kBsAutoCheckBox = 0x3;
constexpr std::uint32_t kBsGroupBox = 0x7;
constexpr std::uint32_t kBsAutoRadioButton = 0x9;
constexpr std::uint32_t kSsLeft = 0x0;
constexpr std::uint32_t kSsRight = 0x2;
constexpr std::uint32_t kSsIcon = 0x3;
constexpr std::uint32_t kSsNoPrefix = 0x80;
constexpr std::uint32_t kEsAutoHScroll = 0x80;
constexpr std::uint32_t kEsReadOnly = 0x800;
constexpr std::uint32_t kTbsHorz = 0x0;
constexpr std::uint32_t kTbsBoth = 0x8;
constexpr std::uint32_t kTbsNoTicks = 0x10;

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    GroupBox,
    AutoRadioButton,
    AutoCheckBox,
    Label,
    Icon,
    Trackbar,
    Edit,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const wchar_t* caption;  // for an icon: empty; the icon is resource `iconId`
    int x, y, width, height; // dialog units
    std::uint32_t style;     // control style without WS_CHILD | WS_VISIBLE
    int iconId = 0;
};

struct DialogTemplate {
    int id;
    const wchar_t* caption;
    int width, height;  // dialog units
    const wchar_t* fontFace;
    int fontPointSize;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::span<const ControlTemplate> controls;  // template (and tab) order
};

const DialogTemplate& MainDialogTemplate();   // 102
const DialogTemplate& AboutDialogTemplate();  // 100
// nullptr for an unknown id.
const DialogTemplate* FindDialogTemplate(int id);
const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId);

}  // namespace tamsel::ui
