#include "platform/qt/trackbar_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace tamsel::qt {
namespace {

bool IsTrackbarKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace

TrackbarSlider::TrackbarSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
    setSingleStep(1);
    setTracking(true);
    ShowRange();
    connect(this, &QAbstractSlider::actionTriggered, this, &TrackbarSlider::OnActionTriggered);
}

void TrackbarSlider::SetMinimum(int minimum) {
    range_.SetMinimum(minimum);
    ShowRange();
}

void TrackbarSlider::SetMaximum(int maximum) {
    range_.SetMaximum(maximum);
    ShowRange();
}

void TrackbarSlider::SetPosition(int position) {
    range_.SetPosition(position);
    ShowRange();
}

void TrackbarSlider::ShowRange() {
    // QSlider can't hold a maximum below its minimum; it then shows an empty range at the
    // minimum while TrackbarRange keeps what the program set.
    const QSignalBlocker quiet(this);
    setRange(range_.minimum(), std::max(range_.minimum(), range_.maximum()));
    setPageStep(range_.PageSize());
    setValue(range_.position());
}

void TrackbarSlider::OnActionTriggered(int action) {
    // Qt has already moved sliderPosition() for this action, but not yet value(); the
    // handler reads the new position through the range, so take it over first.
    range_.SetPosition(sliderPosition());
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            emit scrolled(kTbLineUp);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            emit scrolled(kTbLineDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            emit scrolled(kTbPageUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            emit scrolled(kTbPageDown);
            break;
        case QAbstractSlider::SliderToMinimum:
            emit scrolled(kTbTop);
            break;
        case QAbstractSlider::SliderToMaximum:
            emit scrolled(kTbBottom);
            break;
        case QAbstractSlider::SliderMove:
            emit scrolled(kTbThumbTrack);
            break;
        default:
            break;
    }
}

void TrackbarSlider::keyPressEvent(QKeyEvent* event) {
    if (!IsTrackbarKey(event->key())) {
        QSlider::keyPressEvent(event);
        return;
    }
    // The trackbar's own keys: towards the minimum with Left, Up, Page Up and Home; a key
    // that would go past the end it points at does nothing and sends nothing.
    const int position = range_.position();
    const bool atMinimum = position <= range_.minimum();
    const bool atMaximum = position >= range_.maximum();
    SliderAction action = SliderNoAction;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            if (!atMinimum) action = SliderSingleStepSub;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (!atMaximum) action = SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            if (!atMinimum) action = SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            if (!atMaximum) action = SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            if (!atMinimum) action = SliderToMinimum;
            break;
        case Qt::Key_End:
            if (!atMaximum) action = SliderToMaximum;
            break;
        default:
            break;
    }
    if (action != SliderNoAction) triggerAction(action);
    event->accept();
}

void TrackbarSlider::keyReleaseEvent(QKeyEvent* event) {
    if (!IsTrackbarKey(event->key())) {
        QSlider::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) emit scrolled(kTbEndTrack);
    event->accept();
}

void TrackbarSlider::mouseReleaseEvent(QMouseEvent* event) {
    const bool draggingThumb = isSliderDown();
    QSlider::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    // A drag ends with the final position and the end of tracking; a click beside the
    // thumb (page steps) with the end of tracking only.
    if (draggingThumb) emit scrolled(kTbThumbPosition);
    emit scrolled(kTbEndTrack);
}

}  // namespace tamsel::qt
