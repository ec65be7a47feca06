#pragma once
// The kernel-streaming seam over the platform's COM interfaces: a capture filter
// (IBaseFilter), its topology (IKsTopologyInfo) and a node's control (IKsControl).
// Each adapter owns exactly one COM reference; destroying the adapter releases it.

#include <strmif.h>
#include <windows.h>
#include <wrl/client.h>

#include <memory>

#include "device/ks_seam.h"
#include "platform/win32/device/ks_interfaces.h"

namespace tamsel::win32 {

class ComKsControl final : public KsControl {
  public:
    explicit ComKsControl(Microsoft::WRL::ComPtr<IKsControl> control);
    HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength, std::uint8_t* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override;

  private:
    Microsoft::WRL::ComPtr<IKsControl> control_;
};

class ComKsTopology final : public KsTopology {
  public:
    explicit ComKsTopology(Microsoft::WRL::ComPtr<IKsTopologyInfo> topology);
    HResult GetNumNodes(std::uint32_t* count) override;
    HResult GetNodeType(std::uint32_t index, Guid* nodeType) override;
    HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) override;

  private:
    Microsoft::WRL::ComPtr<IKsTopologyInfo> topology_;
};

class ComKsFilter final : public KsFilter {
  public:
    explicit ComKsFilter(Microsoft::WRL::ComPtr<IBaseFilter> filter);
    HResult QueryTopology(std::unique_ptr<KsTopology>* topology) override;

    IBaseFilter* get() const { return filter_.Get(); }

  private:
    Microsoft::WRL::ComPtr<IBaseFilter> filter_;
};

}  // namespace tamsel::win32
