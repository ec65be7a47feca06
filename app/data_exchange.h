#pragma once
// The dialog data exchange: binds controls to members and moves texts between members
// and edits, in one direction per run (to the controls, or back from them).

#include <string>

#include "app/dialog_controls.h"
#include "ui/dialog_host.h"

namespace tamsel {

class DataExchange {
  public:
    DataExchange(ui::DialogHost& host, bool saveAndValidate)
        : host_(host), saveAndValidate_(saveAndValidate) {}

    bool SaveAndValidate() const { return saveAndValidate_; }

    // Binds once; later runs leave the binding as it is.
    void Control(int id, TrackbarControl& control);
    void Text(int id, std::wstring& text);

  private:
    ui::DialogHost& host_;
    bool saveAndValidate_;
};

}  // namespace tamsel
