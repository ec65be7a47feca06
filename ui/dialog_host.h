#pragma once
// The dialog-host seam: what the portable dialogs ask of a window system, addressed by
// control id. The Win32 host answers with the real dialog manager and common controls,
// the Qt host with widgets, and the headless host (tests) with a model that records
// every call in order.

#include <cstdint>
#include <string>

namespace tamsel::ui {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Messages of the dialogs' message maps, as the hosts deliver them.
enum class DialogMessage {
    SysCommand,     // commandId = the system-menu command (WM_SYSCOMMAND wParam)
    Paint,          // WM_PAINT
    QueryDragIcon,  // WM_QUERYDRAGICON
    Command,        // controlId + notifyCode (BN_CLICKED = 0)
    Timer,          // commandId = the timer id
    Close,          // WM_CLOSE
    HScroll,        // controlId = the sending control (0: not a control), notifyCode = scroll code
};

constexpr unsigned kBnClicked = 0;

struct DialogEvent {
    DialogMessage message;
    int controlId = 0;
    unsigned notifyCode = 0;
    unsigned commandId = 0;
};

class DialogHost;

// A dialog's behaviour: what the platform's dialog class would be. The host creates the
// window from TemplateId(), calls Attach, then OnInitDialog, then Dispatch for each message.
class DialogBehaviour {
public:
    virtual ~DialogBehaviour() = default;
    virtual int TemplateId() const = 0;
    virtual void Attach(DialogHost* host) = 0;
    // TRUE: the host puts the focus on the first enabled tab stop.
    virtual bool OnInitDialog() = 0;
    // One message of the message map. A handler that wants the platform's default
    // handling of the message calls DialogHost::RunDefaultHandler.
    virtual void Dispatch(const DialogEvent& event) = 0;
    // Enter (default OK command) and Escape (default Cancel command).
    virtual void OnOK() = 0;
    virtual void OnCancel() = 0;
};

class DialogHost {
public:
    virtual ~DialogHost() = default;

    // Trackbars (TBM_SETRANGEMIN / TBM_SETRANGEMAX / TBM_SETPOS / TBM_GETPOS).
    virtual void SetTrackbarRangeMin(int id, int minimum, bool redraw) = 0;
    virtual void SetTrackbarRangeMax(int id, int maximum, bool redraw) = 0;
    virtual void SetTrackbarPos(int id, int position, bool redraw) = 0;
    virtual int GetTrackbarPos(int id) = 0;

    // Buttons (BM_SETCHECK / BM_GETCHECK); states other than 0 and 1 are passed through.
    virtual void SetCheck(int id, int state) = 0;
    virtual int GetCheck(int id) = 0;

    virtual void SetItemText(int id, const std::wstring& text) = 0;
    virtual std::wstring GetItemText(int id) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;

    // Screen rectangles in pixels; the window's is the outer rectangle, caption included.
    virtual Rect GetItemScreenRect(int id) = 0;
    virtual Rect GetWindowScreenRect() = 0;
    virtual void MoveWindow(const Rect& screenRect, bool repaint) = 0;
    virtual void CenterWindow() = 0;

    virtual void SetWindowTitle(const std::wstring& title) = 0;
    // WM_SETICON with icon 128: big = true for ICON_BIG (1), false for ICON_SMALL (0).
    virtual void SetIcon(bool big) = 0;
    // A window timer with no callback; false when it could not be started.
    virtual bool SetTimer(unsigned timerId, unsigned periodMs) = 0;
    // A point font (tenths of a point) for one control; false when it can't be created.
    virtual bool SetControlPointFont(int id, int pointTenths, const std::wstring& face) = 0;

    // A message box owned by the dialog. caption == nullptr: the application's name.
    virtual int ShowMessageBox(const std::wstring& text, const std::wstring* caption,
                               unsigned type) = 0;

    // The system menu (GetSystemMenu(FALSE)); on a platform without one, the host's
    // equivalent that delivers the same SysCommand.
    virtual bool HasSystemMenu() = 0;
    virtual void AppendSystemMenuSeparator() = 0;
    virtual void AppendSystemMenuItem(unsigned commandId, const std::wstring& text) = 0;
    // A string resource; empty when missing.
    virtual std::wstring LoadStringResource(int id) = 0;

    // Runs a child dialog modally, owned by this one; returns its end code.
    virtual int RunModalChild(DialogBehaviour& child) = 0;

    // Painting while minimised: IsIconic, and the icon drawn centred after
    // WM_ICONERASEBKGND (only the Win32 host can be iconic in practice).
    virtual bool IsIconic() = 0;
    virtual void PaintIconCentred() = 0;

    // The platform's default handling of the message being dispatched.
    virtual void RunDefaultHandler() = 0;
    // Ends the modal loop with `result`.
    virtual void EndDialog(int result) = 0;
};

// Creates the window for a top-level dialog and runs it modally.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int RunModal(DialogBehaviour& dialog) = 0;
};

}  // namespace tamsel::ui
