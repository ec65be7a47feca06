#include "platform/win32/host/win32_dialog_host.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/host/window_centring.h"

namespace tamsel::win32 {
namespace {

ui::Rect ToRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// BeginPaint / EndPaint as one object.
class PaintContext {
  public:
    explicit PaintContext(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintContext() { ::EndPaint(window_, &paint_); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The message a nested dispatch interrupts is put back when the nested one is done, so a
// handler that runs the default handling after a message box still means its own message.
template <typename T>
class RestoreOnExit {
  public:
    explicit RestoreOnExit(T& value) : value_(value), saved_(value) {}
    ~RestoreOnExit() { value_ = saved_; }
    RestoreOnExit(const RestoreOnExit&) = delete;
    RestoreOnExit& operator=(const RestoreOnExit&) = delete;

  private:
    T& value_;
    T saved_;
};

}  // namespace

Win32DialogHost::Win32DialogHost(HINSTANCE instance, std::wstring applicationName,
                                 ui::DialogBehaviour& behaviour)
    : instance_(instance), applicationName_(std::move(applicationName)), behaviour_(behaviour) {}

int Win32DialogHost::Run(HWND owner) {
    const INT_PTR result =
        ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(behaviour_.TemplateId()), owner,
                          &Win32DialogHost::DialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return static_cast<int>(result);
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    Win32DialogHost* host = nullptr;
    if (message == WM_INITDIALOG) {
        host = reinterpret_cast<Win32DialogHost*>(lParam);
        host->window_ = window;
        ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(host));
    } else {
        host = reinterpret_cast<Win32DialogHost*>(::GetWindowLongPtrW(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (the template's WM_SETFONT among them) get the
    // dialog manager's handling.
    if (host == nullptr) return FALSE;
    return host->HandleMessage(message, wParam, lParam);
}

INT_PTR Win32DialogHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (passToDefault_) {
        // This is the default dialog procedure asking about the message a handler wants
        // the default handling for: say "not handled" so that it goes ahead.
        passToDefault_ = false;
        return FALSE;
    }

    using ui::DialogMessage;
    switch (message) {
        case WM_INITDIALOG: {
            RestoreOnExit<MessageInFlight> restore(inFlight_);
            inFlight_ = {message, wParam, lParam};
            behaviour_.Attach(this);
            if (!behaviour_.OnInitDialog()) return FALSE;
            // TRUE lets the dialog manager put the focus on the first enabled tab stop. It
            // does so with a bare SetFocus, which leaves a focused push button without the
            // default-button state, so Enter would not press it. WM_NEXTDLGCTL is the dialog
            // manager's own way to move the focus, default button included; it is posted so
            // that it runs once the dialog is shown and nothing modal (the not-found box)
            // is up any more.
            if (HWND first = ::GetNextDlgTabItem(window_, nullptr, FALSE)) {
                ::PostMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
            }
            return TRUE;
        }
        case WM_SYSCOMMAND:
            return DispatchToBehaviour(
                {DialogMessage::SysCommand, 0, 0, static_cast<unsigned>(wParam)}, message, wParam,
                lParam);
        case WM_PAINT:
            return DispatchToBehaviour({DialogMessage::Paint}, message, wParam, lParam);
        case WM_QUERYDRAGICON:
            DispatchToBehaviour({DialogMessage::QueryDragIcon}, message, wParam, lParam);
            // One of the few messages whose answer is the dialog procedure's own result.
            return reinterpret_cast<INT_PTR>(ApplicationIcon());
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const unsigned code = HIWORD(wParam);
            // The dialog manager turns Enter and Escape into IDOK and IDCANCEL: the
            // platform's default OK and Cancel commands.
            if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
                RestoreOnExit<MessageInFlight> restore(inFlight_);
                inFlight_ = {message, wParam, lParam};
                if (id == IDOK) {
                    behaviour_.OnOK();
                } else {
                    behaviour_.OnCancel();
                }
                return TRUE;
            }
            return DispatchToBehaviour({DialogMessage::Command, id, code, 0}, message, wParam,
                                       lParam);
        }
        case WM_TIMER:
            return DispatchToBehaviour({DialogMessage::Timer, 0, 0, static_cast<unsigned>(wParam)},
                                       message, wParam, lParam);
        case WM_CLOSE:
            return DispatchToBehaviour({DialogMessage::Close}, message, wParam, lParam);
        case WM_HSCROLL: {
            // lParam is the sending control; null for the window's own scroll bar.
            HWND sender = reinterpret_cast<HWND>(lParam);
            const int id =
                sender != nullptr && ::IsChild(window_, sender) ? ::GetDlgCtrlID(sender) : 0;
            return DispatchToBehaviour({DialogMessage::HScroll, id, LOWORD(wParam), 0}, message,
                                       wParam, lParam);
        }
        default:
            return FALSE;
    }
}

INT_PTR Win32DialogHost::DispatchToBehaviour(const ui::DialogEvent& event, UINT message,
                                             WPARAM wParam, LPARAM lParam) {
    RestoreOnExit<MessageInFlight> restore(inFlight_);
    inFlight_ = {message, wParam, lParam};
    behaviour_.Dispatch(event);
    if (window_ != nullptr && ::IsWindow(window_)) ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, 0);
    return TRUE;
}

void Win32DialogHost::RunDefaultHandler() {
    if (window_ == nullptr || inFlight_.message == 0) return;
    // The default dialog procedure first asks DialogProc again; passToDefault_ makes that
    // call answer "not handled", so the dialog manager's own handling runs, right here.
    passToDefault_ = true;
    ::DefDlgProcW(window_, inFlight_.message, inFlight_.wParam, inFlight_.lParam);
    passToDefault_ = false;
}

HICON Win32DialogHost::ApplicationIcon() {
    if (icon_ == nullptr) {
        icon_ = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(128), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON),
                                                ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    }
    return icon_;
}

void Win32DialogHost::SetTrackbarRangeMin(int id, int minimum, bool redraw) {
    ::SendDlgItemMessageW(window_, id, TBM_SETRANGEMIN, redraw ? TRUE : FALSE, minimum);
}

void Win32DialogHost::SetTrackbarRangeMax(int id, int maximum, bool redraw) {
    ::SendDlgItemMessageW(window_, id, TBM_SETRANGEMAX, redraw ? TRUE : FALSE, maximum);
}

void Win32DialogHost::SetTrackbarPos(int id, int position, bool redraw) {
    ::SendDlgItemMessageW(window_, id, TBM_SETPOS, redraw ? TRUE : FALSE, position);
}

int Win32DialogHost::GetTrackbarPos(int id) {
    return static_cast<int>(::SendDlgItemMessageW(window_, id, TBM_GETPOS, 0, 0));
}

void Win32DialogHost::SetCheck(int id, int state) {
    ::SendDlgItemMessageW(window_, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int Win32DialogHost::GetCheck(int id) {
    return static_cast<int>(::SendDlgItemMessageW(window_, id, BM_GETCHECK, 0, 0));
}

void Win32DialogHost::SetItemText(int id, const std::wstring& text) {
    ::SetDlgItemTextW(window_, id, text.c_str());
}

std::wstring Win32DialogHost::GetItemText(int id) {
    const int length = ::GetWindowTextLengthW(Item(id));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const UINT copied = ::GetDlgItemTextW(window_, id, text.data(), length + 1);
    text.resize(copied);
    return text;
}

void Win32DialogHost::EnableItem(int id, bool enabled) {
    ::EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

ui::Rect Win32DialogHost::GetItemScreenRect(int id) {
    RECT rect{};
    ::GetWindowRect(Item(id), &rect);
    return ToRect(rect);
}

ui::Rect Win32DialogHost::GetWindowScreenRect() {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    return ToRect(rect);
}

void Win32DialogHost::MoveWindow(const ui::Rect& screenRect, bool repaint) {
    // A top-level window's coordinates are screen coordinates already.
    ::MoveWindow(window_, screenRect.left, screenRect.top, screenRect.Width(), screenRect.Height(),
                 repaint ? TRUE : FALSE);
}

void Win32DialogHost::CenterWindow() {
    CenterWindowOnOwnerOrWorkArea(window_);
}

void Win32DialogHost::SetWindowTitle(const std::wstring& title) {
    ::SetWindowTextW(window_, title.c_str());
}

void Win32DialogHost::SetIcon(bool big) {
    ::SendMessageW(window_, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                   reinterpret_cast<LPARAM>(ApplicationIcon()));
}

bool Win32DialogHost::SetTimer(unsigned timerId, unsigned periodMs) {
    return ::SetTimer(window_, timerId, periodMs, nullptr) != 0;
}

bool Win32DialogHost::SetControlPointFont(int id, int pointTenths, const std::wstring& face) {
    UniqueFont font = CreatePointFont(pointTenths, face.c_str());
    if (!font) return false;
    ::SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    fonts_.push_back(std::move(font));
    return true;
}

int Win32DialogHost::ShowMessageBox(const std::wstring& text, const std::wstring* caption,
                                    unsigned type) {
    const std::wstring& shownCaption = caption != nullptr ? *caption : applicationName_;
    return ::MessageBoxW(window_, text.c_str(), shownCaption.c_str(), type);
}

bool Win32DialogHost::HasSystemMenu() {
    return ::GetSystemMenu(window_, FALSE) != nullptr;
}

void Win32DialogHost::AppendSystemMenuSeparator() {
    ::AppendMenuW(::GetSystemMenu(window_, FALSE), MF_SEPARATOR, 0, nullptr);
}

void Win32DialogHost::AppendSystemMenuItem(unsigned commandId, const std::wstring& text) {
    ::AppendMenuW(::GetSystemMenu(window_, FALSE), MF_STRING, commandId, text.c_str());
}

std::wstring Win32DialogHost::LoadStringResource(int id) {
    // With a zero buffer size LoadStringW hands back a pointer into the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(instance_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

int Win32DialogHost::RunModalChild(ui::DialogBehaviour& child) {
    Win32DialogHost childHost(instance_, applicationName_, child);
    return childHost.Run(window_);
}

bool Win32DialogHost::IsIconic() {
    return ::IsIconic(window_) != FALSE;
}

void Win32DialogHost::PaintIconCentred() {
    PaintContext paint(window_);
    ::SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT client{};
    ::GetClientRect(window_, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.dc(), x, y, ApplicationIcon());
}

void Win32DialogHost::EndDialog(int result) {
    ::EndDialog(window_, result);
}

}  // namespace tamsel::win32
