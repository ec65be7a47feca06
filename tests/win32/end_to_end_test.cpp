// Tamsel.exe end to end under the real dialog manager: started in a working directory
// with its Device.ini, against the virtual camera registered as a capture device, and
// driven by control id from this process. The camera's call log (written by the program's
// process) is the oracle for what went to the camera.

// clang-format off
#include "ui/control_ids.h"
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/xu_transport.h"
#include "sim/virtual_camera.h"
#include "tests/win32/running_program.h"
#include "tests/win32/test_paths.h"
#include "tests/win32_device/fixture/virtual_camera_fixture.h"

namespace tamsel::win32::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr wchar_t kCameraName[] = L"Tamsel Virtual Camera";

// One property call of the log: read or write, the selector and the bytes.
struct WireCall {
    std::uint32_t flags;
    std::uint32_t selector;
    bool hasBuffer;
    Bytes data;  // written bytes for a write, returned bytes for a read
    friend bool operator==(const WireCall&, const WireCall&) = default;
};

std::ostream& operator<<(std::ostream& out, const WireCall& call) {
    out << (call.flags == kXuWriteFlags  ? "set"
            : call.flags == kXuReadFlags ? "get"
                                         : "?")
        << " sel " << call.selector << (call.hasBuffer ? "" : " probe") << " [";
    for (std::size_t i = 0; i < call.data.size(); ++i) out << (i ? "," : "") << int(call.data[i]);
    return out << "]";
}

std::vector<WireCall> PropertyCalls(const std::vector<sim::CallRecord>& log) {
    std::vector<WireCall> calls;
    for (const sim::CallRecord& record : log) {
        if (record.kind != sim::CallRecord::Kind::KsProperty) continue;
        KspNode node;
        if (!ParseKspNode(record.request.data(), record.requestLength, &node)) continue;
        const bool write = node.flags == kXuWriteFlags;
        calls.push_back({node.flags, node.propertyId, record.hasBuffer,
                         write ? record.dataIn : record.dataOut});
    }
    return calls;
}

WireCall Write(std::uint32_t selector, Bytes data) {
    return {kXuWriteFlags, selector, true, std::move(data)};
}

std::string DeviceIni(const std::wstring& name, int function) {
    return "[Device]\r\nName=" + std::string(name.begin(), name.end()) +
           "\r\nFunction=" + std::to_string(function) + "\r\n";
}

HWND Item(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}
std::wstring ItemText(HWND dialog, int id) {
    return WindowText(Item(dialog, id));
}
int TrackbarPos(HWND dialog, int id) {
    return static_cast<int>(::SendMessageW(Item(dialog, id), TBM_GETPOS, 0, 0));
}
int Check(HWND dialog, int id) {
    return static_cast<int>(::SendMessageW(Item(dialog, id), BM_GETCHECK, 0, 0));
}
void Click(HWND dialog, int id) {
    ::SendMessageW(Item(dialog, id), BM_CLICK, 0, 0);
}

// Moves a trackbar as the user would: the control's position changes, then the dialog
// hears about it through WM_HSCROLL from that control.
void DragTrackbar(HWND dialog, int id, int position) {
    HWND trackbar = Item(dialog, id);
    ::SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                   reinterpret_cast<LPARAM>(trackbar));
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(trackbar));
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

HWND FocusedWindow(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(threadId, &info)) return nullptr;
    return info.hwndFocus;
}

class TamselWithCamera : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(testing::RemoveAllVirtualCameras(), S_OK);
        testing::VirtualCameraOptions options;
        options.friendlyName = std::wstring(kCameraName);
        camera_ = std::make_unique<testing::VirtualCameraRegistration>(options);
        ASSERT_EQ(camera_->result(), S_OK);

        sim::FirmwareRegisters registers;
        registers.quality = 3;                   // High
        registers.color = {10, 20, 30, 40};      // brightness, contrast, hue, saturation
        registers.volume = {5, 11, 9, 1, 0, 1};  // Aux 5, Earphone 12, MIC 10 as shown; mutes
        ASSERT_TRUE(camera_->WriteRegisters(registers));
        camera_->ClearCallLog();
    }

    // Starts the program with Device.ini naming the camera; the main dialog, or null.
    HWND Start(int function) {
        directory_.WriteFile(L"Device.ini", DeviceIni(kCameraName, function));
        program_ = std::make_unique<RunningProgram>(kTamselExePath, directory_.path());
        if (!program_->started()) return nullptr;
        HWND dialog = program_->WaitForDialog(ui::IDC_SET_TIME, true);
        Settle();
        return dialog;
    }

    std::vector<WireCall> CallsSince(std::size_t* seen) const {
        const std::vector<WireCall> all = PropertyCalls(camera_->ReadCallLog());
        std::vector<WireCall> fresh(all.begin() + static_cast<std::ptrdiff_t>(*seen), all.end());
        *seen = all.size();
        return fresh;
    }

    void CloseAndExpectExit(HWND dialog) {
        // The caption's Close button arrives as WM_CLOSE; the default handling ends the dialog.
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        const auto exitCode = program_->WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << "the program didn't end after WM_CLOSE";
        EXPECT_EQ(*exitCode, 0u);
    }

    std::unique_ptr<testing::VirtualCameraRegistration> camera_;
    TemporaryDirectory directory_;
    std::unique_ptr<RunningProgram> program_;
};

