#include "ui/trackbar_range.h"

namespace tamsel::ui {

void TrackbarRange::SetMinimum(int minimum) {
    minimum_ = minimum;
    if (position_ < minimum_) position_ = minimum_;
}

void TrackbarRange::SetMaximum(int maximum) {
    maximum_ = maximum;
    if (position_ > maximum_) position_ = maximum_;
}

void TrackbarRange::SetPosition(int position) {
    if (position < minimum_) position = minimum_;
    if (position > maximum_) position = maximum_;
    position_ = position;
}

int TrackbarRange::PageSize() const {
    const long long span = static_cast<long long>(maximum_) - minimum_;
    const long long page = span / 5;
    return page >= 1 ? static_cast<int>(page) : 1;
}

}  // namespace tamsel::ui
