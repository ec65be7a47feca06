#include "ui/headless_host.h"

#include <algorithm>
#include <cstdio>

#include "ui/control_ids.h"
#include "ui/dialog_units.h"
#include "ui/window_placement.h"

namespace tamsel::ui {

namespace {

std::string RectText(const Rect& rect) {
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

std::string Quoted(const std::wstring& text) {
    std::string quoted = "\"";
    quoted += RecordText(text);
    quoted += '"';
    return quoted;
}

std::string Hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", value);
    return buffer;
}

std::string EventText(const DialogEvent& event) {
    switch (event.message) {
        case DialogMessage::SysCommand:
            return "SysCommand " + Hex(event.commandId);
        case DialogMessage::Paint:
            return "Paint";
        case DialogMessage::QueryDragIcon:
            return "QueryDragIcon";
        case DialogMessage::Command:
            return "Command " + std::to_string(event.controlId) + " code " +
                   std::to_string(event.notifyCode);
        case DialogMessage::Timer:
            return "Timer " + std::to_string(event.commandId);
        case DialogMessage::Close:
            return "Close";
        case DialogMessage::HScroll:
            return "HScroll from " + std::to_string(event.controlId) + " code " +
                   std::to_string(event.notifyCode);
    }
    return "?";
}

bool IsPushButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton;
}

}  // namespace

