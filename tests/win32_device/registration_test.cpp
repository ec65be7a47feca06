// The COM server registers itself the way regsvr32 asks it to, and the device entry it
// writes is one the system device enumerator finds.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "platform/win32/device/directshow_device_source.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/virtual_camera_server/registry_key.h"
#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"
#include "tests/win32_device/camera_test_base.h"

namespace tamsel::testing {
namespace {

std::wstring ReadRegistryString(const std::wstring& path, const wchar_t* value) {
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer,
                     &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

std::vector<std::wstring> ListedNames() {
    std::vector<std::wstring> names;
    win32::DirectShowDeviceSource source;
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    if (source.EnumerateVideoInputDevices(&devices) != kOk) return names;
    std::unique_ptr<CaptureDevice> device;
    while (devices->Next(&device) == kOk) {
        std::wstring name;
        if (Succeeded(device->ReadFriendlyName(&name))) names.push_back(name);
    }
    return names;
}

class RegistrationTest : public CameraTest {
  protected:
    void SetUp() override {
        CameraTest::SetUp();
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        directory_ =
            std::filesystem::path(temp) / (L"tamsel-reg-" + std::to_wstring(GetCurrentProcessId()));
        SetEnvironmentVariableW(win32::kNameEnvironmentVariable, L"Registered Camera");
        SetEnvironmentVariableW(win32::kStateDirectoryEnvironmentVariable, directory_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(win32::kNameEnvironmentVariable, nullptr);
        SetEnvironmentVariableW(win32::kStateDirectoryEnvironmentVariable, nullptr);
        CameraTest::TearDown();
        // Later tests rely on the class being there.
        RegisterVirtualCameraServer();
        std::error_code error;
        std::filesystem::remove_all(directory_, error);
    }

    std::filesystem::path directory_;
};

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

ServerEntry Entry(HMODULE module, const char* name) {
    return reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST_F(RegistrationTest, DllRegisterServerMakesTheCameraFindableAndUnregisterRemovesIt) {
    const std::wstring dll = VirtualCameraDllPath();
    const HMODULE server = LoadLibraryW(dll.c_str());
    ASSERT_NE(server, nullptr);
    ASSERT_NE(Entry(server, "DllRegisterServer"), nullptr);
    ASSERT_NE(Entry(server, "DllUnregisterServer"), nullptr);

    ASSERT_HRESULT_SUCCEEDED(Entry(server, "DllRegisterServer")());
    // Twice is the same as once.
    ASSERT_HRESULT_SUCCEEDED(Entry(server, "DllRegisterServer")());

    const std::wstring classKey =
        L"CLSID\\" + win32::GuidToRegistryString(win32::kVirtualCameraClsid) + L"\\InprocServer32";
    EXPECT_EQ(ReadRegistryString(classKey, nullptr), dll);
    EXPECT_EQ(ReadRegistryString(classKey, L"ThreadingModel"), L"Both");
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Registered Camera"});

    win32::DirectShowDeviceSource source;
    ASSERT_EQ(FindCaptureDevice(source, L"Registered Camera"), 0);
    TheDeviceSettings() = DeviceSettings{};
    // The camera kept its state where the registration said.
    EXPECT_TRUE(std::filesystem::exists(directory_ / L"live_objects.txt"));

    ASSERT_HRESULT_SUCCEEDED(Entry(server, "DllUnregisterServer")());
    EXPECT_EQ(ReadRegistryString(classKey, nullptr), L"<missing>");
    EXPECT_EQ(FindCaptureDevice(source, L"Registered Camera"), 1);
    FreeLibrary(server);
}

TEST_F(RegistrationTest, Regsvr32RegistersAndUnregistersTheServer) {
    const std::wstring dll = VirtualCameraDllPath();
    auto run = [](std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            return static_cast<DWORD>(-1);
        }
        const win32::UniqueHandle thread(process.hThread);
        const win32::UniqueHandle child(process.hProcess);
        WaitForSingleObject(child.get(), 60000);
        DWORD code = static_cast<DWORD>(-1);
        GetExitCodeProcess(child.get(), &code);
        return code;
    };

    ASSERT_EQ(run(L"regsvr32.exe /s \"" + dll + L"\""), 0u);
    EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Registered Camera"});

    ASSERT_EQ(run(L"regsvr32.exe /u /s \"" + dll + L"\""), 0u);
    EXPECT_TRUE(ListedNames().empty());
}

TEST_F(RegistrationTest, FixtureRegistrationIsIdempotent) {
    {
        VirtualCameraRegistration first;
        ASSERT_HRESULT_SUCCEEDED(first.result());
        VirtualCameraOptions renamed;
        renamed.friendlyName = L"Renamed";
        VirtualCameraRegistration again(renamed);
        ASSERT_HRESULT_SUCCEEDED(again.result());
        // Same key: one entry, carrying the latest values only.
        EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"Renamed"});
    }
    EXPECT_TRUE(ListedNames().empty());
}

}  // namespace
}  // namespace tamsel::testing
