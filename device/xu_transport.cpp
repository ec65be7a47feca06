#include "device/xu_transport.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "device/guid.h"

namespace tamsel {

namespace {

// An extension-unit control's length is a 16-bit field on the bus, so a size probe
// reporting more than this comes from a confused driver; we refuse to allocate for it.
constexpr std::uint32_t kMaxXuReplyLength = 0xFFFF;

void PutLittleEndian32(std::uint8_t* out, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLittleEndian32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{in[i]} << (8 * i);
    return value;
}

}  // namespace

KspNodeBytes BuildKspNode(const Guid& propertySet, std::uint32_t propertyId, std::uint32_t flags,
                          std::uint32_t nodeId) {
    KspNodeBytes bytes{};
    for (std::size_t i = 0; i < propertySet.bytes.size(); ++i) bytes[i] = propertySet.bytes[i];
    PutLittleEndian32(&bytes[16], propertyId);
    PutLittleEndian32(&bytes[20], flags);
    PutLittleEndian32(&bytes[24], nodeId);
    PutLittleEndian32(&bytes[28], 0);  // reserved
    return bytes;
}

bool ParseKspNode(const std::uint8_t* request, std::uint32_t requestLength, KspNode* node) {
    if (request == nullptr || node == nullptr || requestLength < kKspNodeLength) return false;
    for (std::size_t i = 0; i < node->propertySet.bytes.size(); ++i) {
        node->propertySet.bytes[i] = request[i];
    }
    node->propertyId = GetLittleEndian32(&request[16]);
    node->flags = GetLittleEndian32(&request[20]);
    node->nodeId = GetLittleEndian32(&request[24]);
    node->reserved = GetLittleEndian32(&request[28]);
    return true;
}

// Every failure here is a result, never a crash: no filter is E_POINTER, a filter
// without a topology (or a control that can't be created) passes the platform's result
// on (E_NOINTERFACE when it claimed success but gave nothing), and a topology without a
// device-specific node is ERROR_NOT_FOUND.
HResult OpenXuControl(KsFilter* filter, XuControl* opened) {
    if (filter == nullptr || opened == nullptr) return kPointer;
    opened->control.reset();
    opened->topology.reset();
    opened->nodeId = 0;

    // Held in locals until the node is open, so every early return releases what was
    // obtained, the control (declared later) before the topology.
    std::unique_ptr<KsTopology> topology;
    HResult result = filter->QueryTopology(&topology);
    if (Failed(result)) return result;
    if (!topology) return kNoInterface;

    // Preset, so that a topology that doesn't report a count is walked as having no nodes.
    std::uint32_t nodeCount = 0;
    topology->GetNumNodes(&nodeCount);

    for (std::uint32_t index = 0; index < nodeCount; ++index) {
        // Preset to all zeros: a node whose type can't be read never matches.
        Guid nodeType{};
        if (Failed(topology->GetNodeType(index, &nodeType))) continue;
        if (nodeType != kKsNodeTypeDevSpecific) continue;

        // The first device-specific node is the extension unit; later ones are never used.
        std::unique_ptr<KsControl> control;
        result = topology->CreateNodeControl(index, &control);
        if (Failed(result)) return result;
        if (!control) return kNoInterface;
        opened->topology = std::move(topology);
        opened->control = std::move(control);
        opened->nodeId = index;
        return kOk;
    }
    return kNotFound;
}

HResult XuPropertySet(KsFilter* filter, std::uint8_t selector, const std::uint8_t* data,
                      std::uint32_t length) {
    XuControl xu;
    const HResult opened = OpenXuControl(filter, &xu);
    if (Failed(opened)) return opened;

    const KspNodeBytes request =
        BuildKspNode(kXuPropertySetGuid, selector, kXuWriteFlags, xu.nodeId);
    std::uint32_t bytesReturned = 0;
    // XuControl's member order releases the control before the topology.
    return xu.control->KsProperty(request.data(), kKspNodeLength, const_cast<std::uint8_t*>(data),
                                  length, &bytesReturned);
}

HResult XuPropertyGet(KsFilter* filter, std::uint8_t selector, std::vector<std::uint8_t>* reply) {
    if (reply != nullptr) reply->clear();
    XuControl xu;
    const HResult opened = OpenXuControl(filter, &xu);
    if (Failed(opened)) return opened;

    const KspNodeBytes request =
        BuildKspNode(kXuPropertySetGuid, selector, kXuReadFlags, xu.nodeId);

    // The probe's own result is not looked at (a driver answers it with ERROR_MORE_DATA);
    // only the size it reports counts, and a probe that reports nothing means 0 bytes.
    std::uint32_t probedLength = 0;
    xu.control->KsProperty(request.data(), kKspNodeLength, nullptr, 0, &probedLength);
    if (probedLength > kMaxXuReplyLength) return kGenFailure;

    // Zero-filled, so bytes the second call doesn't write read as 0 rather than leftovers.
    std::vector<std::uint8_t> buffer(probedLength, 0);
    std::uint32_t bytesReturned = 0;
    const HResult result = xu.control->KsProperty(request.data(), kKspNodeLength, buffer.data(),
                                                  probedLength, &bytesReturned);
    // After a successful read the whole buffer of the probed size is the reply; the count
    // the read reports is not used to trim it. A failed read is different: its buffer holds
    // only the zeros we filled in, and the callers decode whatever they are handed into the
    // settings record, so a failure would wipe the record with zeros. Only the bytes the
    // failed call says it delivered (normally none) are handed on.
    if (Failed(result)) buffer.resize(std::min(bytesReturned, probedLength));
    if (reply != nullptr) *reply = std::move(buffer);
    return result;
}

}  // namespace tamsel
