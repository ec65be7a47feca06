#include "platform/win32/virtual_camera_server/camera_node.h"

#include <utility>

#include "platform/win32/virtual_camera_server/server_module.h"

namespace tamsel::win32 {

CameraNode::CameraNode(std::shared_ptr<CameraSession> session, std::uint32_t node)
    : session_(std::move(session)), node_(node) {
    ServerObjectCreated();
    session_->ObjectCreated();
}

CameraNode::~CameraNode() {
    session_->ObjectDestroyed();
    ServerObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE CameraNode::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidIKsControl)) {
        *object = static_cast<IKsControl*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CameraNode::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE CameraNode::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE CameraNode::KsProperty(PKSPROPERTY property, ULONG propertyLength,
                                                 LPVOID data, ULONG dataLength,
                                                 ULONG* bytesReturned) {
    if (property == nullptr) return E_POINTER;
    std::uint32_t returned = bytesReturned != nullptr ? *bytesReturned : 0;
    const HResult hr =
        session_->KsProperty(node_, reinterpret_cast<const std::uint8_t*>(property), propertyLength,
                             static_cast<std::uint8_t*>(data), dataLength, &returned);
    if (bytesReturned != nullptr) *bytesReturned = returned;
    return hr;
}

// The extension unit has properties only; a driver answers a method or event set it
// doesn't support with "set not found".
HRESULT STDMETHODCALLTYPE CameraNode::KsMethod(PKSMETHOD, ULONG, LPVOID, ULONG,
                                               ULONG* bytesReturned) {
    if (bytesReturned != nullptr) *bytesReturned = 0;
    return kSetNotFound;
}

HRESULT STDMETHODCALLTYPE CameraNode::KsEvent(PKSEVENT, ULONG, LPVOID, ULONG,
                                              ULONG* bytesReturned) {
    if (bytesReturned != nullptr) *bytesReturned = 0;
    return kSetNotFound;
}

}  // namespace tamsel::win32
