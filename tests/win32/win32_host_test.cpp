// The Win32 dialog host on its own, in this process: a scripted behaviour runs on the
// real templates (linked into this test from res/), and the dialog manager's own
// behaviour (focus, Enter and Escape, WM_CLOSE, the system menu) is checked through what
// reaches the behaviour.

// clang-format off
#include "ui/control_ids.h"
#include "ui/dialog_host.h"
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/host/gdi_font.h"
#include "platform/win32/host/win32_dialog_host.h"
#include "platform/win32/host/win32_dialog_runner.h"
#include "ui/dialog_templates.h"

namespace tamsel::win32::test {
namespace {

// What reached the behaviour, in order: "init", "ok", "cancel", or a dispatched message.
struct Seen {
    std::string what;
    int controlId = 0;
    unsigned code = 0;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << seen.what << "(" << seen.controlId << "," << seen.code << ")";
}

const char* MessageName(ui::DialogMessage message) {
    switch (message) {
        case ui::DialogMessage::SysCommand:
            return "syscommand";
        case ui::DialogMessage::Paint:
            return "paint";
        case ui::DialogMessage::QueryDragIcon:
            return "querydragicon";
        case ui::DialogMessage::Command:
            return "command";
        case ui::DialogMessage::Timer:
            return "timer";
        case ui::DialogMessage::Close:
            return "close";
        case ui::DialogMessage::HScroll:
            return "hscroll";
    }
    return "?";
}

// A dialog whose handlers are the test's. By default every message gets the platform's
// default handling, OK and Cancel end the dialog, as the class library's dialog does.
class ScriptedDialog : public ui::DialogBehaviour {
  public:
    explicit ScriptedDialog(int templateId = ui::IDD_TAMSEL_DIALOG) : templateId_(templateId) {}

    std::function<bool(ui::DialogHost&, HWND)> onInit = [](ui::DialogHost&, HWND) { return true; };
    // Return true when handled; false runs the default handling.
    std::function<bool(ui::DialogHost&, const ui::DialogEvent&)> onMessage =
        [](ui::DialogHost&, const ui::DialogEvent&) { return false; };
    std::vector<Seen> seen;
    HWND window = nullptr;
    bool attachedBeforeInit = false;

    int TemplateId() const override { return templateId_; }
    void Attach(ui::DialogHost* host) override { host_ = host; }
    bool OnInitDialog() override {
        attachedBeforeInit = host_ != nullptr;
        seen.push_back({"init"});
        window = static_cast<Win32DialogHost*>(host_)->window();
        return onInit(*host_, window);
    }
    void Dispatch(const ui::DialogEvent& event) override {
        // Painting and timers happen whenever the system likes; they aren't recorded.
        if (event.message != ui::DialogMessage::Paint) {
            const unsigned code = event.message == ui::DialogMessage::Command ||
                                          event.message == ui::DialogMessage::HScroll
                                      ? event.notifyCode
                                      : event.commandId;
            seen.push_back({MessageName(event.message), event.controlId, code});
        }
        if (!onMessage(*host_, event)) host_->RunDefaultHandler();
    }
    void OnOK() override {
        seen.push_back({"ok"});
        host_->EndDialog(IDOK);
    }
    void OnCancel() override {
        seen.push_back({"cancel"});
        host_->EndDialog(IDCANCEL);
    }

