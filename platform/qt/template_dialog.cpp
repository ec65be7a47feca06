#include "platform/qt/template_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <cwchar>

#include "platform/qt/check_box.h"
#include "platform/qt/trackbar_slider.h"
#include "ui/control_ids.h"

namespace tamsel::qt {
namespace {

using ui::ControlKind;

// The system-menu command of Close, which the default handling turns into a close request.
constexpr unsigned kScClose = 0xF060;
constexpr std::uint32_t kSsTypeMask = 0x1F;
constexpr std::uint32_t kSsCenter = 0x1;

bool IsShellDialogFace(const wchar_t* face) {
    return face == nullptr || std::wcscmp(face, L"MS Shell Dlg") == 0 ||
           std::wcscmp(face, L"MS Shell Dlg 2") == 0;
}

bool HasTabStop(const ui::ControlTemplate& control) {
    return (control.style & ui::kWsTabStop) != 0;
}

bool CanTakeFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::Label:
        case ControlKind::Icon:
            return false;
        default:
            return true;
    }
}

Qt::Alignment LabelAlignment(std::uint32_t style) {
    switch (style & kSsTypeMask) {
        case ui::kSsRight:
            return Qt::AlignRight | Qt::AlignTop;
        case kSsCenter:
            return Qt::AlignHCenter | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

}  // namespace

QFont DialogFontForTemplate(const ui::DialogTemplate& dialogTemplate) {
    QFont font = IsShellDialogFace(dialogTemplate.fontFace)
                     ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                     : QFont(QString::fromWCharArray(dialogTemplate.fontFace));
    font.setPointSize(dialogTemplate.fontPointSize);
    return font;
}

ui::DialogBaseUnits BaseUnitsOfFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabetAdvance = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return ui::DialogBaseUnits{ui::AverageCharWidthFromAlphabetAdvance(alphabetAdvance), metrics.height()};
}

TemplateDialog::TemplateDialog(const ui::DialogTemplate& dialogTemplate,
                               TemplateDialogEvents& events, const QIcon& templateIcon,
                               QWidget* parent)
    : QDialog(parent),
      template_(dialogTemplate),
      events_(events),
      font_(DialogFontForTemplate(dialogTemplate)),
      baseUnits_(BaseUnitsOfFont(font_)),
      systemMenu_(this) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((template_.style & ui::kWsCaption) == ui::kWsCaption) flags |= Qt::WindowTitleHint;
    if ((template_.style & ui::kWsSysMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        // On a top-level window these two bits are the minimise and maximise boxes.
        if ((template_.style & ui::kWsMinimizeBox) != 0) flags |= Qt::WindowMinimizeButtonHint;
        if ((template_.style & ui::kWsMaximizeBox) != 0) flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);
    setFont(font_);
    setWindowTitle(QString::fromWCharArray(template_.caption));
    setFixedSize(ui::HorizontalDialogUnitsToPixels(template_.width, baseUnits_),
                 ui::VerticalDialogUnitsToPixels(template_.height, baseUnits_));

    QButtonGroup* currentRadioGroup = nullptr;
    QWidget* previousFocusable = nullptr;
    for (const ui::ControlTemplate& control : template_.controls) {
        // WS_GROUP starts a new group: the radio buttons up to the next one are exclusive.
        if ((control.style & ui::kWsGroup) != 0) currentRadioGroup = nullptr;
        QWidget* widget = CreateControl(control, templateIcon);
        widgets_.push_back(widget);
        if (control.kind == ControlKind::AutoRadioButton) {
            if (currentRadioGroup == nullptr) {
                currentRadioGroup = new QButtonGroup(this);
                currentRadioGroup->setExclusive(true);
                radioGroups_.push_back(currentRadioGroup);
            }
            currentRadioGroup->addButton(static_cast<QAbstractButton*>(widget));
        }
        if (CanTakeFocus(control.kind)) {
            widget->setFocusPolicy(HasTabStop(control) ? Qt::StrongFocus : Qt::ClickFocus);
            if (previousFocusable != nullptr) QWidget::setTabOrder(previousFocusable, widget);
            previousFocusable = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
    }
    // Group boxes are frames drawn behind their siblings, never in their way.
    for (QWidget* widget : widgets_) {
        if (qobject_cast<QGroupBox*>(widget) != nullptr) widget->lower();
    }

    // Without a default push button in the template, Qt would keep the first push button
    // that ever had the focus as the dialog's default; the dialog manager has none
    // whenever the focus is not on a push button.
    const bool templateHasDefault =
        std::any_of(template_.controls.begin(), template_.controls.end(),
                    [](const ui::ControlTemplate& control) {
                        return control.kind == ControlKind::DefaultPushButton;
                    });
    if (!templateHasDefault) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now == nullptr || now->window() != this) return;
            if (qobject_cast<QPushButton*>(now) != nullptr) return;
            for (QWidget* widget : widgets_) {
                if (auto* button = qobject_cast<QPushButton*>(widget)) button->setDefault(false);
            }
        });
    }

    QAction* close = systemMenu_.addAction(tr("&Close"));
    close->setData(kScClose);
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    close->setShortcutContext(Qt::WidgetShortcut);  // shown only; the window manager owns Alt+F4
    connect(&systemMenu_, &QMenu::triggered, this,
            [this](QAction* action) { events_.OnSystemMenuCommand(action->data().toUInt()); });
}

TemplateDialog::~TemplateDialog() = default;

