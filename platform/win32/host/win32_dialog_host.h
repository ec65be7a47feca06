#pragma once
// The dialog-host seam on the real Win32 dialog manager: a dialog created from its
// template resource by DialogBoxParamW, a dialog procedure that hands the message map's
// messages to the portable behaviour, and every control reached through its id.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/host/gdi_font.h"
#include "ui/dialog_host.h"

namespace tamsel::win32 {

// One modal dialog: lives on the stack of whoever runs it, for as long as the dialog.
class Win32DialogHost final : public ui::DialogHost {
  public:
    // `instance` holds the templates, icon 128 and the string table; `applicationName`
    // is the default message-box caption.
    Win32DialogHost(HINSTANCE instance, std::wstring applicationName,
                    ui::DialogBehaviour& behaviour);
    Win32DialogHost(const Win32DialogHost&) = delete;
    Win32DialogHost& operator=(const Win32DialogHost&) = delete;

    // Creates the dialog from the behaviour's template, owned by `owner` (may be null),
    // and runs its modal loop. Returns the end code, or -1 when the dialog couldn't be made.
    int Run(HWND owner);

    HWND window() const { return window_; }

    // ui::DialogHost
    void SetTrackbarRangeMin(int id, int minimum, bool redraw) override;
    void SetTrackbarRangeMax(int id, int maximum, bool redraw) override;
    void SetTrackbarPos(int id, int position, bool redraw) override;
    int GetTrackbarPos(int id) override;
    void SetCheck(int id, int state) override;
    int GetCheck(int id) override;
    void SetItemText(int id, const std::wstring& text) override;
    std::wstring GetItemText(int id) override;
    void EnableItem(int id, bool enabled) override;
    ui::Rect GetItemScreenRect(int id) override;
    ui::Rect GetWindowScreenRect() override;
    void MoveWindow(const ui::Rect& screenRect, bool repaint) override;
    void CenterWindow() override;
    void SetWindowTitle(const std::wstring& title) override;
    void SetIcon(bool big) override;
    bool SetTimer(unsigned timerId, unsigned periodMs) override;
    bool SetControlPointFont(int id, int pointTenths, const std::wstring& face) override;
    int ShowMessageBox(const std::wstring& text, const std::wstring* caption,
                       unsigned type) override;
    bool HasSystemMenu() override;
    void AppendSystemMenuSeparator() override;
    void AppendSystemMenuItem(unsigned commandId, const std::wstring& text) override;
    std::wstring LoadStringResource(int id) override;
    int RunModalChild(ui::DialogBehaviour& child) override;
    bool IsIconic() override;
    void PaintIconCentred() override;
    void RunDefaultHandler() override;
    void EndDialog(int result) override;

  private:
    struct MessageInFlight {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs one message-map message through the behaviour; true when handled there.
    INT_PTR DispatchToBehaviour(const ui::DialogEvent& event, UINT message, WPARAM wParam,
                                LPARAM lParam);
    HICON ApplicationIcon();
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

    HINSTANCE instance_;
    std::wstring applicationName_;
    ui::DialogBehaviour& behaviour_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;           // shared image: the system owns it, nobody destroys it
    std::vector<UniqueFont> fonts_;  // fonts given to controls, freed after the window
    MessageInFlight inFlight_;
    // Set while the default dialog procedure runs the message in flight: its call back
    // into DialogProc for that message must fall through to the default handling.
    bool passToDefault_ = false;
};

}  // namespace tamsel::win32