  private:
    int templateId_;
    ui::DialogHost* host_ = nullptr;
};

class Win32Host : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
    int Run(ScriptedDialog& dialog) {
        Win32DialogRunner runner(::GetModuleHandleW(nullptr), L"HostTest");
        return runner.RunModal(dialog);
    }
};

TEST_F(Win32Host, CloseFromTheSystemMenuEndsThroughTheDefaultHandlers) {
    ScriptedDialog dialog;
    dialog.onInit = [](ui::DialogHost&, HWND window) {
        ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    };
    EXPECT_EQ(Run(dialog), IDCANCEL);
    EXPECT_TRUE(dialog.attachedBeforeInit);
    // SC_CLOSE's default sends WM_CLOSE; WM_CLOSE's default posts IDCANCEL: the default
    // Cancel command ends the dialog.
    EXPECT_EQ(dialog.seen,
              (std::vector<Seen>{{"init"}, {"syscommand", 0, SC_CLOSE}, {"close"}, {"cancel"}}));
}

// Enter and Escape, delivered as keystrokes to the focused control, as the dialog manager
// sees them in its modal loop.
struct KeyCase {
    const char* name;
    bool disableSetButtons;
    UINT key;
    std::vector<Seen> expected;
};

class Win32HostKeys : public Win32Host, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Win32HostKeys, GoToTheFocusedButtonOrTheDefaultCommands) {
    const KeyCase& c = GetParam();
    constexpr UINT_PTR kSendKey = 7;
    constexpr UINT_PTR kGiveUp = 99;
    ScriptedDialog dialog;
    dialog.onInit = [&](ui::DialogHost& host, HWND window) {
        if (c.disableSetButtons) {
            for (int id :
                 {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
                host.EnableItem(id, false);
            }
        }
        // The focus is placed after OnInitDialog returns: the key goes out on a timer tick.
        ::SetTimer(window, kSendKey, 0, nullptr);
        ::SetTimer(window, kGiveUp, 10000, nullptr);
        return true;
    };
    dialog.onMessage = [&](ui::DialogHost& host, const ui::DialogEvent& event) {
        if (event.message == ui::DialogMessage::Timer && event.commandId == kSendKey) {
            ::KillTimer(dialog.window, kSendKey);
            // Posted to the focused control: the modal loop hands it to IsDialogMessage.
            HWND focus = ::GetFocus();
            ::PostMessageW(focus, WM_KEYDOWN, c.key, 1);
            ::PostMessageW(focus, WM_KEYUP, c.key, 0xC0000001);
            return true;
        }
        if (event.message == ui::DialogMessage::Timer) {
            host.EndDialog(-2);
            return true;
        }
        if (event.message == ui::DialogMessage::Command && event.controlId == ui::IDC_SET_TIME) {
            host.EndDialog(ui::IDC_SET_TIME);
            return true;
        }
        return false;
    };
    Run(dialog);
    std::vector<Seen> seen;
    for (const Seen& s : dialog.seen) {
        if (s.what != "timer") seen.push_back(s);
    }
    EXPECT_EQ(seen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EnterAndEscape, Win32HostKeys,
    ::testing::Values(
        // The focus is on Set Date and Time: Enter presses it.
        KeyCase{"EnterPressesTheFocusedButton",
                false,
                VK_RETURN,
                {{"init"}, {"command", ui::IDC_SET_TIME, BN_CLICKED}}},
        // No push button has the focus (the Set buttons are off): Enter is the default OK.
        KeyCase{"EnterWithoutAFocusedButtonIsOk", true, VK_RETURN, {{"init"}, {"ok"}}},
        KeyCase{"EscapeIsCancel", false, VK_ESCAPE, {{"init"}, {"cancel"}}}),
    [](const auto& param) { return std::string(param.param.name); });

// Which control has the focus after OnInitDialog returns TRUE: the first enabled tab stop.
struct FocusCase {
    const char* name;
    bool disableSetButtons;
    int checkedRadio;  // 0: none
    int expectedFocus;
};

class Win32HostFocus : public Win32Host, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(Win32HostFocus, GoesToTheFirstEnabledTabStop) {
    const FocusCase& c = GetParam();
    ScriptedDialog dialog;
    int focusedId = 0;
    dialog.onInit = [&](ui::DialogHost& host, HWND window) {
        if (c.disableSetButtons) {
            for (int id :
                 {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
                host.EnableItem(id, false);
            }
        }
        if (c.checkedRadio != 0) host.SetCheck(c.checkedRadio, BST_CHECKED);
        ::SetTimer(window, 5, 0, nullptr);
        return true;
    };
    dialog.onMessage = [&](ui::DialogHost& host, const ui::DialogEvent& event) {
        if (event.message == ui::DialogMessage::Timer) {
            focusedId = ::GetDlgCtrlID(::GetFocus());
            host.EndDialog(IDOK);
            return true;
        }
        return false;
    };
    Run(dialog);
    EXPECT_EQ(focusedId, c.expectedFocus);
}

INSTANTIATE_TEST_SUITE_P(
    AfterInit, Win32HostFocus,
    ::testing::Values(FocusCase{"SetTimeWhenEnabled", false, ui::IDC_QUALITY_LOW, ui::IDC_SET_TIME},
                      FocusCase{"BrightnessWhenSetButtonsOffAndNoRadioChecked", true, 0,
                                ui::IDC_SLIDER_BRIGHTNESS},
                      // A checked radio button becomes a tab stop, and comes before the trackbars.
                      FocusCase{"CheckedRadioWhenSetButtonsOff", true, ui::IDC_QUALITY_STANDARD,
                                ui::IDC_QUALITY_STANDARD}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Win32Host, ControlsAnswerThroughTheirMessages) {
    ScriptedDialog dialog;
    dialog.onInit = [](ui::DialogHost& host, HWND window) {
        host.SetTrackbarRangeMax(ui::IDC_SLIDER_MIC, 15, false);
        host.SetTrackbarRangeMin(ui::IDC_SLIDER_MIC, 1, false);
        host.SetTrackbarPos(ui::IDC_SLIDER_MIC, 40, true);  // clamped by the control
        EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_MIC), 15);
        host.SetTrackbarPos(ui::IDC_SLIDER_MIC, 0, true);
        EXPECT_EQ(host.GetTrackbarPos(ui::IDC_SLIDER_MIC), 1);

        host.SetCheck(ui::IDC_MUTE_AUX, BST_CHECKED);
        EXPECT_EQ(host.GetCheck(ui::IDC_MUTE_AUX), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(window, ui::IDC_MUTE_AUX), BST_CHECKED);

        host.SetItemText(ui::IDC_EDIT_HUE, L"42");
        EXPECT_EQ(host.GetItemText(ui::IDC_EDIT_HUE), L"42");
        host.SetWindowTitle(L"Cam X Tamsel");
        wchar_t title[64] = {};
        ::GetWindowTextW(window, title, 64);
        EXPECT_STREQ(title, L"Cam X Tamsel");

        host.EnableItem(ui::IDC_SET_COLOR, false);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, ui::IDC_SET_COLOR)));

