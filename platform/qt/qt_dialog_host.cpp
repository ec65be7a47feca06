#include "platform/qt/qt_dialog_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/qt/app_icon.h"
#include "platform/qt/check_box.h"
#include "platform/qt/string_resources.h"
#include "platform/qt/trackbar_slider.h"
#include "ui/control_ids.h"
#include "ui/window_placement.h"

namespace tamsel::qt {
namespace {

using ui::DialogEvent;
using ui::DialogMessage;

constexpr unsigned kScClose = 0xF060;
constexpr unsigned kSysCommandMask = 0xFFF0;  // the low four bits are the system's own

constexpr unsigned kMbTypeMask = 0x0F;
constexpr unsigned kMbIconMask = 0xF0;

// Message-box button sets (MB_*) and the results (ID*) their buttons return.
struct MessageBoxButton {
    QMessageBox::StandardButton button;
    int result;
};
struct MessageBoxButtons {
    unsigned type;
    std::vector<MessageBoxButton> buttons;
};
const std::vector<MessageBoxButtons>& ButtonSets() {
    static const std::vector<MessageBoxButtons> sets = {
        {0x0, {{QMessageBox::Ok, 1}}},
        {0x1, {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}}},
        {0x2, {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}}},
        {0x3, {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}}},
        {0x4, {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}}},
        {0x5, {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}}},
    };
    return sets;
}