TEST_F(TamselWithCamera, StartsReadsTheCameraAndEachSetButtonWritesExactlyItsBytes) {
    HWND dialog = Start(4);
    ASSERT_NE(dialog, nullptr) << "no main dialog appeared";
    EXPECT_TRUE(program_->VisibleDialogs().size() == 1) << "no message box with a camera present";

    EXPECT_EQ(WindowText(dialog), std::wstring(kCameraName) + L" Tamsel");
    EXPECT_EQ(ItemText(dialog, ui::IDC_VERSION), L"ver: 1.2.0");

    // Start-up: a size probe and a read for volume, colour and quality, in that order,
    // and nothing written.
    std::size_t seen = 0;
    const std::vector<WireCall> startup = CallsSince(&seen);
    const std::vector<std::uint32_t> expectedSelectors = {22, 22, 25, 25, 28, 28};
    ASSERT_EQ(startup.size(), expectedSelectors.size());
    for (std::size_t i = 0; i < startup.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(startup[i].flags, kXuReadFlags);
        EXPECT_EQ(startup[i].selector, expectedSelectors[i]);
        EXPECT_EQ(startup[i].hasBuffer, i % 2 == 1) << "probe first, then the read";
    }

    // The panels show the camera's registers.
    EXPECT_EQ(Check(dialog, ui::IDC_QUALITY_HIGH), BST_CHECKED);
    EXPECT_EQ(Check(dialog, ui::IDC_QUALITY_STANDARD), BST_UNCHECKED);
    EXPECT_EQ(Check(dialog, ui::IDC_QUALITY_LOW), BST_UNCHECKED);
    const struct {
        int slider, edit, value;
    } shown[] = {
        {ui::IDC_SLIDER_BRIGHTNESS, ui::IDC_EDIT_BRIGHTNESS, 10},
        {ui::IDC_SLIDER_CONTRAST, ui::IDC_EDIT_CONTRAST, 20},
        {ui::IDC_SLIDER_HUE, ui::IDC_EDIT_HUE, 30},
        {ui::IDC_SLIDER_SATURATION, ui::IDC_EDIT_SATURATION, 40},
        {ui::IDC_SLIDER_AUX, ui::IDC_EDIT_AUX, 5},
        {ui::IDC_SLIDER_EARPHONE, ui::IDC_EDIT_EARPHONE, 12},
        {ui::IDC_SLIDER_MIC, ui::IDC_EDIT_MIC, 10},
    };
    for (const auto& s : shown) {
        SCOPED_TRACE(s.slider);
        EXPECT_EQ(TrackbarPos(dialog, s.slider), s.value);
        EXPECT_EQ(ItemText(dialog, s.edit), std::to_wstring(s.value));
    }
    EXPECT_EQ(Check(dialog, ui::IDC_MUTE_AUX), BST_CHECKED);
    EXPECT_EQ(Check(dialog, ui::IDC_MUTE_EARPHONE), BST_UNCHECKED);
    EXPECT_EQ(Check(dialog, ui::IDC_MUTE_MIC), BST_CHECKED);

    // The focus starts on the first enabled tab stop: Set Date and Time.
    EXPECT_EQ(FocusedWindow(program_->threadId()), Item(dialog, ui::IDC_SET_TIME));

    // Right after start-up Enter presses the focused button: the date and time go out.
    HWND focused = FocusedWindow(program_->threadId());
    ::PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageW(focused, WM_KEYUP, VK_RETURN, 0xC0000001);
    Settle();
    const std::vector<WireCall> enter = CallsSince(&seen);
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(enter[0].flags, kXuWriteFlags);
    EXPECT_EQ(enter[0].selector, 29u);
    EXPECT_EQ(enter[0].data.size(), 6u);
    EXPECT_TRUE(::IsWindow(dialog)) << "Enter ended the dialog instead";

    std::filesystem::path screenshot =
        std::filesystem::path(kBuildDir) / L"screenshots" / L"tamsel-dialog.bmp";
    EXPECT_TRUE(SaveWindowScreenshot(dialog, screenshot));

    // Moving controls sends nothing.
    DragTrackbar(dialog, ui::IDC_SLIDER_BRIGHTNESS, 55);
    DragTrackbar(dialog, ui::IDC_SLIDER_EARPHONE, 12);
    DragTrackbar(dialog, ui::IDC_SLIDER_MIC, 15);
    Click(dialog, ui::IDC_QUALITY_LOW);
    Click(dialog, ui::IDC_MUTE_EARPHONE);
    EXPECT_EQ(ItemText(dialog, ui::IDC_EDIT_BRIGHTNESS), L"55");
    EXPECT_EQ(ItemText(dialog, ui::IDC_EDIT_MIC), L"15");
    EXPECT_TRUE(CallsSince(&seen).empty());

    // Set Quality: the quality, then the closing write.
    Click(dialog, ui::IDC_SET_QUALITY);
    EXPECT_EQ(CallsSince(&seen), (std::vector<WireCall>{Write(28, {1}), Write(23, {0})}));

    // Set Color: four items, then the closing write.
    Click(dialog, ui::IDC_SET_COLOR);
    EXPECT_EQ(CallsSince(&seen),
              (std::vector<WireCall>{Write(24, {0, 55}), Write(24, {1, 20}), Write(24, {2, 30}),
                                     Write(24, {3, 40}), Write(23, {0})}));

    // Set Volume: six items (Earphone and MIC travel one lower than shown), then closing.
    Click(dialog, ui::IDC_SET_VOLUME);
    EXPECT_EQ(CallsSince(&seen),
              (std::vector<WireCall>{Write(21, {0, 5}), Write(21, {1, 11}), Write(21, {2, 14}),
                                     Write(21, {3, 1}), Write(21, {4, 1}), Write(21, {5, 1}),
                                     Write(23, {0})}));

    // Set Date and Time: the six clock fields as the label shows them, no closing write.
    // A tick may land between reading the label and the click; try again if it did.
    std::vector<WireCall> timeWrites;
    std::wstring label;
    for (int attempt = 0; attempt < 3; ++attempt) {
        label = ItemText(dialog, ui::IDC_TIME);
        Click(dialog, ui::IDC_SET_TIME);
        timeWrites = CallsSince(&seen);
        if (ItemText(dialog, ui::IDC_TIME) == label) break;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    ASSERT_EQ(
        swscanf(label.c_str(), L"%d/%d/%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second),
        6)
        << std::string(label.begin(), label.end());
    const Bytes clock = {static_cast<std::uint8_t>(year + 48), static_cast<std::uint8_t>(month),
                         static_cast<std::uint8_t>(day),       static_cast<std::uint8_t>(hour),
                         static_cast<std::uint8_t>(minute),    static_cast<std::uint8_t>(second)};
    EXPECT_EQ(timeWrites, (std::vector<WireCall>{Write(29, clock)}));

    // What was written is what the camera now holds.
    const sim::FirmwareRegisters after = camera_->ReadRegisters();
    EXPECT_EQ(after.quality, 1);
    EXPECT_EQ(after.color, (std::array<std::uint8_t, 4>{55, 20, 30, 40}));
    EXPECT_EQ(after.volume, (std::array<std::uint8_t, 6>{5, 11, 14, 1, 1, 1}));

    CloseAndExpectExit(dialog);
    EXPECT_EQ(camera_->LiveObjects().value_or(-1), 0) << "the program left camera objects alive";
}

TEST_F(TamselWithCamera, AboutBoxFromTheSystemMenuShowsTheVersionAndCloses) {
    HWND dialog = Start(4);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(dialog, WM_SYSCOMMAND, ui::IDM_ABOUTBOX, 0);
    HWND about = program_->WaitForDialog(ui::IDC_ABOUT_VERSION, true, std::chrono::seconds(10));
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(WindowText(about), L"About Tamsel");
    EXPECT_EQ(ItemText(about, ui::IDC_ABOUT_VERSION), L"ver: 1.2.0");
    EXPECT_EQ(::GetWindow(about, GW_OWNER), dialog);
    // Escape is the dialog manager's IDCANCEL.
    ::PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Settle();
    EXPECT_FALSE(::IsWindow(about));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    CloseAndExpectExit(dialog);
}

// Function 1, 2 and 3 end the dialog on the top edge of a group box; the dialog keeps
// the position centring gave it at full height.
struct CutCase {
    int function;
    int groupBox;
};

class TamselCut : public TamselWithCamera, public ::testing::WithParamInterface<CutCase> {};

TEST_P(TamselCut, DialogEndsOnTheGroupBoxTop) {
    // The full-size dialog first, for its centred position.
    HWND full = Start(4);
    ASSERT_NE(full, nullptr);
    const RECT fullRect = WindowRect(full);
    CloseAndExpectExit(full);

    HWND dialog = Start(GetParam().function);
    ASSERT_NE(dialog, nullptr);
    const RECT cut = WindowRect(dialog);
    const RECT group = WindowRect(Item(dialog, GetParam().groupBox));
    EXPECT_EQ(cut.left, fullRect.left);
    EXPECT_EQ(cut.top, fullRect.top);
    EXPECT_EQ(cut.right, fullRect.right);
    EXPECT_EQ(cut.bottom, group.top);
    EXPECT_LT(cut.bottom, fullRect.bottom);
    CloseAndExpectExit(dialog);
}

INSTANTIATE_TEST_SUITE_P(Functions, TamselCut,
                         ::testing::Values(CutCase{1, ui::IDC_GROUP_QUALITY},
                                           CutCase{2, ui::IDC_GROUP_COLOR},
                                           CutCase{3, ui::IDC_GROUP_VOLUME}),
                         [](const auto& param) {
                             return "Function" + std::to_string(param.param.function);
                         });

// No camera by the configured name: the not-found box first, then the dialog with the
// four Set buttons disabled.
struct MissingCase {
    const char* name;
    bool writeIni;
    std::string ini;
    std::wstring boxText;
    std::wstring boxCaption;
    std::wstring title;
};

class TamselWithoutCamera : public ::testing::TestWithParam<MissingCase> {
  protected:
    void SetUp() override { ASSERT_EQ(testing::RemoveAllVirtualCameras(), S_OK); }
};

TEST_P(TamselWithoutCamera, ShowsTheNotFoundBoxThenDisablesTheSetButtons) {
    const MissingCase& c = GetParam();
    TemporaryDirectory directory;
    if (c.writeIni) directory.WriteFile(L"Device.ini", c.ini);
    RunningProgram program(kTamselExePath, directory.path());
    ASSERT_TRUE(program.started());

    // The message box is the program's only visible dialog while the main one initialises.
    HWND box = program.WaitForDialog(ui::IDC_SET_TIME, false);
    ASSERT_NE(box, nullptr) << "no message box";
    // The dialog itself isn't shown until the box is dismissed.
    EXPECT_EQ(program.VisibleDialogs(), std::vector<HWND>{box});
    EXPECT_EQ(WindowText(box), c.boxCaption);
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == L"Static") texts.push_back(WindowText(child));
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.boxText), texts.end());
    HWND ok = ::GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr) << "an OK button";
    EXPECT_EQ(::GetDlgItem(box, IDCANCEL), nullptr) << "and nothing else";
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));

    HWND dialog = program.WaitForDialog(ui::IDC_SET_TIME, true);
    ASSERT_NE(dialog, nullptr);
    Settle();
    EXPECT_EQ(WindowText(dialog), c.title);
    for (int id : {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
        EXPECT_FALSE(::IsWindowEnabled(Item(dialog, id))) << id;
    }
    // The clock runs.
    const std::wstring clockBefore = ItemText(dialog, ui::IDC_TIME);
    Settle(std::chrono::milliseconds(1600));
    EXPECT_NE(ItemText(dialog, ui::IDC_TIME), clockBefore);
    // Everything else can still be moved.
    DragTrackbar(dialog, ui::IDC_SLIDER_HUE, 70);
    EXPECT_EQ(ItemText(dialog, ui::IDC_EDIT_HUE), L"70");
    EXPECT_TRUE(::IsWindowEnabled(Item(dialog, ui::IDC_MUTE_MIC)));
    // With the Set buttons disabled the focus goes to the first enabled tab stop. Checking
    // a radio button makes it a tab stop (so that Tab lands on the chosen one), and the
    // quality defaults to Low when no camera was read: Low, ahead of the trackbars.
    EXPECT_EQ(Check(dialog, ui::IDC_QUALITY_LOW), BST_CHECKED);
    EXPECT_TRUE(::GetWindowLongW(Item(dialog, ui::IDC_QUALITY_LOW), GWL_STYLE) & WS_TABSTOP);
    HWND focus = FocusedWindow(program.threadId());
    EXPECT_EQ(focus, Item(dialog, ui::IDC_QUALITY_LOW)) << "focus on id " << ::GetDlgCtrlID(focus);

    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    const auto exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceIni, TamselWithoutCamera,
    ::testing::Values(
        // No file: the default name; the box's caption is the application's name.
        MissingCase{"NoFile", false, "", L"No Device is not found! ", L"Tamsel", L" Tamsel"},
        MissingCase{"UnknownName", true, "[Device]\r\nName=Cam X\r\nFunction=4\r\n",
                    L"Cam X is not found! ", L"Cam X Tamsel", L"Cam X Tamsel"},
        // An empty name isn't the default: the caption is the title.
        MissingCase{"EmptyName", true, "[Device]\r\nName=\r\n", L" is not found! ", L" Tamsel",
                    L" Tamsel"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tamsel::win32::test
