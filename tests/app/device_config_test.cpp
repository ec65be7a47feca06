// Device.ini at start-up: the window title, the not-found message and its caption,
// discovery by the configured name, the working directory, and the cut to the
// configured panels.

#include "app/device_config.h"

#include <string>
#include <vector>

#include "tests/app/dialog_fixture.h"

namespace tamsel::test {
namespace {

template <std::size_t N>
std::string Bytes(const char (&bytes)[N]) {
    return std::string(bytes, N - 1);
}

const std::string kFortyChars = "Camera with a rather long friendly name!";  // 40
const std::wstring kFortyCharsWide(kFortyChars.begin(), kFortyChars.end());
const std::wstring kFirst31 = kFortyCharsWide.substr(0, 31);

struct NameCase {
    const char* name;
    bool writeFile;
    std::string fileBytes;
    std::wstring extraDevice;  // a second device in the list, or empty
    std::wstring title;
    bool found;
    std::wstring message;  // when not found
    std::wstring caption;  // when not found
    bool captionFromApplication;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

const NameCase kNameCases[] = {

    {"NoFile", false, "", L"", L" Tamsel", false, L"No Device is not found! ", L"Tamsel", true},
    {"NameOfPresentCamera", true, "[Device]\r\nName=Cam X\r\n", L"", L"Cam X Tamsel", true, L"",
     L"", false},
    {"NameOfMissingCamera", true, "[Device]\r\nName=Cam Y\r\n", L"", L"Cam Y Tamsel", false,
     L"Cam Y is not found! ", L"Cam Y Tamsel", false},
    {"EmptyNameIsNotTheDefault", true, "[Device]\r\nName=\r\n", L"", L" Tamsel", false,
     L" is not found! ", L" Tamsel", false},
    {"DefaultNameInSmallLetters", true, "[Device]\r\nName=no device\r\n", L"", L"no device Tamsel",
     false, L"no device is not found! ", L"no device Tamsel", false},
    {"NoFileButACameraCalledNoDevice", false, "", L"No Device", L" Tamsel", true, L"", L"", false},
    {"LongNameCutBeforeDiscovery", true, "[Device]\r\nName=" + kFortyChars + "\r\n", kFirst31,
     kFirst31 + L" Tamsel", true, L"", L"", false},
    {"LongNameDoesNotFindItsFullName", true, "[Device]\r\nName=" + kFortyChars + "\r\n",
     kFortyCharsWide, kFirst31 + L" Tamsel", false, kFirst31 + L" is not found! ",
     kFirst31 + L" Tamsel", false},
    {"QuotedName", true, "[Device]\r\nName=\"Cam X\"\r\n", L"", L"Cam X Tamsel", true, L"", L"",
     false},
    {"BinaryJunk", true, Bytes("\x00\xFF\x13[Dev\x00ice]\xFE\r\n\x80\x81=\x9C"), L"", L" Tamsel",
     false, L"No Device is not found! ", L"Tamsel", true},
};

class DeviceNameTest : public DialogTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(DeviceNameTest, TitleDiscoveryAndMessage) {
    const NameCase& c = GetParam();
    if (c.writeFile) WriteDeviceIni(c.fileBytes);
    if (!c.extraDevice.empty()) devices.Add({c.extraDevice, &camera, true, true});

    ui::HeadlessWindow& window = Open();

