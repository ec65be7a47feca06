#pragma once
// CAboutDlg: the About box (template 100), run from the main dialog's system menu.

#include "ui/dialog_host.h"

namespace tamsel {

class CAboutDlg : public ui::DialogBehaviour {
  public:
    int TemplateId() const override;
    void Attach(ui::DialogHost* host) override;
    // Shows the version from the settings record in label 1029.
    bool OnInitDialog() override;
    // No entries of its own: everything gets the platform's default handling.
    void Dispatch(const ui::DialogEvent& event) override;
    void OnOK() override;
    void OnCancel() override;

  private:
    ui::DialogHost* host_ = nullptr;
};

}  // namespace tamsel
