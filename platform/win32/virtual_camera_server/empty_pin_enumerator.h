#pragma once
// The filter has no pins (the program only talks to the extension unit), so its pin
// enumerator is always at its end.

#include <strmif.h>
#include <windows.h>

#include <atomic>
#include <memory>

#include "platform/win32/virtual_camera_server/camera_session.h"

namespace tamsel::win32 {

class EmptyPinEnumerator final : public IEnumPins {
  public:
    explicit EmptyPinEnumerator(std::shared_ptr<CameraSession> session);
    EmptyPinEnumerator(const EmptyPinEnumerator&) = delete;
    EmptyPinEnumerator& operator=(const EmptyPinEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** clone) override;

  private:
    ~EmptyPinEnumerator();

    std::atomic<ULONG> references_{1};
    std::shared_ptr<CameraSession> session_;
};

}  // namespace tamsel::win32
