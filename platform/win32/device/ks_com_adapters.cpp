#include "platform/win32/device/ks_com_adapters.h"

#include <utility>
#include <vector>

#include "platform/win32/device/guid_conversion.h"

namespace tamsel::win32 {

using Microsoft::WRL::ComPtr;

ComKsControl::ComKsControl(ComPtr<IKsControl> control) : control_(std::move(control)) {}

HResult ComKsControl::KsProperty(const std::uint8_t* request, std::uint32_t requestLength,
                                 std::uint8_t* data, std::uint32_t dataLength,
                                 std::uint32_t* bytesReturned) {
    if (request == nullptr) return kPointer;
    // IKsControl takes the request through a non-const pointer although it only reads it;
    // a private copy keeps the caller's bytes const without casting the constness away.
    std::vector<std::uint8_t> requestCopy(request, request + requestLength);
    // The caller's count goes in unchanged so that a driver that doesn't write it leaves
    // it as the caller set it (the transport relies on a probe that reports nothing
    // leaving 0).
    ULONG returned = bytesReturned != nullptr ? *bytesReturned : 0;
    const HRESULT hr = control_->KsProperty(reinterpret_cast<PKSPROPERTY>(requestCopy.data()),
                                            requestLength, data, dataLength, &returned);
    if (bytesReturned != nullptr) *bytesReturned = returned;
    return hr;
}

ComKsTopology::ComKsTopology(ComPtr<IKsTopologyInfo> topology) : topology_(std::move(topology)) {}

HResult ComKsTopology::GetNumNodes(std::uint32_t* count) {
    if (count == nullptr) return kPointer;
    DWORD nodes = *count;
    const HRESULT hr = topology_->get_NumNodes(&nodes);
    *count = nodes;
    return hr;
}

HResult ComKsTopology::GetNodeType(std::uint32_t index, Guid* nodeType) {
    if (nodeType == nullptr) return kPointer;
    GUID type = ToWindowsGuid(*nodeType);
    const HRESULT hr = topology_->get_NodeType(index, &type);
    *nodeType = FromWindowsGuid(type);
    return hr;
}

HResult ComKsTopology::CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) {
    if (control == nullptr) return kPointer;
    ComPtr<IKsControl> nodeControl;
    const HRESULT hr = topology_->CreateNodeInstance(
        index, kIidIKsControl, reinterpret_cast<void**>(nodeControl.GetAddressOf()));
    if (FAILED(hr)) return hr;
    if (!nodeControl) return kNoInterface;
    *control = std::make_unique<ComKsControl>(std::move(nodeControl));
    return hr;
}

ComKsFilter::ComKsFilter(ComPtr<IBaseFilter> filter) : filter_(std::move(filter)) {}

HResult ComKsFilter::QueryTopology(std::unique_ptr<KsTopology>* topology) {
    if (topology == nullptr) return kPointer;
    ComPtr<IKsTopologyInfo> info;
    const HRESULT hr =
        filter_->QueryInterface(kIidIKsTopologyInfo, reinterpret_cast<void**>(info.GetAddressOf()));
    if (FAILED(hr)) return hr;
    if (!info) return kNoInterface;
    *topology = std::make_unique<ComKsTopology>(std::move(info));
    return hr;
}

}  // namespace tamsel::win32
