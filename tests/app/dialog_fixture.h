#pragma once
// The main dialog on the headless host against a virtual camera named "Cam X", with a
// temporary working directory for Device.ini, a fixed clock and a fixed version. The
// settings record is reset around every test.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_profile_reader.h"
#include "app/platform_seams.h"
#include "app/tamsel_app.h"
#include "app/tamsel_dlg.h"
#include "device/device_settings.h"
#include "device/xu_transport.h"
#include "sim/virtual_camera.h"
#include "sim/virtual_device_list.h"
#include "tests/app/tracing_services.h"
#include "ui/control_ids.h"
#include "ui/headless_host.h"

namespace tamsel::test {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDirectory {
  public:
    TempDirectory() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        const std::string stem = "tamsel-app-" +
                                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                 "-" + std::to_string(counter++);
        path_ = base / stem;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class FixedWorkingDirectory : public WorkingDirectory {
  public:
    bool Get(std::size_t bufferChars, std::wstring* directory) override {
        if (!readable || directory_.size() + 1 > bufferChars) return false;
        *directory = directory_;
        return true;
    }
    void Set(const std::wstring& directory) { directory_ = directory; }
    bool readable = true;

  private:
    std::wstring directory_;
};

class FixedClock : public Clock {
  public:
    bool Now(LocalTime* now) override {
        ++calls;
        if (fails) return false;
        *now = time;
        return true;
    }
    LocalTime time{2019, 6, 10, 9, 5, 3};
    bool fails = false;
    int calls = 0;
};

class FixedVersion : public VersionSource {
  public:
    bool ReadFileVersion(std::uint32_t* versionMs, std::uint32_t* versionLs) override {
        if (!readable) return false;
        *versionMs = mostSignificant;
        *versionLs = leastSignificant;
        return true;
    }
    bool readable = true;
    std::uint32_t mostSignificant = 0x00010002;   // 1.2
    std::uint32_t leastSignificant = 0x00000000;  // .0.0
};

inline const std::wstring kCameraName = L"Cam X";

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TheDeviceSettings() = DeviceSettings{};
        workingDirectory.Set(directory.path().wstring());
        devices.Add({kCameraName, &camera, true, true});
        services.devices = &devices;
        services.workingDirectory = &workingDirectory;
        services.profile = &profile;
        services.version = &version;
        services.clock = &clock;
    }
    // The record goes back to its initial state, which releases the bound filter while
    // the camera still lives.
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }

    void WriteDeviceIni(std::string_view bytes) {
        std::ofstream file(directory.path() / "Device.ini", std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void WriteDeviceIni(const std::string& name, const std::string& function) {
        WriteDeviceIni("[Device]\r\nName=" + name + "\r\nFunction=" + function + "\r\n");
    }

    // Routes devices and the profile through the tracing wrappers into the host's record.
    void TraceServices() {
        tracingDevices = std::make_unique<TracingDeviceSource>(devices, host);
        tracingProfile = std::make_unique<TracingProfileReader>(profile, host);
        services.devices = tracingDevices.get();
        services.profile = tracingProfile.get();
    }

    ui::HeadlessWindow& Open() {
        dialog = std::make_unique<CTamselDlg>(services);
        return host.Open(*dialog);
    }

    // The writes that reached the camera, each as "selector: byte byte ...".
    std::vector<std::string> Writes() const { return PropertyCalls(true); }
    std::vector<std::string> Reads() const { return PropertyCalls(false); }

    std::vector<std::string> PropertyCalls(bool sets) const {
        std::vector<std::string> calls;
        for (const sim::CallRecord& call : camera.log()) {
            if (call.kind != sim::CallRecord::Kind::KsProperty || !call.hasBuffer) continue;
            KspNode node;
            if (!ParseKspNode(call.request.data(), static_cast<std::uint32_t>(call.request.size()),
                              &node)) {
                continue;
            }
            const bool isSet = (node.flags & kKsPropertyTypeSet) != 0;
            if (isSet != sets) continue;
            std::string line = std::to_string(node.propertyId) + ":";
            if (isSet) {
                for (std::uint8_t byte : call.dataIn) {
                    line += ' ';
                    line += std::to_string(byte);
                }
            }
            calls.push_back(line);
        }
        return calls;
    }

    TempDirectory directory;
    sim::VirtualCamera camera;
    sim::VirtualDeviceList devices;
    FixedWorkingDirectory workingDirectory;
    IniProfileReader profile;
    FixedClock clock;
    FixedVersion version;
    TamselServices services;
    ui::HeadlessHost host;
    std::unique_ptr<TracingDeviceSource> tracingDevices;
    std::unique_ptr<TracingProfileReader> tracingProfile;
    std::unique_ptr<CTamselDlg> dialog;
};

}  // namespace tamsel::test
