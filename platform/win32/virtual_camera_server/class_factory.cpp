#include "platform/win32/virtual_camera_server/class_factory.h"

#include <new>

#include "platform/win32/virtual_camera_server/camera_filter.h"
#include "platform/win32/virtual_camera_server/server_module.h"

namespace tamsel::win32 {

HRESULT STDMETHODCALLTYPE CameraFilterFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CameraFilterFactory::AddRef() {
    return 2;
}
ULONG STDMETHODCALLTYPE CameraFilterFactory::Release() {
    return 1;
}

HRESULT STDMETHODCALLTYPE CameraFilterFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                              void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    CameraFilter* filter = new (std::nothrow) CameraFilter();
    if (filter == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = filter->QueryInterface(iid, object);
    filter->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE CameraFilterFactory::LockServer(BOOL lock) {
    ServerLock(lock != FALSE);
    return S_OK;
}

CameraFilterFactory& TheCameraFilterFactory() {
    static CameraFilterFactory factory;
    return factory;
}

}  // namespace tamsel::win32
