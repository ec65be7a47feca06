#pragma once
// The headless dialog host: a model of the dialog manager and the common controls that
// builds each window from its template, behaves like the real controls where the
// dialogs depend on it (trackbar clamping, radio groups, disabled buttons, rectangles in
// pixels, centring), and records every call and every delivered message in order.
// Tests drive it as a user would: press buttons, move trackbars, choose system
// commands, fire the timer.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog_host.h"
#include "ui/dialog_templates.h"
#include "ui/trackbar_range.h"

namespace tamsel::ui {

// The fixed display the headless host pretends to have.
struct HeadlessMetrics {
    // Dialog base units of 8 pt "MS Shell Dlg" at 96 dpi: a dialog unit is a quarter of
    // the average character width and an eighth of its height.
    int baseUnitX = 6;
    int baseUnitY = 13;
    int screenWidth = 1280;
    int screenHeight = 1024;
    int frameWidth = 3;  // the modal frame on each side and at the bottom
    int captionHeight = 20;
    int iconWidth = 32;
    int iconHeight = 32;
};

// Trackbar notification codes (the platform's TB_* values).
constexpr unsigned kTbThumbPosition = 4;
constexpr unsigned kTbThumbTrack = 5;
constexpr unsigned kTbEndTrack = 8;

// System commands the default handling knows (the platform's SC_* values).
constexpr unsigned kScMove = 0xF010;
constexpr unsigned kScClose = 0xF060;

struct HeadlessMessageBox {
    int ownerTemplateId = 0;
    std::wstring text;
    std::wstring caption;  // the application's name when the dialog gave none
    bool captionFromApplication = false;
    unsigned type = 0;
};

class HeadlessHost;

// One dialog window. It is the DialogHost its behaviour talks to, and the handle a test
// uses to act on it and look at it.
class HeadlessWindow : public DialogHost {
  public:
    struct SystemMenuItem {
        bool separator = false;
        unsigned commandId = 0;
        std::wstring text;
    };

    HeadlessWindow(HeadlessHost& host, const DialogTemplate& dialogTemplate,
                   DialogBehaviour& behaviour, HeadlessWindow* owner);

    // DialogHost.
    void SetTrackbarRangeMin(int id, int minimum, bool redraw) override;
    void SetTrackbarRangeMax(int id, int maximum, bool redraw) override;
    void SetTrackbarPos(int id, int position, bool redraw) override;
    int GetTrackbarPos(int id) override;
    void SetCheck(int id, int state) override;
    int GetCheck(int id) override;
    void SetItemText(int id, const std::wstring& text) override;
    std::wstring GetItemText(int id) override;
    void EnableItem(int id, bool enabled) override;
    Rect GetItemScreenRect(int id) override;
    Rect GetWindowScreenRect() override;
    void MoveWindow(const Rect& screenRect, bool repaint) override;
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
    int RunModalChild(DialogBehaviour& child) override;
    bool IsIconic() override;
    void PaintIconCentred() override;
    void RunDefaultHandler() override;
    void EndDialog(int result) override;

    // What a user does. Each returns false (and delivers nothing) when the window or the
    // control can't take it: a disabled or missing control, an ended dialog, or a dialog
    // under an open modal child.
    bool Press(int id);  // push button, radio button or check box, by mouse
    bool MoveTrackbar(int id, int position, unsigned scrollCode = kTbThumbTrack);
    bool ScrollFrom(int controlId, unsigned scrollCode);  // WM_HSCROLL as given
    bool ChooseSystemCommand(unsigned commandId);
    bool ChooseSystemMenuItem(const std::wstring& text);
    bool FireTimer(unsigned timerId = 0);
    bool Paint();
    // The icon the window gives for dragging while minimised: 0 for none.
    int QueryDragIcon();
    bool PressEnter();
    bool PressEscape();
    bool Close();  // the caption's Close button
    void SetFocusTo(int id);
    void SetMinimised(bool iconic) { iconic_ = iconic; }

    // What a user sees; none of these is recorded.
    int TemplateId() const { return template_.id; }
    HeadlessWindow* Owner() const { return owner_; }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }
    bool IsActive() const;
    const std::wstring& Title() const { return title_; }
    Rect WindowRect() const { return windowRect_; }
    Rect ClientRect() const;  // screen coordinates
    std::wstring TextOf(int id) const;
    int CheckOf(int id) const;
    int TrackbarPosOf(int id) const;
    int TrackbarMinOf(int id) const;
    int TrackbarMaxOf(int id) const;
    bool IsEnabled(int id) const;
    Rect ScreenRectOf(int id) const;
    std::wstring FontOf(int id) const;  // "Arial 40" or empty
    int FocusId() const { return focusId_; }
    int BigIcon() const { return bigIcon_; }
    int SmallIcon() const { return smallIcon_; }
    bool TimerRunning(unsigned timerId) const;
    const std::vector<SystemMenuItem>& SystemMenu() const { return systemMenu_; }

