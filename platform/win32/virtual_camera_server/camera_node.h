#pragma once
// The control of one topology node (IKsControl), as CreateNodeInstance hands it out.
// Every property call goes to the camera's driver model with this node's index.

#include <windows.h>

#include <atomic>
#include <memory>

#include "platform/win32/device/ks_interfaces.h"
#include "platform/win32/virtual_camera_server/camera_session.h"

namespace tamsel::win32 {

class CameraNode final : public IKsControl {
  public:
    CameraNode(std::shared_ptr<CameraSession> session, std::uint32_t node);
    CameraNode(const CameraNode&) = delete;
    CameraNode& operator=(const CameraNode&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE KsProperty(PKSPROPERTY property, ULONG propertyLength, LPVOID data,
                                         ULONG dataLength, ULONG* bytesReturned) override;
    HRESULT STDMETHODCALLTYPE KsMethod(PKSMETHOD method, ULONG methodLength, LPVOID data,
                                       ULONG dataLength, ULONG* bytesReturned) override;
    HRESULT STDMETHODCALLTYPE KsEvent(PKSEVENT event, ULONG eventLength, LPVOID data,
                                      ULONG dataLength, ULONG* bytesReturned) override;

  private:
    ~CameraNode();

    std::atomic<ULONG> references_{1};
    std::shared_ptr<CameraSession> session_;
    std::uint32_t node_;
};

}  // namespace tamsel::win32
