#pragma once
// An auto check box that keeps the state the program gave it, as BM_SETCHECK does: 0 shows
// unchecked, 2 partially checked (the control's indeterminate look), any other value
// checked; GetCheck hands back the value set until the user clicks. A click goes to
// checked from anything but checked, and to unchecked from checked.

#include <QCheckBox>

namespace tamsel::qt {

class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    CheckBox(const QString& text, QWidget* parent);

    void SetState(int state);
    int State() const { return state_; }

  protected:
    void nextCheckState() override;

  private:
    void ShowState();

    int state_ = 0;
};

}  // namespace tamsel::qt