std::string RecordText(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        const auto code = static_cast<unsigned long>(c) & 0x1FFFFFul;
        if (code >= 0x20 && code < 0x7F && c != L'\\') {
            out.push_back(static_cast<char>(code));
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\u{%lX}", code);
            out += buffer;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// HeadlessWindow: construction and lookup

HeadlessWindow::HeadlessWindow(HeadlessHost& host, const DialogTemplate& dialogTemplate,
                               DialogBehaviour& behaviour, HeadlessWindow* owner)
    : host_(host),
      template_(dialogTemplate),
      behaviour_(&behaviour),
      owner_(owner),
      title_(dialogTemplate.caption) {
    for (const ControlTemplate& source : dialogTemplate.controls) {
        Control control;
        control.source = &source;
        control.text = source.caption;
        controls_.push_back(control);
    }
    const HeadlessMetrics& m = host_.Metrics();
    const DialogBaseUnits base{m.baseUnitX, m.baseUnitY};
    const int clientWidth = HorizontalDialogUnitsToPixels(dialogTemplate.width, base);
    const int clientHeight = VerticalDialogUnitsToPixels(dialogTemplate.height, base);
    // A dialog without a position of its own opens at its owner's client origin, or at
    // the screen's origin.
    int left = 0;
    int top = 0;
    if (owner_ != nullptr) {
        const Rect ownerClient = owner_->ClientRect();
        left = ownerClient.left;
        top = ownerClient.top;
    }
    windowRect_ = {left, top, left + clientWidth + 2 * m.frameWidth,
                   top + clientHeight + 2 * m.frameWidth + m.captionHeight};
}

HeadlessWindow::Control* HeadlessWindow::Find(int id) {
    if (id == IDC_STATIC) return nullptr;
    for (Control& control : controls_) {
        if (control.source->id == id) return &control;
    }
    return nullptr;
}

const HeadlessWindow::Control* HeadlessWindow::Find(int id) const {
    return const_cast<HeadlessWindow*>(this)->Find(id);
}

// A radio group runs from a control with WS_GROUP (or the first control) up to the next
// control with WS_GROUP, as the dialog manager walks it.
std::vector<HeadlessWindow::Control*> HeadlessWindow::RadioGroupOf(const Control& control) {
    std::size_t index = 0;
    while (&controls_[index] != &control) ++index;
    std::size_t first = index;
    while (first > 0 && (controls_[first].source->style & kWsGroup) == 0) --first;
    std::vector<Control*> group;
    for (std::size_t i = first; i < controls_.size(); ++i) {
        if (i != first && (controls_[i].source->style & kWsGroup) != 0) break;
        if (controls_[i].source->kind == ControlKind::AutoRadioButton)
            group.push_back(&controls_[i]);
    }
    return group;
}

Rect HeadlessWindow::ClientRect() const {
    const HeadlessMetrics& m = host_.Metrics();
    return {windowRect_.left + m.frameWidth, windowRect_.top + m.frameWidth + m.captionHeight,
            windowRect_.right - m.frameWidth, windowRect_.bottom - m.frameWidth};
}

Rect HeadlessWindow::DialogUnitsToScreen(int x, int y, int width, int height) const {
    const HeadlessMetrics& m = host_.Metrics();
    const Rect client = ClientRect();
    // Corner by corner, as MapDialogRect converts a rectangle.
    const DialogBaseUnits base{m.baseUnitX, m.baseUnitY};
    return {client.left + HorizontalDialogUnitsToPixels(x, base),
            client.top + VerticalDialogUnitsToPixels(y, base),
            client.left + HorizontalDialogUnitsToPixels(x + width, base),
            client.top + VerticalDialogUnitsToPixels(y + height, base)};
}

void HeadlessWindow::Record(const std::string& line) {
    host_.Note(std::to_string(template_.id) + " " + line);
}

bool HeadlessWindow::IsActive() const {
    return !ended_ && behaviour_ != nullptr && modalChild_ == nullptr && !inMessageBox_;
}

bool HeadlessWindow::Accepts() const {
    return IsActive();
}

bool HeadlessWindow::Deliver(const DialogEvent& event) {
    if (ended_ || behaviour_ == nullptr) return false;
    Record("<- " + EventText(event));
    dispatching_.push_back(event);
    behaviour_->Dispatch(event);
    dispatching_.pop_back();
    return true;
}

void HeadlessWindow::FocusFirstTabStop() {
    for (const Control& control : controls_) {
        if ((control.source->style & kWsTabStop) != 0 && control.enabled) {
            SetFocusTo(control.source->id);
            return;
        }
    }
}

void HeadlessWindow::Detach() {
    behaviour_ = nullptr;
    timers_.clear();  // window timers end with their window
}

// ---------------------------------------------------------------------------------------
// HeadlessWindow: the DialogHost side

void HeadlessWindow::SetTrackbarRangeMin(int id, int minimum, bool redraw) {
    Record("SetTrackbarRangeMin " + std::to_string(id) + " " + std::to_string(minimum) +
           (redraw ? " redraw" : " noredraw"));
    Control* control = Find(id);
    if (control == nullptr) return;
    control->trackbar.SetMinimum(minimum);
}

void HeadlessWindow::SetTrackbarRangeMax(int id, int maximum, bool redraw) {
    Record("SetTrackbarRangeMax " + std::to_string(id) + " " + std::to_string(maximum) +
           (redraw ? " redraw" : " noredraw"));
    Control* control = Find(id);
    if (control == nullptr) return;
    control->trackbar.SetMaximum(maximum);
}

void HeadlessWindow::SetTrackbarPos(int id, int position, bool redraw) {
    Record("SetTrackbarPos " + std::to_string(id) + " " + std::to_string(position) +
           (redraw ? " redraw" : " noredraw"));
    Control* control = Find(id);
    if (control == nullptr) return;
    control->trackbar.SetPosition(position);
}

int HeadlessWindow::GetTrackbarPos(int id) {
    const int position = TrackbarPosOf(id);
    Record("GetTrackbarPos " + std::to_string(id) + " -> " + std::to_string(position));
    return position;
}

void HeadlessWindow::SetCheck(int id, int state) {
    Record("SetCheck " + std::to_string(id) + " " + std::to_string(state));
    if (Control* control = Find(id)) control->check = state;
}

int HeadlessWindow::GetCheck(int id) {
    const int state = CheckOf(id);
    Record("GetCheck " + std::to_string(id) + " -> " + std::to_string(state));
    return state;
}

void HeadlessWindow::SetItemText(int id, const std::wstring& text) {
    Record("SetItemText " + std::to_string(id) + " " + Quoted(text));
    if (Control* control = Find(id)) control->text = text;
}

std::wstring HeadlessWindow::GetItemText(int id) {
    std::wstring text = TextOf(id);
    Record("GetItemText " + std::to_string(id) + " -> " + Quoted(text));
    return text;
}

void HeadlessWindow::EnableItem(int id, bool enabled) {
    Record("EnableItem " + std::to_string(id) + (enabled ? " 1" : " 0"));
    if (Control* control = Find(id)) control->enabled = enabled;
}

Rect HeadlessWindow::GetItemScreenRect(int id) {
    const Rect rect = ScreenRectOf(id);
    Record("GetItemScreenRect " + std::to_string(id) + " -> " + RectText(rect));
    return rect;
}

Rect HeadlessWindow::GetWindowScreenRect() {
    Record("GetWindowScreenRect -> " + RectText(windowRect_));
    return windowRect_;
}

void HeadlessWindow::MoveWindow(const Rect& screenRect, bool repaint) {
    Record("MoveWindow " + RectText(screenRect) + (repaint ? " repaint" : " norepaint"));
    windowRect_ = screenRect;
}

void HeadlessWindow::CenterWindow() {
    // The platform centres on the owner, or on the screen's work area for a window
    // without one, then keeps the window inside that area.
    const HeadlessMetrics& m = host_.Metrics();
    const Rect screen{0, 0, m.screenWidth, m.screenHeight};
    windowRect_ =
        CentredWithin(windowRect_, owner_ != nullptr ? owner_->WindowRect() : screen, screen);
    Record("CenterWindow -> " + RectText(windowRect_));
}

void HeadlessWindow::SetWindowTitle(const std::wstring& title) {
    Record("SetWindowTitle " + Quoted(title));
    title_ = title;
}

void HeadlessWindow::SetIcon(bool big) {
    Record(std::string("SetIcon ") + (big ? "big " : "small ") + std::to_string(IDR_MAINFRAME));
    (big ? bigIcon_ : smallIcon_) = IDR_MAINFRAME;
}

bool HeadlessWindow::SetTimer(unsigned timerId, unsigned periodMs) {
    Record("SetTimer " + std::to_string(timerId) + " " + std::to_string(periodMs) + "ms" +
           (host_.timersFail ? " -> failed" : ""));
    if (host_.timersFail) return false;
    timers_[timerId] = periodMs;
    return true;
}

bool HeadlessWindow::SetControlPointFont(int id, int pointTenths, const std::wstring& face) {
    Record("SetControlPointFont " + std::to_string(id) + " " + std::to_string(pointTenths) + " " +
           Quoted(face) + (host_.fontsFail ? " -> failed" : ""));
    if (host_.fontsFail) return false;
    if (Control* control = Find(id)) control->font = face + L" " + std::to_wstring(pointTenths);
    return true;
}

int HeadlessWindow::ShowMessageBox(const std::wstring& text, const std::wstring* caption,
                                   unsigned type) {
    HeadlessMessageBox box;
    box.ownerTemplateId = template_.id;
    box.text = text;
    box.captionFromApplication = caption == nullptr;
    box.caption = caption != nullptr ? *caption : host_.applicationName;
    box.type = type;
    Record("MessageBox text=" + Quoted(box.text) + " caption=" + Quoted(box.caption) +
           (box.captionFromApplication ? " (application name)" : "") + " type=" + Hex(type));
    host_.messageBoxes_.push_back(box);
    inMessageBox_ = true;
    const int answer = host_.messageBoxAnswer_ ? host_.messageBoxAnswer_(*this, box) : IDOK;
    inMessageBox_ = false;
    Record("MessageBox closed -> " + std::to_string(answer));
    return answer;
}

bool HeadlessWindow::HasSystemMenu() {
    const bool has = (template_.style & kWsSysMenu) != 0 && !host_.withoutSystemMenu;
    Record(std::string("GetSystemMenu -> ") + (has ? "menu" : "none"));
    return has;
}

void HeadlessWindow::AppendSystemMenuSeparator() {
    Record("AppendSystemMenu separator");
    systemMenu_.push_back({true, 0, {}});
}

void HeadlessWindow::AppendSystemMenuItem(unsigned commandId, const std::wstring& text) {
    Record("AppendSystemMenu item " + Hex(commandId) + " " + Quoted(text));
    systemMenu_.push_back({false, commandId, text});
}

std::wstring HeadlessWindow::LoadStringResource(int id) {
    const auto found = host_.strings_.find(id);
    std::wstring text = found != host_.strings_.end() ? found->second : std::wstring();
    Record("LoadString " + std::to_string(id) + " -> " + Quoted(text));
    return text;
}

int HeadlessWindow::RunModalChild(DialogBehaviour& child) {
    Record("RunModalChild " + std::to_string(child.TemplateId()));
    HeadlessWindow& window = host_.Create(child, this);
    modalChild_ = &window;
    const int result = host_.RunModalLoop(window);
    modalChild_ = nullptr;
    return result;
}

bool HeadlessWindow::IsIconic() {
    Record(std::string("IsIconic -> ") + (iconic_ ? "1" : "0"));
    return iconic_;
}

void HeadlessWindow::PaintIconCentred() {
    const HeadlessMetrics& m = host_.Metrics();
    const Rect client = ClientRect();
    const int x = (client.Width() - m.iconWidth + 1) / 2;
    const int y = (client.Height() - m.iconHeight + 1) / 2;
    Record("BeginPaint");
    Record("<- IconEraseBackground");
    Record("DrawIcon " + std::to_string(bigIcon_) + " at " + std::to_string(x) + "," +
           std::to_string(y));
    Record("EndPaint");
}

void HeadlessWindow::RunDefaultHandler() {
    if (dispatching_.empty()) {
        Record("DefaultHandler outside a message");
        return;
    }
    const DialogEvent event = dispatching_.back();
    Record("DefaultHandler " + EventText(event));
    defaultRan_ = true;
    switch (event.message) {
        case DialogMessage::Close:
            // The dialog manager turns WM_CLOSE into the Cancel command.
            behaviour_->OnCancel();
            break;
        case DialogMessage::SysCommand:
            if ((event.commandId & 0xFFF0u) == kScClose) Deliver({DialogMessage::Close});
            break;
        case DialogMessage::Command:
            if (event.controlId == IDOK) behaviour_->OnOK();
            if (event.controlId == IDCANCEL) behaviour_->OnCancel();
            break;
        default:
            break;
    }
}

void HeadlessWindow::EndDialog(int result) {
    Record("EndDialog " + std::to_string(result));
    ended_ = true;
    result_ = result;
}

// ---------------------------------------------------------------------------------------
// HeadlessWindow: what a user does

bool HeadlessWindow::Press(int id) {
    Control* control = Find(id);
    std::string refusal;
    if (!Accepts()) {
        refusal = "window inactive";
    } else if (control == nullptr) {
        refusal = "no such control";
    } else if (!control->enabled) {
        refusal = "disabled";
    } else if (!IsPushButton(control->source->kind) &&
               control->source->kind != ControlKind::AutoRadioButton &&
               control->source->kind != ControlKind::AutoCheckBox) {
        refusal = "not a button";
    }
    if (!refusal.empty()) {
        Record("Press " + std::to_string(id) + " refused: " + refusal);
        return false;
    }
    Record("Press " + std::to_string(id));
    focusId_ = id;
    if (control->source->kind == ControlKind::AutoRadioButton) {
        for (Control* member : RadioGroupOf(*control)) member->check = member == control ? 1 : 0;
    } else if (control->source->kind == ControlKind::AutoCheckBox) {
        // An automatic check box goes to checked from any state but checked.
        control->check = (control->check & 1) != 0 ? 0 : 1;
    }
    return Deliver({DialogMessage::Command, id, kBnClicked});
}

bool HeadlessWindow::MoveTrackbar(int id, int position, unsigned scrollCode) {
    Control* control = Find(id);
    if (!Accepts() || control == nullptr || !control->enabled ||
        control->source->kind != ControlKind::Trackbar) {
        Record("MoveTrackbar " + std::to_string(id) + " refused");
        return false;
    }
    Record("MoveTrackbar " + std::to_string(id) + " to " + std::to_string(position));
    focusId_ = id;
    control->trackbar.SetPosition(position);
    return Deliver({DialogMessage::HScroll, id, scrollCode});
}

bool HeadlessWindow::ScrollFrom(int controlId, unsigned scrollCode) {
    if (!Accepts()) return false;
    return Deliver({DialogMessage::HScroll, controlId, scrollCode});
}

bool HeadlessWindow::ChooseSystemCommand(unsigned commandId) {
    if (!Accepts()) return false;
    return Deliver({DialogMessage::SysCommand, 0, 0, commandId});
}

bool HeadlessWindow::ChooseSystemMenuItem(const std::wstring& text) {
    for (const SystemMenuItem& item : systemMenu_) {
        if (!item.separator && item.text == text) return ChooseSystemCommand(item.commandId);
    }
    return false;
}

bool HeadlessWindow::FireTimer(unsigned timerId) {
    // Timer messages reach a dialog under a message box or a modal child as well.
    if (ended_ || behaviour_ == nullptr || !TimerRunning(timerId)) return false;
    return Deliver({DialogMessage::Timer, 0, 0, timerId});
}

bool HeadlessWindow::Paint() {
    return Deliver({DialogMessage::Paint});
}

int HeadlessWindow::QueryDragIcon() {
    defaultRan_ = false;
    if (!Deliver({DialogMessage::QueryDragIcon})) return 0;
    // A dialog that leaves the query to the default handling gives no icon.
    return defaultRan_ ? 0 : bigIcon_;
}

bool HeadlessWindow::PressEnter() {
    if (!Accepts()) return false;
    Record("Enter");
    // Enter presses the push button that has the focus, else the default push button,
    // else sends the OK command.
    if (const Control* focused = Find(focusId_);
        focused != nullptr && focused->enabled && IsPushButton(focused->source->kind)) {
        return Press(focusId_);
    }
    for (const Control& control : controls_) {
        if (control.source->kind == ControlKind::DefaultPushButton && control.enabled) {
            return Press(control.source->id);
        }
    }
    return Deliver({DialogMessage::Command, IDOK, kBnClicked});
}

bool HeadlessWindow::PressEscape() {
    if (!Accepts()) return false;
    Record("Escape");
    return Deliver({DialogMessage::Command, IDCANCEL, kBnClicked});
}

bool HeadlessWindow::Close() {
    if (!Accepts()) return false;
    return Deliver({DialogMessage::Close});
}

void HeadlessWindow::SetFocusTo(int id) {
    Record("Focus " + std::to_string(id));
    focusId_ = id;
}

// ---------------------------------------------------------------------------------------
// HeadlessWindow: what a user sees

std::wstring HeadlessWindow::TextOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->text : std::wstring();
}

int HeadlessWindow::CheckOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->check : 0;
}

