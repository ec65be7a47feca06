#pragma once
// The position and range of one trackbar with the common control's rules, for the hosts
// that have no common control (headless, and Qt beside its QSlider, whose own rules
// differ: QSlider moves the other end of the range when one end passes it, a trackbar
// does not). A trackbar only pulls the position into the range at the end that was just
// set, and clamps a position it is given.

namespace tamsel::ui {

class TrackbarRange {
  public:
    // A new trackbar's range and position.
    static constexpr int kDefaultMinimum = 0;
    static constexpr int kDefaultMaximum = 100;

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }

    // TBM_SETRANGEMIN: a position below the new minimum moves up to it.
    void SetMinimum(int minimum);
    // TBM_SETRANGEMAX: a position above the new maximum moves down to it.
    void SetMaximum(int maximum);
    // TBM_SETPOS: clamped to the minimum first, then to the maximum.
    void SetPosition(int position);
    // The step of Page Up / Page Down and of a click beside the thumb: a fifth of the range,
    // at least 1, as the control recomputes it whenever the range changes.
    int PageSize() const;

  private:
    int minimum_ = kDefaultMinimum;
    int maximum_ = kDefaultMaximum;
    int position_ = kDefaultMinimum;
};

}  // namespace tamsel::ui
