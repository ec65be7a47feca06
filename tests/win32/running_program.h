#pragma once
// Tamsel.exe started as a separate process in a working directory of the test's choosing,
// and its windows found from outside, as a user (or an accessibility tool) sees them.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tamsel::win32::test {

// A fresh folder under %TEMP%, removed with the object.
class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }
    void WriteFile(const std::wstring& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

class RunningProgram {
  public:
    // Starts `exe` with `workingDirectory` as its current directory.
    RunningProgram(const std::wstring& exe, const std::filesystem::path& workingDirectory);
    // Ends the program if it is still running.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }
    DWORD threadId() const { return threadId_; }

    // The program's visible top-level dialogs (class "#32770"), in z-order.
    std::vector<HWND> VisibleDialogs() const;
    // Waits until a visible dialog of the process has (or, hasItem false, lacks) a control
    // with `itemId`; null on timeout.
    HWND WaitForDialog(int itemId, bool hasItem,
                       std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
    // Waits for the process to end; its exit code, or nullopt on timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(15));

  private:
    UniqueHandle process_;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// Cross-process reads and writes on a window: WM_GETTEXT rather than GetWindowText,
// which can't read an edit control of another process.
std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);
// Lets the other process catch up on posted messages and painting.
void Settle(std::chrono::milliseconds time = std::chrono::milliseconds(300));

// Copies what the screen shows of `window` (frame included) into a 24-bit BMP file.
bool SaveWindowScreenshot(HWND window, const std::filesystem::path& bmpPath);

}  // namespace tamsel::win32::test