QMessageBox::Icon MessageBoxIcon(unsigned type) {
    switch (type & kMbIconMask) {
        case 0x10:
            return QMessageBox::Critical;
        case 0x20:
            return QMessageBox::Question;
        case 0x30:
            return QMessageBox::Warning;
        case 0x40:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

ui::Rect ToRect(const QRect& rect) {
    return ui::Rect{rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

}  // namespace

QtDialogHost::QtDialogHost(ui::DialogBehaviour& behaviour, QWidget* owner, QtHostOptions options)
    : behaviour_(behaviour), owner_(owner), options_(std::move(options)) {}

QtDialogHost::~QtDialogHost() {
    // Timers first: a tick must not reach a dialog that is going away.
    timers_.clear();
}

int QtDialogHost::Run() {
    const ui::DialogTemplate* dialogTemplate = ui::FindDialogTemplate(behaviour_.TemplateId());
    if (dialogTemplate == nullptr) return -1;
    TemplateDialogEvents& events = *this;  // a private base: convert where it is accessible
    dialog_ = std::make_unique<TemplateDialog>(*dialogTemplate, events, ApplicationIcon(), owner_);

    behaviour_.Attach(this);
    const bool focusFirstTabStop = behaviour_.OnInitDialog();
    if (ended_) return endResult_;
    if (focusFirstTabStop) dialog_->FocusFirstTabStop();

    if (options_.afterShown) {
        QTimer::singleShot(0, dialog_.get(), [this] { options_.afterShown(*dialog_); });
    }
    const int result = dialog_->exec();
    timers_.clear();
    return ended_ ? endResult_ : result;
}

void QtDialogHost::Dispatch(const DialogEvent& event) {
    inFlight_.push_back(event);
    behaviour_.Dispatch(event);
    inFlight_.pop_back();
}

QWidget* QtDialogHost::Control(int id) const {
    return dialog_ != nullptr ? dialog_->Control(id) : nullptr;
}

// ---- trackbars ----

void QtDialogHost::SetTrackbarRangeMin(int id, int minimum, bool /*redraw*/) {
    if (auto* trackbar = qobject_cast<TrackbarSlider*>(Control(id))) trackbar->SetMinimum(minimum);
}

void QtDialogHost::SetTrackbarRangeMax(int id, int maximum, bool /*redraw*/) {
    if (auto* trackbar = qobject_cast<TrackbarSlider*>(Control(id))) trackbar->SetMaximum(maximum);
}

void QtDialogHost::SetTrackbarPos(int id, int position, bool /*redraw*/) {
    if (auto* trackbar = qobject_cast<TrackbarSlider*>(Control(id)))
        trackbar->SetPosition(position);
}

int QtDialogHost::GetTrackbarPos(int id) {
    auto* trackbar = qobject_cast<TrackbarSlider*>(Control(id));
    return trackbar != nullptr ? trackbar->Position() : 0;
}

// ---- buttons ----

void QtDialogHost::SetCheck(int id, int state) {
    QWidget* control = Control(id);
    if (auto* check = qobject_cast<CheckBox*>(control)) {
        check->SetState(state);
    } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        dialog_->SetRadioChecked(radio, state != 0);
    }
}

int QtDialogHost::GetCheck(int id) {
    QWidget* control = Control(id);
    if (auto* check = qobject_cast<CheckBox*>(control)) return check->State();
    if (auto* radio = qobject_cast<QRadioButton*>(control)) return radio->isChecked() ? 1 : 0;
    return 0;
}

// ---- text, enabling ----

void QtDialogHost::SetItemText(int id, const std::wstring& text) {
    const QString value = QString::fromStdWString(text);
    QWidget* control = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(value);
    }
}

std::wstring QtDialogHost::GetItemText(int id) {
    QWidget* control = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdWString();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdWString();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title().toStdWString();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text().toStdWString();
    return {};
}

void QtDialogHost::EnableItem(int id, bool enabled) {
    if (QWidget* control = Control(id)) control->setEnabled(enabled);
}

// ---- rectangles ----

ui::Rect QtDialogHost::GetItemScreenRect(int id) {
    QWidget* control = Control(id);
    if (control == nullptr) return {};
    // The client area's screen position plus the control's offset in it: measured the
    // same way as GetWindowScreenRect, also before the window is first shown.
    const QPoint topLeft =
        dialog_->geometry().topLeft() + control->mapTo(dialog_.get(), QPoint(0, 0));
    return ToRect(QRect(topLeft, control->size()));
}

ui::Rect QtDialogHost::GetWindowScreenRect() {
    // The outer rectangle, frame and title bar included, as far as the window system has
    // told Qt; before the window is first shown (and on the offscreen platform) there is
    // no frame yet and this is the client area.
    return dialog_ != nullptr ? ToRect(dialog_->frameGeometry()) : ui::Rect{};
}

void QtDialogHost::MoveWindow(const ui::Rect& screenRect, bool repaint) {
    if (dialog_ == nullptr) return;
    // The rectangle is the outer one; the client area is what is left inside the frame
    // the window has now. The dialog stays fixed-size at its new size.
    const QRect outer = dialog_->frameGeometry();
    const QRect inner = dialog_->geometry();
    const int frameWidth = outer.width() - inner.width();
    const int frameHeight = outer.height() - inner.height();
    dialog_->setFixedSize(std::max(0, screenRect.Width() - frameWidth),
                          std::max(0, screenRect.Height() - frameHeight));
    dialog_->move(screenRect.left, screenRect.top);  // a window's position is its frame's
    if (repaint) dialog_->update();
}

void QtDialogHost::CenterWindow() {
    if (dialog_ == nullptr) return;
    QScreen* screen = owner_ != nullptr ? owner_->screen() : dialog_->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect work = screen->availableGeometry();
    // A dialog with an owner centres over it; one without, over the work area. Either
    // way it stays inside the work area.
    const QRect around = owner_ != nullptr ? owner_->frameGeometry() : work;
    const auto toRect = [](const QRect& r) {
        return ui::Rect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    };
    const ui::Rect placed =
        ui::CentredWithin(toRect(dialog_->frameGeometry()), toRect(around), toRect(work));
    dialog_->move(placed.left, placed.top);
}

// ---- window ----

void QtDialogHost::SetWindowTitle(const std::wstring& title) {
    if (dialog_ != nullptr) dialog_->setWindowTitle(QString::fromStdWString(title));
}

void QtDialogHost::SetIcon(bool /*big*/) {
    // One icon serves both sizes; the window manager scales it for the title bar, the
    // task bar and the minimised window.
    const QIcon icon = ApplicationIcon();
    if (dialog_ != nullptr && !icon.isNull()) dialog_->setWindowIcon(icon);
}

bool QtDialogHost::SetTimer(unsigned timerId, unsigned periodMs) {
    if (dialog_ == nullptr) return false;
    // Setting an existing timer again restarts it with the new period, as SetTimer does.
    auto& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, dialog_.get(), [this, timerId] {
            Dispatch(DialogEvent{DialogMessage::Timer, 0, 0, timerId});
        });
    }
    timer->start(static_cast<int>(std::min(periodMs, 0x7FFFFFFFu)));
    return true;
}

bool QtDialogHost::SetControlPointFont(int id, int pointTenths, const std::wstring& face) {
    QWidget* control = Control(id);
    if (control == nullptr || pointTenths <= 0) return false;
    // A face the system lacks falls back to fontconfig's substitute (Arial: Liberation Sans).
    QFont font(QString::fromStdWString(face));
    font.setPointSizeF(pointTenths / 10.0);
    control->setFont(font);
    return true;
}

