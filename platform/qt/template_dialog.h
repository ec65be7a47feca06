#pragma once
// A QDialog laid out from a dialog template: one widget per control, at the template's
// position converted from dialog units, created in template order (which is the tab
// order), with the template's ids. It reports what the user does to TemplateDialogEvents
// and does nothing on its own: ending, closing and the system menu are the host's.

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <vector>

#include "ui/dialog_units.h"
#include "ui/dialog_templates.h"

class QButtonGroup;
class QAbstractButton;

namespace tamsel::qt {

class TrackbarSlider;
class CheckBox;

class TemplateDialogEvents {
  public:
    virtual ~TemplateDialogEvents() = default;
    virtual void OnButtonClicked(int controlId, ui::ControlKind kind) = 0;
    virtual void OnTrackbarScrolled(int controlId, unsigned scrollCode) = 0;
    virtual void OnEnterKey() = 0;  // Enter with no push button focused
    virtual void OnEscapeKey() = 0;
    virtual void OnHelpKey() = 0;  // F1
    virtual void OnSystemMenuCommand(unsigned commandId) = 0;
    virtual void OnCloseRequested() = 0;  // the window's close button, Alt+F4
    virtual void OnPaint() = 0;
};

// The template's "MS Shell Dlg" stands for whatever face the system uses in its dialogs;
// here that is the desktop's general font. Another face is used as named.
QFont DialogFontForTemplate(const ui::DialogTemplate& dialogTemplate);
ui::DialogBaseUnits BaseUnitsOfFont(const QFont& font);

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    TemplateDialog(const ui::DialogTemplate& dialogTemplate, TemplateDialogEvents& events,
                   const QIcon& templateIcon, QWidget* parent);
    ~TemplateDialog() override;

    const ui::DialogTemplate& dialogTemplate() const { return template_; }
    ui::DialogBaseUnits baseUnits() const { return baseUnits_; }

    // The control with this id, nullptr for none (and for -1, which no one addresses).
    QWidget* Control(int controlId) const;
    const ui::ControlTemplate* ControlTemplateOf(int controlId) const;
    // Every control's widget, in template order (index = template index).
    const std::vector<QWidget*>& ControlsInTemplateOrder() const { return widgets_; }

    // Puts the focus on the first enabled, visible tab stop in template order.
    void FocusFirstTabStop();

    // The system-menu stand-in: the dialog's context menu. It starts with Close.
    QMenu& systemMenu() { return systemMenu_; }
    void PopUpSystemMenu(const QPoint& globalPosition);

    // Radio buttons: checking one unchecks the others of its group, as an auto radio
    // button does; unchecking leaves the whole group unchecked.
    void SetRadioChecked(QAbstractButton* radio, bool checked);

    void setVisible(bool visible) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* CreateControl(const ui::ControlTemplate& control, const QIcon& templateIcon);
    QButtonGroup* GroupOfRadio(QAbstractButton* radio) const;

    const ui::DialogTemplate& template_;
    TemplateDialogEvents& events_;
    QFont font_;
    ui::DialogBaseUnits baseUnits_;
    std::vector<QWidget*> widgets_;
    std::vector<QButtonGroup*> radioGroups_;
    QMenu systemMenu_;
};

}  // namespace tamsel::qt
