#pragma once
// A uvcvideo video node seen through the kernel-streaming seam: the VideoControl
// interface's units and terminals are the topology's nodes (descriptor order), the
// extension units are its device-specific nodes, and a property request on one of
// them becomes a UVCIOC_CTRL_QUERY on that unit with the property id as the selector.

#include <memory>
#include <vector>

#include "device/ks_seam.h"
#include "platform/linux/unique_fd.h"
#include "platform/linux/uvc_descriptors.h"

namespace tamsel::linux_platform {

// The kernel-streaming node type a Windows camera driver gives each UVC entity.
Guid KsNodeTypeOf(const UvcEntity& entity);

// Holds the open video node for as long as the filter or anything obtained from it
// lives, the way a bound DirectShow filter holds its device.
std::unique_ptr<KsFilter> CreateUvcKsFilter(UniqueFd node, std::vector<UvcEntity> entities);

}  // namespace tamsel::linux_platform
