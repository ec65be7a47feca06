#pragma once
// The class factory for the camera filter. One static instance serves the process; its
// reference count is not tracked (it lives as long as the module), server locks are.

#include <unknwn.h>
#include <windows.h>

namespace tamsel::win32 {

class CameraFilterFactory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

CameraFilterFactory& TheCameraFilterFactory();

}  // namespace tamsel::win32
