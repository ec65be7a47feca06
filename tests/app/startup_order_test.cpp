// The order of everything the main dialog does while it starts, as the headless host
// records it, with the camera present and absent: the dialog's calls, the Device.ini
// reads, discovery and the camera traffic in one list. The traces are also written to
// the build tree (startup-trace-*.txt) for people to read.

#include <fstream>
#include <string>
#include <vector>

#include "tests/app/dialog_fixture.h"

namespace tamsel::test {
namespace {

void WriteTrace(const std::string& fileName, const std::vector<std::string>& lines) {
    std::ofstream out(std::string(TAMSEL_TRACE_DIR) + "/" + fileName);
    for (const std::string& line : lines) out << line << '\n';
}

// Camera "Cam X" with quality 2, colours 50, 40, 0, 100 and the volume reply 3, 0, 14,
// 1, 0, 1; Device.ini names it with Function 4; the clock stands at 2019-06-10 09:05:03
// and the version resource says 1.2.0.0.
const std::vector<std::string> kFoundTrace = {
    "102 CreateDialog 102 \"Tamsel\" at (0,0,443,608)",
    "102 <- InitDialog",
    "102 SetItemText 1008 \"\"",
    "102 SetItemText 1014 \"\"",
    "102 SetItemText 1015 \"\"",
    "102 SetItemText 1016 \"\"",
    "102 SetItemText 1019 \"\"",
    "102 SetItemText 1020 \"\"",
    "102 SetItemText 1021 \"\"",
    "102 GetSystemMenu -> menu",
    "102 LoadString 101 -> \"&About Tamsel...\"",
    "102 AppendSystemMenu separator",
    "102 AppendSystemMenu item 0x0010 \"&About Tamsel...\"",
    "102 SetIcon big 128",
    "102 SetIcon small 128",
    "102 SetItemText 1005 \"2019/6/10 9:5:3\"",
    "102 SetTimer 0 1000ms",
    "102 SetControlPointFont 1005 40 \"Arial\"",
    "102 CenterWindow -> (419,208,862,816)",
    "profile: string [Device] Name default \"No Device\" buffer 32 -> \"Cam X\"",
    "102 SetWindowTitle \"Cam X Tamsel\"",
    "devices: enumerate video inputs 0x00000000",
    "devices: friendly name \"Cam X\" 0x00000000",
    "devices: bind 0x00000000",
    "102 SetItemText 1006 \"ver: 1.2.0\"",
    "camera: probe selector 22 0x800700EA",
    "camera: get selector 22 -> [3 0 14 1 0 1] 0x00000000",
    "camera: probe selector 25 0x800700EA",
    "camera: get selector 25 -> [50 40 0 100] 0x00000000",
    "camera: probe selector 28 0x800700EA",
    "camera: get selector 28 -> [2] 0x00000000",
    "102 SetCheck 1001 0",
    "102 SetCheck 1002 0",
    "102 SetCheck 1003 0",
    "102 SetCheck 1002 1",
    "102 SetTrackbarRangeMin 1007 0 noredraw",
    "102 SetTrackbarRangeMax 1007 100 noredraw",
    "102 SetTrackbarPos 1007 50 redraw",
    "102 SetTrackbarRangeMin 1011 0 noredraw",
    "102 SetTrackbarRangeMax 1011 100 noredraw",
    "102 SetTrackbarPos 1011 40 redraw",
    "102 SetTrackbarRangeMin 1012 0 noredraw",
    "102 SetTrackbarRangeMax 1012 100 noredraw",
    "102 SetTrackbarPos 1012 0 redraw",
    "102 SetTrackbarRangeMin 1013 0 noredraw",
    "102 SetTrackbarRangeMax 1013 100 noredraw",
    "102 SetTrackbarPos 1013 100 redraw",
    "102 SetTrackbarRangeMax 1010 6 noredraw",
    "102 SetTrackbarRangeMin 1010 1 noredraw",
    "102 SetTrackbarPos 1010 3 redraw",
    "102 SetTrackbarRangeMax 1017 28 noredraw",
    "102 SetTrackbarRangeMin 1017 1 noredraw",
    "102 SetTrackbarPos 1017 1 redraw",
    "102 SetTrackbarRangeMax 1018 15 noredraw",
    "102 SetTrackbarRangeMin 1018 1 noredraw",
    "102 SetTrackbarPos 1018 15 redraw",
    "102 SetCheck 1022 1",
    "102 SetCheck 1023 0",
    "102 SetCheck 1024 1",
    "102 SetItemText 1008 \"50\"",
    "102 SetItemText 1014 \"40\"",
    "102 SetItemText 1015 \"0\"",
    "102 SetItemText 1016 \"100\"",
    "102 SetItemText 1019 \"3\"",
    "102 SetItemText 1020 \"1\"",
    "102 SetItemText 1021 \"15\"",
    "profile: int [Device] Function default 4 -> 4",
    "102 InitDialog returned TRUE",
    "102 Focus 1000",
    "102 ShowWindow",
};

// Device.ini names "Cam Y", which isn't there.
const std::vector<std::string> kNotFoundTrace = {
    "102 CreateDialog 102 \"Tamsel\" at (0,0,443,608)",
    "102 <- InitDialog",
    "102 SetItemText 1008 \"\"",
    "102 SetItemText 1014 \"\"",
    "102 SetItemText 1015 \"\"",
    "102 SetItemText 1016 \"\"",
    "102 SetItemText 1019 \"\"",
    "102 SetItemText 1020 \"\"",
    "102 SetItemText 1021 \"\"",
    "102 GetSystemMenu -> menu",
    "102 LoadString 101 -> \"&About Tamsel...\"",
    "102 AppendSystemMenu separator",
    "102 AppendSystemMenu item 0x0010 \"&About Tamsel...\"",
    "102 SetIcon big 128",
    "102 SetIcon small 128",
    "102 SetItemText 1005 \"2019/6/10 9:5:3\"",
    "102 SetTimer 0 1000ms",
    "102 SetControlPointFont 1005 40 \"Arial\"",
    "102 CenterWindow -> (419,208,862,816)",
    "profile: string [Device] Name default \"No Device\" buffer 32 -> \"Cam Y\"",
    "102 SetWindowTitle \"Cam Y Tamsel\"",
    "devices: enumerate video inputs 0x00000000",
    "devices: friendly name \"Cam X\" 0x00000000",
    "102 EnableItem 1000 0",
    "102 EnableItem 1004 0",
    "102 EnableItem 1009 0",
    "102 EnableItem 1025 0",
    "102 MessageBox text=\"Cam Y is not found! \" caption=\"Cam Y Tamsel\" type=0x0020",
    "102 MessageBox closed -> 1",
    "102 SetItemText 1006 \"ver: 1.2.0\"",
    "102 SetCheck 1001 0",
    "102 SetCheck 1002 0",
    "102 SetCheck 1003 0",
    "102 SetCheck 1003 1",
    "102 SetTrackbarRangeMin 1007 0 noredraw",
    "102 SetTrackbarRangeMax 1007 100 noredraw",
    "102 SetTrackbarPos 1007 0 redraw",
    "102 SetTrackbarRangeMin 1011 0 noredraw",
    "102 SetTrackbarRangeMax 1011 100 noredraw",
    "102 SetTrackbarPos 1011 0 redraw",
    "102 SetTrackbarRangeMin 1012 0 noredraw",
    "102 SetTrackbarRangeMax 1012 100 noredraw",
    "102 SetTrackbarPos 1012 0 redraw",
    "102 SetTrackbarRangeMin 1013 0 noredraw",
    "102 SetTrackbarRangeMax 1013 100 noredraw",
    "102 SetTrackbarPos 1013 0 redraw",
    "102 SetTrackbarRangeMax 1010 6 noredraw",
    "102 SetTrackbarRangeMin 1010 1 noredraw",
    "102 SetTrackbarPos 1010 0 redraw",
    "102 SetTrackbarRangeMax 1017 28 noredraw",
    "102 SetTrackbarRangeMin 1017 1 noredraw",
    "102 SetTrackbarPos 1017 0 redraw",
    "102 SetTrackbarRangeMax 1018 15 noredraw",
    "102 SetTrackbarRangeMin 1018 1 noredraw",
    "102 SetTrackbarPos 1018 0 redraw",
    "102 SetCheck 1022 0",
    "102 SetCheck 1023 0",
    "102 SetCheck 1024 0",
    "102 SetItemText 1008 \"0\"",
    "102 SetItemText 1014 \"0\"",
    "102 SetItemText 1015 \"0\"",
    "102 SetItemText 1016 \"0\"",
    "102 SetItemText 1019 \"0\"",
    "102 SetItemText 1020 \"0\"",
    "102 SetItemText 1021 \"0\"",
    "profile: int [Device] Function default 4 -> 4",
    "102 InitDialog returned TRUE",
    "102 Focus 1007",
    "102 ShowWindow",
};

class StartupOrderTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        sim::FirmwareRegisters& registers = camera.firmware().registers();
        registers.quality = 2;
        registers.color = {50, 40, 0, 100};
        registers.volume = {3, 0, 14, 1, 0, 1};
        TraceServices();
    }
};

TEST_F(StartupOrderTest, CameraFound) {
    WriteDeviceIni("Cam X", "4");
    Open();
    WriteTrace("startup-trace-found.txt", host.Operations());
    EXPECT_EQ(host.Operations(), kFoundTrace);
}

TEST_F(StartupOrderTest, CameraNotFound) {
    WriteDeviceIni("Cam Y", "4");
    Open();
    WriteTrace("startup-trace-not-found.txt", host.Operations());
    EXPECT_EQ(host.Operations(), kNotFoundTrace);
    EXPECT_TRUE(Reads().empty());
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
}  // namespace tamsel::test
