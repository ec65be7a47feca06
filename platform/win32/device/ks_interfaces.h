#pragma once
// The platform's kernel-streaming COM interfaces in one include: IKsControl from
// mingw-w64 (ks.h must come before ksproxy.h) and IKsTopologyInfo declared by us.

#include <ks.h>
#include <ksproxy.h>
#include <windows.h>

#include "platform/win32/device/ks_topology_info.h"

// {28F54685-06FD-11D2-B27A-00A0C9223196}; ks.h declares IID_IKsControl as an extern
// that only some import libraries define, so the value is kept here as a constant.
namespace tamsel::win32 {
inline constexpr IID kIidIKsControl = {
    0x28F54685, 0x06FD, 0x11D2, {0xB2, 0x7A, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
}  // namespace tamsel::win32
