#include "platform/win32/virtual_camera_server/empty_pin_enumerator.h"

#include <new>
#include <utility>

#include "platform/win32/virtual_camera_server/server_module.h"

namespace tamsel::win32 {

EmptyPinEnumerator::EmptyPinEnumerator(std::shared_ptr<CameraSession> session)
    : session_(std::move(session)) {
    ServerObjectCreated();
    session_->ObjectCreated();
}

EmptyPinEnumerator::~EmptyPinEnumerator() {
    session_->ObjectDestroyed();
    ServerObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE EmptyPinEnumerator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumPins)) {
        *object = static_cast<IEnumPins*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE EmptyPinEnumerator::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE EmptyPinEnumerator::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE EmptyPinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (pins == nullptr && count > 0) return E_POINTER;
    if (fetched != nullptr) *fetched = 0;
    return count == 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE EmptyPinEnumerator::Skip(ULONG count) {
    return count == 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE EmptyPinEnumerator::Reset() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EmptyPinEnumerator::Clone(IEnumPins** clone) {
    if (clone == nullptr) return E_POINTER;
    *clone = new (std::nothrow) EmptyPinEnumerator(session_);
    return *clone != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tamsel::win32
