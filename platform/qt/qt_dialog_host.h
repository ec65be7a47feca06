#pragma once
// The Qt host of the dialog seam: a TemplateDialog per dialog, the dialog manager's
// duties (default buttons, Enter and Escape, focus, the system menu's stand-in, timers,
// message boxes, window rectangles) done the way a Windows dialog does them, and every
// message handed to the behaviour through Dispatch.
//
// Linux has no system menu; its stand-in is the dialog's context menu (right click or the
// menu key) holding Close and whatever the program appends, plus F1 for the first item
// the program appended. Both arrive as SysCommand like the real menu's commands.

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/template_dialog.h"
#include "ui/dialog_host.h"

class QMessageBox;
class QTimer;

namespace tamsel::qt {

struct QtHostOptions {
    // Called once the top-level dialog is on screen (from its event loop); used for
    // screenshots and by tests.
    std::function<void(TemplateDialog&)> afterShown;
    // Called with every message box just before it runs; it may answer it.
    std::function<void(QMessageBox&)> beforeMessageBox;
};

class QtDialogHost final : public ui::DialogHost, private TemplateDialogEvents {
  public:
    QtDialogHost(ui::DialogBehaviour& behaviour, QWidget* owner, QtHostOptions options);
    ~QtDialogHost() override;

    // Creates the window, attaches the behaviour, runs its OnInitDialog, then the modal
    // loop; returns the end code (-1 when the template is unknown).
    int Run();
    TemplateDialog* dialog() const { return dialog_.get(); }

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
    void OnButtonClicked(int controlId, ui::ControlKind kind) override;
    void OnTrackbarScrolled(int controlId, unsigned scrollCode) override;
    void OnEnterKey() override;
    void OnEscapeKey() override;
    void OnHelpKey() override;
    void OnSystemMenuCommand(unsigned commandId) override;
    void OnCloseRequested() override;
    void OnPaint() override;

    void Dispatch(const ui::DialogEvent& event);
    QWidget* Control(int id) const;

    ui::DialogBehaviour& behaviour_;
    QPointer<QWidget> owner_;
    QtHostOptions options_;
    std::unique_ptr<TemplateDialog> dialog_;
    std::map<unsigned, std::unique_ptr<QTimer>> timers_;
    std::vector<ui::DialogEvent> inFlight_;  // messages being dispatched, innermost last
    bool hasHelpCommand_ = false;
    unsigned helpCommand_ = 0;
    bool ended_ = false;
    int endResult_ = 0;
};

class QtDialogRunner final : public ui::DialogRunner {
  public:
    explicit QtDialogRunner(QtHostOptions options = {}) : options_(std::move(options)) {}
    int RunModal(ui::DialogBehaviour& dialog) override;

  private:
    QtHostOptions options_;
};

}  // namespace tamsel::qt