int QtDialogHost::ShowMessageBox(const std::wstring& text, const std::wstring* caption,
                                 unsigned type) {
    QMessageBox box(dialog_.get());
    box.setWindowModality(Qt::WindowModal);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(MessageBoxIcon(type));
    box.setText(QString::fromStdWString(text));
    // Without a caption the box carries the application's name, which Qt, like Windows,
    // takes from the executable's file name.
    box.setWindowTitle(caption != nullptr ? QString::fromStdWString(*caption)
                                          : QCoreApplication::applicationName());
    const auto& sets = ButtonSets();
    auto set = std::find_if(sets.begin(), sets.end(), [type](const MessageBoxButtons& candidate) {
        return candidate.type == (type & kMbTypeMask);
    });
    if (set == sets.end()) set = sets.begin();
    QMessageBox::StandardButtons buttons;
    for (const MessageBoxButton& button : set->buttons) buttons |= button.button;
    box.setStandardButtons(buttons);
    if (options_.beforeMessageBox) options_.beforeMessageBox(box);
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const MessageBoxButton& button : set->buttons) {
        if (button.button == clicked) return button.result;
    }
    return set->buttons.back().result;  // closed without a button: the box's cancel answer
}

// ---- system menu ----

bool QtDialogHost::HasSystemMenu() {
    return dialog_ != nullptr && (dialog_->dialogTemplate().style & ui::kWsSysMenu) != 0;
}

void QtDialogHost::AppendSystemMenuSeparator() {
    if (dialog_ != nullptr) dialog_->systemMenu().addSeparator();
}

void QtDialogHost::AppendSystemMenuItem(unsigned commandId, const std::wstring& text) {
    if (dialog_ == nullptr) return;
    QAction* item = dialog_->systemMenu().addAction(QString::fromStdWString(text));
    item->setData(commandId);
    if (!hasHelpCommand_) {
        hasHelpCommand_ = true;
        helpCommand_ = commandId;
        item->setShortcut(QKeySequence(Qt::Key_F1));
        item->setShortcutContext(Qt::WidgetShortcut);  // shown in the menu; F1 is the dialog's
    }
}

std::wstring QtDialogHost::LoadStringResource(int id) {
    return qt::LoadStringResource(id);
}

// ---- child dialogs, painting, ending ----

int QtDialogHost::RunModalChild(ui::DialogBehaviour& child) {
    QtHostOptions childOptions;
    childOptions.beforeMessageBox = options_.beforeMessageBox;
    QtDialogHost childHost(child, dialog_.get(), std::move(childOptions));
    return childHost.Run();
}

bool QtDialogHost::IsIconic() {
    return dialog_ != nullptr && dialog_->isMinimized();
}

void QtDialogHost::PaintIconCentred() {
    // Nothing to draw: a minimised Qt window has no client area to paint; the window
    // manager shows the window icon set by SetIcon instead.
}

void QtDialogHost::RunDefaultHandler() {
    if (inFlight_.empty() || dialog_ == nullptr) return;
    const DialogEvent event = inFlight_.back();
    switch (event.message) {
        case DialogMessage::Close:
            EndDialog(ui::IDCANCEL);
            break;
        case DialogMessage::SysCommand:
            if ((event.commandId & kSysCommandMask) == kScClose) dialog_->close();
            break;
        default:
            // Painting, timers, scrolling and commands need nothing more from Qt.
            break;
    }
}

void QtDialogHost::EndDialog(int result) {
    ended_ = true;
    endResult_ = result;
    if (dialog_ != nullptr) dialog_->done(result);
}

// ---- what the user did ----

void QtDialogHost::OnButtonClicked(int controlId, ui::ControlKind kind) {
    const bool pushButton =
        kind == ui::ControlKind::PushButton || kind == ui::ControlKind::DefaultPushButton;
    // OK and Cancel buttons are the dialog's default commands.
    if (pushButton && controlId == ui::IDOK) {
        behaviour_.OnOK();
    } else if (pushButton && controlId == ui::IDCANCEL) {
        behaviour_.OnCancel();
    } else {
        Dispatch(DialogEvent{DialogMessage::Command, controlId, ui::kBnClicked, 0});
    }
}

void QtDialogHost::OnTrackbarScrolled(int controlId, unsigned scrollCode) {
    Dispatch(DialogEvent{DialogMessage::HScroll, controlId, scrollCode, 0});
}

void QtDialogHost::OnEnterKey() {
    behaviour_.OnOK();
}

void QtDialogHost::OnEscapeKey() {
    behaviour_.OnCancel();
}

void QtDialogHost::OnHelpKey() {
    if (hasHelpCommand_) OnSystemMenuCommand(helpCommand_);
}

void QtDialogHost::OnSystemMenuCommand(unsigned commandId) {
    Dispatch(DialogEvent{DialogMessage::SysCommand, 0, 0, commandId});
}

void QtDialogHost::OnCloseRequested() {
    Dispatch(DialogEvent{DialogMessage::Close, 0, 0, 0});
}

void QtDialogHost::OnPaint() {
    Dispatch(DialogEvent{DialogMessage::Paint, 0, 0, 0});
}

int QtDialogRunner::RunModal(ui::DialogBehaviour& dialog) {
    QtDialogHost host(dialog, nullptr, options_);
    return host.Run();
}

}  // namespace tamsel::qt
