#pragma once
// Carries one extension-unit read or write as a kernel-streaming property of the
// filter's first device-specific node. Nothing is cached: every command walks the
// topology afresh and releases what it opened (the control first, the topology last).

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/hresult.h"
#include "device/ks_seam.h"

namespace tamsel {

constexpr std::uint32_t kKsPropertyTypeGet = 0x00000001;
constexpr std::uint32_t kKsPropertyTypeSet = 0x00000002;
constexpr std::uint32_t kKsPropertyTypeTopology = 0x10000000;
constexpr std::uint32_t kXuWriteFlags = kKsPropertyTypeSet | kKsPropertyTypeTopology;  // 0x10000002
constexpr std::uint32_t kXuReadFlags = kKsPropertyTypeGet | kKsPropertyTypeTopology;   // 0x10000001
constexpr std::uint32_t kKspNodeLength = 32;

using KspNodeBytes = std::array<std::uint8_t, kKspNodeLength>;

// The published KSP_NODE layout: set GUID (16), id (4), flags (4), node id (4), reserved (4).
KspNodeBytes BuildKspNode(const Guid& propertySet, std::uint32_t propertyId, std::uint32_t flags,
                          std::uint32_t nodeId);

// The fields of a KSP_NODE, for the adapters and the virtual camera that receive one.
struct KspNode {
    Guid propertySet;
    std::uint32_t propertyId = 0;
    std::uint32_t flags = 0;
    std::uint32_t nodeId = 0;
    std::uint32_t reserved = 0;
};
// False when fewer than 32 bytes are given.
bool ParseKspNode(const std::uint8_t* request, std::uint32_t requestLength, KspNode* node);

// The topology and control of one command, declared so that the control dies first.
struct XuControl {
    std::unique_ptr<KsTopology> topology;
    std::unique_ptr<KsControl> control;
    std::uint32_t nodeId = 0;
};

HResult OpenXuControl(KsFilter* filter, XuControl* opened);
HResult XuPropertySet(KsFilter* filter, std::uint8_t selector, const std::uint8_t* data,
                      std::uint32_t length);
HResult XuPropertyGet(KsFilter* filter, std::uint8_t selector, std::vector<std::uint8_t>* reply);

}  // namespace tamsel
