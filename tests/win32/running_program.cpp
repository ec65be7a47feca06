#include "tests/win32/running_program.h"

#include <fstream>
#include <thread>

namespace tamsel::win32::test {

TemporaryDirectory::TemporaryDirectory() {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    path_ =
        std::filesystem::path(temp) / (L"tamsel-run-" + std::to_wstring(::GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(counter++));
    std::filesystem::create_directories(path_);
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TemporaryDirectory::WriteFile(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

RunningProgram::RunningProgram(const std::wstring& exe,
                               const std::filesystem::path& workingDirectory) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDirectory.wstring().c_str(), &startup, &info)) {
        return;
    }
    process_.reset(info.hProcess);
    UniqueHandle thread(info.hThread);
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
}

RunningProgram::~RunningProgram() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

namespace {

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window) &&
        ClassNameOf(window) == L"#32770") {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> RunningProgram::VisibleDialogs() const {
    DialogSearch search{processId_, {}};
    ::EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::WaitForDialog(int itemId, bool hasItem,
                                   std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        for (HWND dialog : VisibleDialogs()) {
            if ((::GetDlgItem(dialog, itemId) != nullptr) == hasItem) return dialog;
        }
        if (::WaitForSingleObject(process_.get(), 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[512] = {};
    const LRESULT length =
        ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(window, name, 64);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

void Settle(std::chrono::milliseconds time) {
    std::this_thread::sleep_for(time);
}

bool SaveWindowScreenshot(HWND window, const std::filesystem::path& bmpPath) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const bool copied =
        ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    ::GdiFlush();

    bool written = false;
    if (copied && bits != nullptr) {
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + imageSize;
        std::filesystem::create_directories(bmpPath.parent_path());
        std::ofstream out(bmpPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof(file));
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
        out.write(static_cast<const char*>(bits), imageSize);
        written = out.good();
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return written;
}

}  // namespace tamsel::win32::test