int HeadlessWindow::TrackbarPosOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->trackbar.position() : 0;
}

int HeadlessWindow::TrackbarMinOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->trackbar.minimum() : 0;
}

int HeadlessWindow::TrackbarMaxOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->trackbar.maximum() : 0;
}

bool HeadlessWindow::IsEnabled(int id) const {
    const Control* control = Find(id);
    return control != nullptr && control->enabled;
}

Rect HeadlessWindow::ScreenRectOf(int id) const {
    const Control* control = Find(id);
    if (control == nullptr) return {};
    const ControlTemplate& source = *control->source;
    return DialogUnitsToScreen(source.x, source.y, source.width, source.height);
}

std::wstring HeadlessWindow::FontOf(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->font : std::wstring();
}

bool HeadlessWindow::TimerRunning(unsigned timerId) const {
    return timers_.contains(timerId);
}

// ---------------------------------------------------------------------------------------
// HeadlessHost

HeadlessHost::HeadlessHost(HeadlessMetrics metrics) : metrics_(metrics) {
    strings_[IDS_ABOUTBOX] = L"&About Tamsel...";
}

HeadlessHost::~HeadlessHost() = default;

HeadlessWindow& HeadlessHost::Create(DialogBehaviour& dialog, HeadlessWindow* owner) {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(dialog.TemplateId());
    if (dialogTemplate == nullptr) {
        // A behaviour without a template is a programming error; a stand-in keeps the
        // record honest instead of crashing the test run.
        static const DialogTemplate kMissing{0, L"", 0, 0, L"", 0, 0, 0, {}};
        dialogTemplate = &kMissing;
    }
    windows_.push_back(std::make_unique<HeadlessWindow>(*this, *dialogTemplate, dialog, owner));
    HeadlessWindow& window = *windows_.back();
    window.Record("CreateDialog " + std::to_string(dialog.TemplateId()) + " " +
                  Quoted(window.Title()) + " at " + RectText(window.WindowRect()) +
                  (owner != nullptr ? " owner " + std::to_string(owner->TemplateId()) : ""));
    return window;
}

