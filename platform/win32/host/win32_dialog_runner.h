#pragma once
// Runs the application's top-level dialog with the Win32 host.

#include <windows.h>

#include <string>

#include "ui/dialog_host.h"

namespace tamsel::win32 {

class Win32DialogRunner final : public ui::DialogRunner {
  public:
    Win32DialogRunner(HINSTANCE instance, std::wstring applicationName)
        : instance_(instance), applicationName_(std::move(applicationName)) {}

    int RunModal(ui::DialogBehaviour& dialog) override;

  private:
    HINSTANCE instance_;
    std::wstring applicationName_;
};

}  // namespace tamsel::win32
