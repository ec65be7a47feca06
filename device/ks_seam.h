#pragma once
// The kernel-streaming seam: filter -> topology -> node control -> property call.
// It mirrors IBaseFilter / IKsTopologyInfo / IKsControl closely enough that the
// Windows adapters are thin, and the V4L2 adapter and the virtual camera can stand
// behind it as well. Ownership of a std::unique_ptr is the reference: destroying it
// is the Release.

#include <cstdint>
#include <memory>

#include "device/guid.h"
#include "device/hresult.h"

namespace tamsel {

// IKsControl on one topology node.
class KsControl {
public:
    virtual ~KsControl() = default;
    // IKsControl::KsProperty. request points at requestLength bytes (a KSP_NODE, 32 bytes);
    // data may be null with dataLength 0 (a size probe); bytesReturned may be null.
    virtual HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength,
                               std::uint8_t* data, std::uint32_t dataLength,
                               std::uint32_t* bytesReturned) = 0;
};

// IKsTopologyInfo of a capture filter.
class KsTopology {
public:
    virtual ~KsTopology() = default;
    virtual HResult GetNumNodes(std::uint32_t* count) = 0;
    virtual HResult GetNodeType(std::uint32_t index, Guid* nodeType) = 0;
    // CreateNodeInstance(index, IID_IKsControl, ...).
    virtual HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) = 0;
};

// The bound capture filter (IBaseFilter).
class KsFilter {
public:
    virtual ~KsFilter() = default;
    // QueryInterface(IID_IKsTopologyInfo): a new reference each call.
    virtual HResult QueryTopology(std::unique_ptr<KsTopology>* topology) = 0;
};

}  // namespace tamsel