QWidget* TemplateDialog::CreateControl(const ui::ControlTemplate& control,
                                       const QIcon& templateIcon) {
    const QString caption = QString::fromWCharArray(control.caption);
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(caption, this);
            // Enter on a focused push button presses it, as in a Windows dialog.
            button->setAutoDefault(true);
            button->setDefault(control.kind == ControlKind::DefaultPushButton);
            connect(button, &QPushButton::clicked, this,
                    [this, id, kind = control.kind] { events_.OnButtonClicked(id, kind); });
            widget = button;
            break;
        }
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(caption, this);
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            widget = group;
            break;
        }
        case ControlKind::AutoRadioButton: {
            auto* radio = new QRadioButton(caption, this);
            connect(radio, &QRadioButton::clicked, this,
                    [this, id] { events_.OnButtonClicked(id, ControlKind::AutoRadioButton); });
            widget = radio;
            break;
        }
        case ControlKind::AutoCheckBox: {
            auto* check = new CheckBox(caption, this);
            connect(check, &CheckBox::clicked, this,
                    [this, id] { events_.OnButtonClicked(id, ControlKind::AutoCheckBox); });
            widget = check;
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(LabelAlignment(control.style));
            label->setWordWrap(true);  // static text wraps at word breaks
            widget = label;
            break;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(this);
            widget = label;
            const ui::PixelRect at = ui::DialogUnitsToPixels(control.x, control.y, control.width,
                                                     control.height, baseUnits_);
            if (templateIcon.isNull()) {
                label->setGeometry(at.x, at.y, at.width, at.height);
            } else {
                // An icon control takes the size of the icon it shows: the system's large icon.
                const int size = style()->pixelMetric(QStyle::PM_LargeIconSize);
                label->setPixmap(templateIcon.pixmap(size, size));
                label->setGeometry(at.x, at.y, size, size);
            }
            label->setProperty("tamselControlId", id);
            return label;
        }
        case ControlKind::Trackbar: {
            auto* trackbar = new TrackbarSlider(this);
            connect(trackbar, &TrackbarSlider::scrolled, this,
                    [this, id](unsigned code) { events_.OnTrackbarScrolled(id, code); });
            widget = trackbar;
            break;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly((control.style & ui::kEsReadOnly) != 0);
            edit->setFrame((control.style & ui::kWsBorder) != 0);
            widget = edit;
            break;
        }
    }
    const ui::PixelRect at =
        ui::DialogUnitsToPixels(control.x, control.y, control.width, control.height, baseUnits_);
    widget->setGeometry(at.x, at.y, at.width, at.height);
    widget->setProperty("tamselControlId", id);
    return widget;
}

QWidget* TemplateDialog::Control(int controlId) const {
    if (controlId == ui::IDC_STATIC) return nullptr;
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        if (template_.controls[i].id == controlId) return widgets_[i];
    }
    return nullptr;
}

const ui::ControlTemplate* TemplateDialog::ControlTemplateOf(int controlId) const {
    return ui::FindControl(template_, controlId);
}

void TemplateDialog::FocusFirstTabStop() {
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const ui::ControlTemplate& control = template_.controls[i];
        QWidget* widget = widgets_[i];
        if (CanTakeFocus(control.kind) && HasTabStop(control) && widget->isEnabled() &&
            !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QButtonGroup* TemplateDialog::GroupOfRadio(QAbstractButton* radio) const {
    for (QButtonGroup* group : radioGroups_) {
        if (group->buttons().contains(radio)) return group;
    }
    return nullptr;
}

void TemplateDialog::SetRadioChecked(QAbstractButton* radio, bool checked) {
    QButtonGroup* group = GroupOfRadio(radio);
    if (checked || group == nullptr) {
        radio->setChecked(checked);
        return;
    }
    // An exclusive QButtonGroup refuses to uncheck its checked button; a dialog's radio
    // group may well have none checked.
    group->setExclusive(false);
    radio->setChecked(false);
    group->setExclusive(true);
}

void TemplateDialog::PopUpSystemMenu(const QPoint& globalPosition) {
    systemMenu_.exec(globalPosition);
}

void TemplateDialog::setVisible(bool visible) {
    if (!visible) {
        QDialog::setVisible(false);
        return;
    }
    // QDialog makes the first auto-default push button the dialog's default when it has
    // none; a dialog template without a default push button has none, and only the push
    // button holding the focus looks and acts as the default. So hide the buttons from
    // that search, then let the focused one take the default look as a focus change would.
    std::vector<QPushButton*> autoDefaults;
    for (QWidget* widget : widgets_) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button != nullptr && button->autoDefault() && !button->isDefault()) {
            button->setAutoDefault(false);
            autoDefaults.push_back(button);
        }
    }
    QDialog::setVisible(true);
    for (QPushButton* button : autoDefaults) button->setAutoDefault(true);
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused != nullptr && focused->autoDefault() && !focused->isDefault()) {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(focused, &focusIn);
    }
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    // A focused push button has already taken Enter (autoDefault) before it gets here.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                events_.OnEnterKey();
                return;
            }
            break;
        case Qt::Key_Escape:
            events_.OnEscapeKey();
            return;
        case Qt::Key_F1:
            events_.OnHelpKey();
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
    // The dialog ends only when the handler asks for it (EndDialog); hiding is not ending.
    event->ignore();
    events_.OnCloseRequested();
}

void TemplateDialog::contextMenuEvent(QContextMenuEvent* event) {
    PopUpSystemMenu(event->globalPos());
    event->accept();
}

void TemplateDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    events_.OnPaint();
}

}  // namespace tamsel::qt
