#include "platform/win32/virtual_camera_server/class_factory.h"

#include <wrl/client.h>

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
    // The new object's first reference belongs to `filter` and goes when it does, so the
    // object lives on only through what QueryInterface handed out.
    Microsoft::WRL::ComPtr<CameraFilter> filter;
    // Stored through the address, not Attach: mingw-w64's ComPtr::Attach adds a reference,
    // which would keep the new object alive for ever.
    *filter.GetAddressOf() = new (std::nothrow) CameraFilter();
    if (!filter) return E_OUTOFMEMORY;
    return filter->QueryInterface(iid, object);
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
