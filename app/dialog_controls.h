#pragma once
// Small handles on the controls of a hosted dialog, addressed by control id the way the
// platform's window wrappers address theirs. They hold no state of the control: every
// call goes to the host, so the host's record of calls is complete.

#include <string>

#include "ui/dialog_host.h"

namespace tamsel {

// A control fetched by id (what GetDlgItem hands back). Unbound until fetched.
class DialogItem {
  public:
    DialogItem() = default;
    DialogItem(ui::DialogHost* host, int id) : host_(host), id_(id) {}

    bool IsBound() const { return host_ != nullptr; }
    int ControlId() const { return id_; }

    void EnableWindow(bool enabled) { host_->EnableItem(id_, enabled); }
    void SetCheck(int state) { host_->SetCheck(id_, state); }
    int GetCheck() const { return host_->GetCheck(id_); }

  private:
    ui::DialogHost* host_ = nullptr;
    int id_ = 0;
};

// A trackbar bound to its control by the data exchange.
class TrackbarControl {
  public:
    void Bind(ui::DialogHost* host, int id) {
        host_ = host;
        id_ = id;
    }
    bool IsBound() const { return host_ != nullptr; }
    int ControlId() const { return id_; }

    void SetRangeMin(int minimum, bool redraw) { host_->SetTrackbarRangeMin(id_, minimum, redraw); }
    void SetRangeMax(int maximum, bool redraw) { host_->SetTrackbarRangeMax(id_, maximum, redraw); }
    void SetPos(int position) { host_->SetTrackbarPos(id_, position, true); }
    int GetPos() const { return host_->GetTrackbarPos(id_); }

  private:
    ui::DialogHost* host_ = nullptr;
    int id_ = 0;
};

// A point font given to one control; it lives as long as the dialog that owns it.
struct PointFont {
    int pointTenths = 0;
    std::wstring face;
    bool created = false;
};

}  // namespace tamsel
