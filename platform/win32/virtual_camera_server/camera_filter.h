#pragma once
// The virtual camera's capture filter as DirectShow and kernel streaming see it: a
// minimal IBaseFilter without pins, IKsTopologyInfo over the camera's topology, and
// IPersistPropertyBag so that binding it from its device entry tells it which camera
// (state directory, topology shape) it is. Node controls come from CreateNodeInstance.

#include <ocidl.h>
#include <strmif.h>
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/win32/device/ks_interfaces.h"
#include "platform/win32/virtual_camera_server/camera_session.h"

namespace tamsel::win32 {

class CameraFilter final : public IBaseFilter, public IKsTopologyInfo, public IPersistPropertyBag {
  public:
    CameraFilter();
    CameraFilter(const CameraFilter&) = delete;
    CameraFilter& operator=(const CameraFilter&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPersist (through IBaseFilter and IPersistPropertyBag)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;

    // IMediaFilter
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;

    // IBaseFilter
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* vendorInfo) override;

    // IKsTopologyInfo
    HRESULT STDMETHODCALLTYPE get_NumCategories(DWORD* numCategories) override;
    HRESULT STDMETHODCALLTYPE get_Category(DWORD index, GUID* category) override;
    HRESULT STDMETHODCALLTYPE get_NumConnections(DWORD* numConnections) override;
    HRESULT STDMETHODCALLTYPE get_ConnectionInfo(DWORD index,
                                                 KSTOPOLOGY_CONNECTION* connectionInfo) override;
    HRESULT STDMETHODCALLTYPE get_NodeName(DWORD nodeId, WCHAR* nodeName, DWORD bufferSize,
                                           DWORD* nameLength) override;
    HRESULT STDMETHODCALLTYPE get_NumNodes(DWORD* numNodes) override;
    HRESULT STDMETHODCALLTYPE get_NodeType(DWORD nodeId, GUID* nodeType) override;
    HRESULT STDMETHODCALLTYPE CreateNodeInstance(DWORD nodeId, REFIID iid, void** object) override;

    // IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  private:
    ~CameraFilter();
    // The camera this filter stands for; a filter never loaded from a device entry uses
    // the default state directory.
    CameraSession& Session();

    std::atomic<ULONG> references_{1};
    std::shared_ptr<CameraSession> session_;
    std::wstring friendlyName_;
    FILTER_STATE state_ = State_Stopped;
    Microsoft::WRL::ComPtr<IReferenceClock> clock_;
    IFilterGraph* graph_ = nullptr;  // not counted: the graph owns its filters, not the reverse
    std::wstring nameInGraph_;
};

}  // namespace tamsel::win32
