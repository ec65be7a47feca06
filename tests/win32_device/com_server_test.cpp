// The virtual camera's COM objects as a DirectShow client meets them: created by CLSID,
// a filter without pins, its topology, and a node's IKsControl answering like a driver.

#include <gtest/gtest.h>
#include <objbase.h>
#include <strmif.h>
#include <windows.h>
#include <wrl/client.h>

#include <filesystem>
#include <string>

#include "device/guid.h"
#include "device/hresult.h"
#include "platform/win32/device/guid_conversion.h"
#include "platform/win32/device/ks_interfaces.h"
#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"
#include "tests/win32_device/camera_test_base.h"

namespace tamsel::testing {
namespace {

using Microsoft::WRL::ComPtr;

// A filter created straight from its class (not through a device entry) keeps its state
// where the environment says.
class ComServerTest : public CameraTest {
  protected:
    void SetUp() override {
        CameraTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_HRESULT_SUCCEEDED(RegisterVirtualCameraServer());
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        directory_ =
            std::filesystem::path(temp) / (L"tamsel-com-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::remove_all(directory_);
        SetEnvironmentVariableW(win32::kStateDirectoryEnvironmentVariable, directory_.c_str());
        ASSERT_HRESULT_SUCCEEDED(
            CoCreateInstance(win32::kVirtualCameraClsid, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IBaseFilter, reinterpret_cast<void**>(filter_.GetAddressOf())));
        ASSERT_HRESULT_SUCCEEDED(filter_->QueryInterface(
            win32::kIidIKsTopologyInfo, reinterpret_cast<void**>(topology_.GetAddressOf())));
    }
    void TearDown() override {
        node_.Reset();
        topology_.Reset();
        filter_.Reset();
        SetEnvironmentVariableW(win32::kStateDirectoryEnvironmentVariable, nullptr);
        std::error_code error;
        std::filesystem::remove_all(directory_, error);
        CameraTest::TearDown();
    }
    void OpenNode(DWORD node) {
        ASSERT_HRESULT_SUCCEEDED(topology_->CreateNodeInstance(
            node, win32::kIidIKsControl, reinterpret_cast<void**>(node_.GetAddressOf())));
    }

    std::filesystem::path directory_;
    ComPtr<IBaseFilter> filter_;
    ComPtr<IKsTopologyInfo> topology_;
    ComPtr<IKsControl> node_;
};

TEST_F(ComServerTest, FilterHasNoPinsAndNamesItsClass) {
    ComPtr<IEnumPins> pins;
    ASSERT_HRESULT_SUCCEEDED(filter_->EnumPins(pins.GetAddressOf()));
    IPin* pin = nullptr;
    ULONG fetched = 7;
    EXPECT_EQ(pins->Next(1, &pin, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(pin, nullptr);

    CLSID classId{};
    ASSERT_HRESULT_SUCCEEDED(filter_->GetClassID(&classId));
    EXPECT_TRUE(IsEqualCLSID(classId, win32::kVirtualCameraClsid));

    FILTER_INFO info{};
    ASSERT_HRESULT_SUCCEEDED(filter_->QueryFilterInfo(&info));
    EXPECT_STREQ(info.achName, L"Tamsel Virtual Camera");
    EXPECT_EQ(info.pGraph, nullptr);

    FILTER_STATE state = State_Running;
    ASSERT_HRESULT_SUCCEEDED(filter_->Pause());
    ASSERT_HRESULT_SUCCEEDED(filter_->GetState(0, &state));
    EXPECT_EQ(state, State_Paused);
}

TEST_F(ComServerTest, TopologyHasTheExtensionUnitAtNodeThree) {
    DWORD nodes = 0;
    ASSERT_HRESULT_SUCCEEDED(topology_->get_NumNodes(&nodes));
    EXPECT_EQ(nodes, 5u);
    for (DWORD node = 0; node < nodes; ++node) {
        GUID type{};
        ASSERT_HRESULT_SUCCEEDED(topology_->get_NodeType(node, &type));
        EXPECT_EQ(win32::FromWindowsGuid(type) == kKsNodeTypeDevSpecific, node == 3) << node;
    }
}

TEST_F(ComServerTest, NodeInstancesAreControlsOfExistingNodesOnly) {
    ComPtr<IUnknown> other;
    EXPECT_EQ(topology_->CreateNodeInstance(3, IID_IPersist,
                                            reinterpret_cast<void**>(other.GetAddressOf())),
              E_NOINTERFACE);
    EXPECT_TRUE(FAILED(topology_->CreateNodeInstance(
        99, win32::kIidIKsControl, reinterpret_cast<void**>(other.GetAddressOf()))));
    EXPECT_EQ(other, nullptr);
}

struct PropertyCase {
    const char* label;
    Guid set;
    std::uint32_t selector;
    HResult expected;
    ULONG expectedBytes;
};

const PropertyCase kProbes[] = {
    {"VolumeProbeAsksForMoreData", kXuPropertySetGuid, 22, kMoreData, 6},
    {"ColourProbeAsksForMoreData", kXuPropertySetGuid, 25, kMoreData, 4},
    {"UnknownSelector", kXuPropertySetGuid, 200, kNotFound, 0},
    {"UnknownSet", kKsNodeTypeDevSpecific, 22, kSetNotFound, 0},
};

TEST_F(ComServerTest, PropertyProbesAnswerLikeADriver) {
    OpenNode(3);
    for (const PropertyCase& c : kProbes) {
        SCOPED_TRACE(c.label);
        KSP_NODE request{};
        request.Property.Set = win32::ToWindowsGuid(c.set);
        request.Property.Id = c.selector;
        request.Property.Flags = KSPROPERTY_TYPE_GET | KSPROPERTY_TYPE_TOPOLOGY;
        request.NodeId = 3;
        ULONG returned = 0;
        EXPECT_EQ(node_->KsProperty(&request.Property, sizeof request, nullptr, 0, &returned),
                  c.expected);
        EXPECT_EQ(returned, c.expectedBytes);
    }
    ULONG returned = 5;
    EXPECT_EQ(node_->KsMethod(nullptr, 0, nullptr, 0, &returned), kSetNotFound);
    EXPECT_EQ(returned, 0u);
}

TEST_F(ComServerTest, ServerStaysLoadedWhileObjectsLive) {
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const HMODULE server = GetModuleHandleW(VirtualCameraDllPath().c_str());
    ASSERT_NE(server, nullptr);
    const auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(server, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);

    OpenNode(3);
    EXPECT_EQ(canUnload(), S_FALSE);
    node_.Reset();
    topology_.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);
    filter_.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
}  // namespace tamsel::testing
