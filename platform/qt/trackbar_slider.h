#pragma once
// A trackbar as a QSlider: horizontal, no ticks, the common control's range rules
// (TrackbarRange), its keys (Left/Up and Page Up decrease, as on Windows), and one
// `scrolled` signal per notification the control would send, carrying its scroll code.

#include <QSlider>

#include "ui/trackbar_range.h"

namespace tamsel::qt {

// The trackbar notification codes (TB_*), sent as the low word of WM_HSCROLL.
enum TrackbarScrollCode : unsigned {
    kTbLineUp = 0,
    kTbLineDown = 1,
    kTbPageUp = 2,
    kTbPageDown = 3,
    kTbThumbPosition = 4,
    kTbThumbTrack = 5,
    kTbTop = 6,
    kTbBottom = 7,
    kTbEndTrack = 8,
};

class TrackbarSlider : public QSlider {
    Q_OBJECT
  public:
    explicit TrackbarSlider(QWidget* parent);

    // Programmatic changes: no notification, as TBM_SET* sends none.
    void SetMinimum(int minimum);
    void SetMaximum(int maximum);
    void SetPosition(int position);
    int Position() const { return range_.position(); }
    const ui::TrackbarRange& range() const { return range_; }

  signals:
    void scrolled(unsigned scrollCode);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void ShowRange();
    void OnActionTriggered(int action);

    ui::TrackbarRange range_;
};

}  // namespace tamsel::qt