        RECT rect{};
        ::GetWindowRect(::GetDlgItem(window, ui::IDC_GROUP_COLOR), &rect);
        EXPECT_EQ(host.GetItemScreenRect(ui::IDC_GROUP_COLOR),
                  (ui::Rect{rect.left, rect.top, rect.right, rect.bottom}));

        EXPECT_EQ(host.LoadStringResource(ui::IDS_ABOUTBOX), L"&About Tamsel...");
        EXPECT_EQ(host.LoadStringResource(4242), L"");

        // The icon, big then small, is the one the drag-icon query answers with.
        host.SetIcon(true);
        host.SetIcon(false);
        const auto big = ::SendMessageW(window, WM_GETICON, ICON_BIG, 0);
        EXPECT_NE(big, 0);
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0), big);
        EXPECT_EQ(::SendMessageW(window, WM_QUERYDRAGICON, 0, 0), big);

        // The system menu gains a separator and the About item at its end.
        EXPECT_TRUE(host.HasSystemMenu());
        HMENU menu = ::GetSystemMenu(window, FALSE);
        const int before = ::GetMenuItemCount(menu);
        host.AppendSystemMenuSeparator();
        host.AppendSystemMenuItem(ui::IDM_ABOUTBOX, L"&About Tamsel...");
        EXPECT_EQ(::GetMenuItemCount(menu), before + 2);
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof(separator);
        separator.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(before), TRUE, &separator);
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
        EXPECT_EQ(::GetMenuItemID(menu, before + 1), ui::IDM_ABOUTBOX);
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(before + 1), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, L"&About Tamsel...");

        // Scroll notifications name their trackbar; one without a control names none.
        HWND trackbar = ::GetDlgItem(window, ui::IDC_SLIDER_HUE);
        ::PostMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 3),
                       reinterpret_cast<LPARAM>(trackbar));
        ::PostMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), 0);
        ::PostMessageW(window, WM_SYSCOMMAND, ui::IDM_ABOUTBOX, 0);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    };
    dialog.onMessage = [](ui::DialogHost&, const ui::DialogEvent& event) {
        // The About command is the behaviour's; it mustn't reach the default handling.
        return event.message == ui::DialogMessage::SysCommand;
    };
    EXPECT_EQ(Run(dialog), IDCANCEL);
    // Setting the edit's text brings its own change notifications; they aren't the point here.
    std::vector<Seen> seen;
    for (const Seen& s : dialog.seen) {
        if (s.what == "command" && s.controlId == ui::IDC_EDIT_HUE) continue;
        if (s.what != "querydragicon") seen.push_back(s);
    }
    EXPECT_EQ(seen, (std::vector<Seen>{{"init"},
                                       {"hscroll", ui::IDC_SLIDER_HUE, TB_THUMBTRACK},
                                       {"hscroll", 0, TB_ENDTRACK},
                                       {"syscommand", 0, ui::IDM_ABOUTBOX},
                                       {"close"},
                                       {"cancel"}}));
}