// WM_INITDIALOG, then the focus and the window shown, as the dialog manager does before
// it enters the modal loop. False when the dialog ended during its initialisation.
bool HeadlessHost::Initialise(HeadlessWindow& window) {
    DialogBehaviour& dialog = *window.behaviour_;
    dialog.Attach(&window);
    window.Record("<- InitDialog");
    const bool focusFirst = dialog.OnInitDialog();
    window.Record(std::string("InitDialog returned ") + (focusFirst ? "TRUE" : "FALSE"));
    if (window.ended_) return false;
    if (focusFirst) window.FocusFirstTabStop();
    window.Record("ShowWindow");
    return true;
}

HeadlessWindow& HeadlessHost::Open(DialogBehaviour& dialog) {
    HeadlessWindow& window = Create(dialog, nullptr);
    Initialise(window);
    return window;
}

int HeadlessHost::RunModalLoop(HeadlessWindow& window) {
    if (Initialise(window)) {
        if (!scripts_.empty()) {
            ModalScript script = std::move(scripts_.front());
            scripts_.erase(scripts_.begin());
            script(window);
        }
        if (!window.ended_) window.Close();
        if (!window.ended_) {
            window.Record("modal loop abandoned: the dialog would not close");
            window.ended_ = true;
            window.result_ = -1;
        }
    }
    window.Record("DestroyWindow");
    window.Detach();
    return window.result_;
}

int HeadlessHost::RunModal(DialogBehaviour& dialog) {
    HeadlessWindow& window = Create(dialog, nullptr);
    return RunModalLoop(window);
}

void HeadlessHost::QueueModalScript(ModalScript script) {
    scripts_.push_back(std::move(script));
}

HeadlessWindow* HeadlessHost::FindWindow(int templateId) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if ((*it)->TemplateId() == templateId) return it->get();
    }
    return nullptr;
}

}  // namespace tamsel::ui
