#include "platform/qt/check_box.h"

namespace tamsel::qt {

constexpr int kIndeterminate = 2;

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    // Tri-state only so that state 2 can be shown; clicks never lead to it.
    setTristate(true);
}

void CheckBox::SetState(int state) {
    state_ = state;
    ShowState();
}

void CheckBox::nextCheckState() {
    state_ = (state_ & 1) != 0 ? 0 : 1;
    ShowState();
}

void CheckBox::ShowState() {
    if (state_ == 0) {
        setCheckState(Qt::Unchecked);
    } else if (state_ == kIndeterminate) {
        setCheckState(Qt::PartiallyChecked);
    } else {
        setCheckState(Qt::Checked);
    }
}

}  // namespace tamsel::qt