TEST_F(Win32Host, ClockFontIsAPointFontOwnedByTheDialog) {
    ScriptedDialog dialog;
    HFONT given = nullptr;
    dialog.onInit = [&](ui::DialogHost& host, HWND window) {
        EXPECT_TRUE(host.SetControlPointFont(ui::IDC_TIME, 40, L"Arial"));
        given =
            reinterpret_cast<HFONT>(::SendDlgItemMessageW(window, ui::IDC_TIME, WM_GETFONT, 0, 0));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    };
    Run(dialog);
    ASSERT_NE(given, nullptr);
    // Gone with the dialog: no longer a GDI object.
    EXPECT_EQ(::GetObjectType(given), 0u);

    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    UniqueFont font = CreatePointFont(40, L"Arial");
    LOGFONTW logFont{};
    ASSERT_EQ(::GetObjectW(font.get(), sizeof(logFont), &logFont),
              static_cast<int>(sizeof(logFont)));
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(40, dpi, 720));
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");
    EXPECT_EQ(logFont.lfWeight, 0);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
}

TEST(PointFontHeight, RoundsToTheNearestPixelAsACharacterHeight) {
    const struct {
        int dpi;
        int expected;
    } cases[] = {{96, -5}, {120, -7}, {144, -8}, {192, -11}};
    for (const auto& c : cases) EXPECT_EQ(PointFontHeight(40, c.dpi), c.expected) << c.dpi;
}

TEST_F(Win32Host, CentresOnTheWorkAreaAndRunsAChildOwnedByTheDialog) {
    ScriptedDialog dialog;
    ScriptedDialog about(ui::IDD_ABOUTBOX);
    HWND aboutOwner = nullptr;
    about.onInit = [&](ui::DialogHost&, HWND window) {
        aboutOwner = ::GetWindow(window, GW_OWNER);
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    };
    int childResult = 0;
    dialog.onInit = [&](ui::DialogHost& host, HWND window) {
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        host.CenterWindow();
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT rect{};
        ::GetWindowRect(window, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        EXPECT_EQ(rect.left, std::max<LONG>(work.left, (work.left + work.right) / 2 - width / 2));
        EXPECT_EQ(rect.top, std::max<LONG>(work.top, (work.top + work.bottom) / 2 - height / 2));

        // Shortening keeps the top left corner.
        host.MoveWindow({rect.left, rect.top, rect.right, rect.top + 100}, true);
        EXPECT_EQ(host.GetWindowScreenRect(),
                  (ui::Rect{rect.left, rect.top, rect.right, rect.top + 100}));

        childResult = host.RunModalChild(about);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    };
    Run(dialog);
    EXPECT_EQ(childResult, IDOK);
    EXPECT_EQ(aboutOwner, dialog.window);
    EXPECT_EQ(about.seen, (std::vector<Seen>{{"init"}, {"ok"}}));
}

// The dialog manager builds from the resource what the C++ table describes: the same
// controls in the same order, with the table's classes, texts, styles and rectangles
// once dialog units are converted for this dialog's font.
class BuiltDialog : public ::testing::TestWithParam<int> {
  protected:
    static INT_PTR CALLBACK Ignore(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};

TEST_P(BuiltDialog, MatchesTheTableControlByControl) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const ui::DialogTemplate* table = ui::FindDialogTemplate(GetParam());
    ASSERT_NE(table, nullptr);
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GetParam()),
                                       nullptr, &BuiltDialog::Ignore, 0);
    ASSERT_NE(dialog, nullptr);

    RECT client{};
    ::GetClientRect(dialog, &client);
    RECT expectedClient{0, 0, table->width, table->height};
    ::MapDialogRect(dialog, &expectedClient);
    EXPECT_EQ(client.right, expectedClient.right);
    EXPECT_EQ(client.bottom, expectedClient.bottom);

    std::size_t index = 0;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, table->controls.size()) << "more controls than the table has";
        const ui::ControlTemplate& want = table->controls[index];
        SCOPED_TRACE("control #" + std::to_string(index + 1) + " id " + std::to_string(want.id));
        EXPECT_EQ(::GetDlgCtrlID(child), want.id);

        wchar_t className[64] = {};
        ::GetClassNameW(child, className, 64);
        const std::wstring expectedClass =
            want.kind == ui::ControlKind::Trackbar ? L"msctls_trackbar32"
            : want.kind == ui::ControlKind::Edit   ? L"Edit"
            : want.kind == ui::ControlKind::Label || want.kind == ui::ControlKind::Icon ? L"Static"
                                                                                        : L"Button";
        EXPECT_EQ(_wcsicmp(className, expectedClass.c_str()), 0);

        // In an extended template the dialog manager trades an edit's flat border for the
        // sunken client edge; everything else keeps the template's style as it is.
        std::uint32_t wantStyle = want.style;
        std::uint32_t wantExStyle = 0;
        if (want.kind == ui::ControlKind::Edit && (wantStyle & WS_BORDER)) {
            wantStyle &= ~static_cast<std::uint32_t>(WS_BORDER);
            wantExStyle |= WS_EX_CLIENTEDGE;
        }
        const auto style = static_cast<std::uint32_t>(::GetWindowLongW(child, GWL_STYLE));
        const auto exStyle = static_cast<std::uint32_t>(::GetWindowLongW(child, GWL_EXSTYLE));
        EXPECT_EQ(style & ~(WS_CHILD | WS_VISIBLE), wantStyle) << std::hex << style;
        EXPECT_EQ(exStyle & WS_EX_CLIENTEDGE, wantExStyle) << std::hex << exStyle;

        // Position and size are converted separately, as the dialog manager does.
        RECT units{want.x, want.y, want.width, want.height};
        ::MapDialogRect(dialog, &units);
        const RECT expected{units.left, units.top, units.left + units.right,
                            units.top + units.bottom};
        RECT got{};
        ::GetWindowRect(child, &got);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, expected.left);
        EXPECT_EQ(got.top, expected.top);
        if (want.kind == ui::ControlKind::Icon) {
            // An icon control takes the size of its icon, whatever the template says.
            HICON icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
            EXPECT_NE(icon, nullptr) << "icon 128 shown";
        } else {
            EXPECT_EQ(got.right, expected.right);
            EXPECT_EQ(got.bottom, expected.bottom);
            wchar_t text[128] = {};
            ::GetWindowTextW(child, text, 128);
            EXPECT_STREQ(text, want.caption);
        }
    }
    EXPECT_EQ(index, table->controls.size());
    ::DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(MainAndAbout, BuiltDialog,
                         ::testing::Values(ui::IDD_TAMSEL_DIALOG, ui::IDD_ABOUTBOX),
                         [](const auto& param) {
                             return param.param == ui::IDD_TAMSEL_DIALOG ? std::string("Main")
                                                                         : std::string("About");
                         });