  private:
    friend class HeadlessHost;

    struct Control {
        const ControlTemplate* source = nullptr;
        std::wstring text;
        bool enabled = true;
        int check = 0;
        TrackbarRange trackbar;  // the common control's range and clamping rules
        std::wstring font;
    };

    Control* Find(int id);
    const Control* Find(int id) const;
    std::vector<Control*> RadioGroupOf(const Control& control);
    Rect DialogUnitsToScreen(int x, int y, int width, int height) const;
    void Record(const std::string& line);
    bool Deliver(const DialogEvent& event);
    bool Accepts() const;
    void FocusFirstTabStop();
    void Detach();

    HeadlessHost& host_;
    const DialogTemplate& template_;
    DialogBehaviour* behaviour_;
    HeadlessWindow* owner_;
    std::vector<Control> controls_;
    std::wstring title_;
    Rect windowRect_;
    std::vector<DialogEvent> dispatching_;
    std::vector<SystemMenuItem> systemMenu_;
    std::map<unsigned, unsigned> timers_;  // id -> period
    HeadlessWindow* modalChild_ = nullptr;
    int focusId_ = 0;
    int bigIcon_ = 0;
    int smallIcon_ = 0;
    bool iconic_ = false;
    bool inMessageBox_ = false;
    bool defaultRan_ = false;
    bool ended_ = false;
    int result_ = 0;
};

class HeadlessHost : public DialogRunner {
  public:
    using ModalScript = std::function<void(HeadlessWindow&)>;
    using MessageBoxAnswer = std::function<int(HeadlessWindow& owner, const HeadlessMessageBox&)>;

    explicit HeadlessHost(HeadlessMetrics metrics = {});
    ~HeadlessHost() override;

    // Creates the window from the behaviour's template, initialises it, then runs the
    // next queued script as its modal loop. A loop without a script, or whose script
    // leaves the dialog open, ends with the caption's Close button, as a user would.
    int RunModal(DialogBehaviour& dialog) override;

    // Creates and initialises a top-level dialog and leaves it open for the test to
    // drive; the window lives as long as the host.
    HeadlessWindow& Open(DialogBehaviour& dialog);

    // Scripts for modal loops, taken in order as each loop starts (children included).
    void QueueModalScript(ModalScript script);
    // How message boxes are answered; by default with OK (1) at once.
    void SetMessageBoxAnswer(MessageBoxAnswer answer) { messageBoxAnswer_ = std::move(answer); }

    // Everything that happened, one line each, in order.
    const std::vector<std::string>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }
    // Lets a test's services write into the same record (reads of files, devices, ...).
    void Note(const std::string& line) { operations_.push_back(line); }

    const std::vector<HeadlessMessageBox>& MessageBoxes() const { return messageBoxes_; }
    // Every window made so far, in order of creation; ended ones stay for inspection.
    const std::vector<std::unique_ptr<HeadlessWindow>>& Windows() const { return windows_; }
    HeadlessWindow* FindWindow(int templateId) const;  // the latest one

    const HeadlessMetrics& Metrics() const { return metrics_; }
    // The string table; 101 holds the About item's text as the resources do.
    std::map<int, std::wstring>& Strings() { return strings_; }
    std::wstring applicationName = L"Tamsel";
    bool timersFail = false;
    bool fontsFail = false;
    bool withoutSystemMenu = false;

  private:
    friend class HeadlessWindow;

    HeadlessWindow& Create(DialogBehaviour& dialog, HeadlessWindow* owner);
    bool Initialise(HeadlessWindow& window);
    int RunModalLoop(HeadlessWindow& window);

    HeadlessMetrics metrics_;
    std::vector<std::string> operations_;
    std::vector<HeadlessMessageBox> messageBoxes_;
    std::vector<std::unique_ptr<HeadlessWindow>> windows_;
    std::vector<ModalScript> scripts_;
    MessageBoxAnswer messageBoxAnswer_;
    std::map<int, std::wstring> strings_;
};

// Wide text as it appears in the record: printable ASCII as is, anything else as \u{...}.
std::string RecordText(const std::wstring& text);

}  // namespace tamsel::ui