    EXPECT_EQ(window.Title(), c.title);
    EXPECT_EQ(TheDeviceSettings().lastResult == 0, c.found);
    for (int id : {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
        EXPECT_EQ(window.IsEnabled(id), c.found) << id;
    }
    if (c.found) {
        EXPECT_TRUE(host.MessageBoxes().empty());
        EXPECT_EQ(Reads(), (std::vector<std::string>{"22:", "25:", "28:"}));
    } else {
        ASSERT_EQ(host.MessageBoxes().size(), 1u);
        const ui::HeadlessMessageBox& box = host.MessageBoxes()[0];
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_EQ(box.captionFromApplication, c.captionFromApplication);
        EXPECT_EQ(box.type, 0x20u);
        EXPECT_TRUE(Reads().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(DeviceIni, DeviceNameTest, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ReadsTheWorkingDirectorysFileNotAnotherOne) {
    WriteDeviceIni("Cam Y", "1");
    TempDirectory other;
    {
        std::ofstream file(other.path() / "Device.ini", std::ios::binary);
        file << "[Device]\r\nName=Cam X\r\nFunction=4\r\n";
    }
    workingDirectory.Set(other.path().wstring());

    ui::HeadlessWindow& window = Open();

    EXPECT_EQ(window.Title(), L"Cam X Tamsel");
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(window.WindowRect().Height(), 608);  // Function 4 there, not 1
}

// Remembers what it was asked and answers with the defaults.
class PathRecordingProfile : public ProfileReader {
  public:
    std::wstring GetString(const std::wstring&, const std::wstring&, const std::wstring& def,
                           std::size_t, const std::wstring& path) override {
        paths.push_back(path);
        return def;
    }
    int GetInt(const std::wstring&, const std::wstring&, int def,
               const std::wstring& path) override {
        paths.push_back(path);
        return def;
    }
    std::vector<std::wstring> paths;
};

TEST_F(DialogTest, BuildsThePathOnceAndUsesItForBothKeys) {
    PathRecordingProfile recording;
    services.profile = &recording;
    workingDirectory.Set(L"C:\\Users\\me");

    Open();

    EXPECT_EQ(recording.paths, (std::vector<std::wstring>{L"C:\\Users\\me\\Device.ini",
                                                          L"C:\\Users\\me\\Device.ini"}));
}

TEST_F(DialogTest, PathLongerThanItsBufferIsCutTo255Characters) {
    PathRecordingProfile recording;
    services.profile = &recording;
    workingDirectory.Set(L"C:\\" + std::wstring(247, L'd'));  // 250 characters

    Open();

    ASSERT_EQ(recording.paths.size(), 2u);
    EXPECT_EQ(recording.paths[0].size(), 255u);
    EXPECT_EQ(recording.paths[0].substr(250), L"\\Devi");
}

TEST_F(DialogTest, WorkingDirectoryThatCannotBeReadGivesTheDefaults) {
    WriteDeviceIni("Cam X", "1");
    PathRecordingProfile recording;
    services.profile = &recording;
    workingDirectory.readable = false;

    ui::HeadlessWindow& window = Open();

    // No path at all is safer than reading some other file: nothing is read.
    EXPECT_TRUE(recording.paths.empty());
    EXPECT_EQ(window.Title(), L" Tamsel");
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"No Device is not found! ");
    EXPECT_EQ(window.WindowRect().Height(), 608);
}

TEST_F(DialogTest, WorkingDirectoryThatDoesNotFitItsBufferGivesTheDefaults) {
    PathRecordingProfile recording;
    services.profile = &recording;
    workingDirectory.Set(std::wstring(256, L'd'));  // needs 257 with its terminator

    ui::HeadlessWindow& window = Open();

    EXPECT_TRUE(recording.paths.empty());
    EXPECT_EQ(window.Title(), L" Tamsel");
}

// The centred dialog stands at (419, 208) and is 608 pixels high; its client area starts
// 23 pixels lower. Group boxes 1028, 1026 and 1027 start 80, 157 and 248 dialog units
// down, 130, 255 and 403 pixels.
struct CutCase {
    const char* name;
    const char* function;
    int bottom;
};

void PrintTo(const CutCase& c, std::ostream* out) {
    *out << c.name;
}

const CutCase kCutCases[] = {
    {"Zero", "0", 816},         {"One", "1", 361},           {"Two", "2", 486},
    {"Three", "3", 634},        {"Four", "4", 816},          {"Five", "5", 816},
    {"NotANumber", "all", 816}, {"LeadingDigit", "2x", 486}, {"Negative", "-1", 816},
    {"Empty", "", 816},
};

class FunctionCutTest : public DialogTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(FunctionCutTest, BottomEdgeOnTheGroupBoxTop) {
    WriteDeviceIni("Cam X", GetParam().function);

    ui::HeadlessWindow& window = Open();

    // Centred at full size first; the cut keeps left, top and width.
    EXPECT_EQ(window.WindowRect(), (ui::Rect{419, 208, 862, GetParam().bottom}));
}

INSTANTIATE_TEST_SUITE_P(DeviceIni, FunctionCutTest, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, CutIsTheLastStepAndHappensOnceBeforeTheDialogShows) {
    WriteDeviceIni("Cam Y", "2");
    Open();

    const auto& ops = host.Operations();
    std::vector<std::string> moves;
    std::size_t moveAt = 0, showAt = 0, boxAt = 0, centreAt = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].starts_with("102 MoveWindow")) moves.push_back(ops[i]), moveAt = i;
        if (ops[i] == "102 ShowWindow") showAt = i;
        if (ops[i].starts_with("102 MessageBox text")) boxAt = i;
        if (ops[i].starts_with("102 CenterWindow")) centreAt = i;
    }
    EXPECT_EQ(moves, (std::vector<std::string>{"102 MoveWindow (419,208,862,486) repaint"}));
    EXPECT_LT(centreAt, boxAt);
    EXPECT_LT(boxAt, moveAt);
    EXPECT_LT(moveAt, showAt);
}

}  // namespace
}  // namespace tamsel::test