// Painting while minimised: the icon-erase message goes to the dialog with the paint
// context, and nothing else of the dialog is painted.
HHOOK g_hook = nullptr;
std::vector<std::pair<UINT, WPARAM>>* g_sent = nullptr;

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_sent != nullptr && message->message == WM_ICONERASEBKGND) {
        g_sent->push_back({message->message, message->wParam});
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Win32Host, IconicPaintErasesTheIconBackgroundAndDrawsTheIcon) {
    std::vector<std::pair<UINT, WPARAM>> sent;
    g_sent = &sent;
    g_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &RecordSent, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);

    ScriptedDialog dialog;
    int iconicPaints = 0;
    dialog.onInit = [&](ui::DialogHost&, HWND window) {
        ::SetTimer(window, 3, 200, nullptr);
        ::SetTimer(window, 4, 5000, nullptr);
        return true;
    };
    dialog.onMessage = [&](ui::DialogHost& host, const ui::DialogEvent& event) {
        if (event.message == ui::DialogMessage::Paint && host.IsIconic()) {
            ++iconicPaints;
            host.PaintIconCentred();
            return true;
        }
        if (event.message == ui::DialogMessage::Timer && event.commandId == 3) {
            ::KillTimer(dialog.window, 3);
            ::ShowWindow(dialog.window, SW_MINIMIZE);
            EXPECT_TRUE(::IsIconic(dialog.window));
            // Without a window manager nothing asks a minimised window to paint; ask directly.
            ::SendMessageW(dialog.window, WM_PAINT, 0, 0);
            host.EndDialog(IDOK);
            return true;
        }
        if (event.message == ui::DialogMessage::Timer) {
            host.EndDialog(-2);
            return true;
        }
        return false;
    };
    EXPECT_EQ(Run(dialog), IDOK);
    ::UnhookWindowsHookEx(g_hook);
    g_sent = nullptr;
    EXPECT_GE(iconicPaints, 1);
    ASSERT_FALSE(sent.empty());
    EXPECT_NE(sent.front().second, 0u) << "the paint context goes with the message";
}

}  // namespace
}  // namespace tamsel::win32::test
