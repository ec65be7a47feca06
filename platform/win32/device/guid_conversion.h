#pragma once
// tamsel::Guid holds a GUID in exactly the bytes Windows keeps it in memory, so the
// conversion is a copy of 16 bytes in either direction.

#include <guiddef.h>

#include <cstring>

#include "device/guid.h"

namespace tamsel::win32 {

static_assert(sizeof(GUID) == sizeof(Guid::bytes), "GUID and tamsel::Guid must both be 16 bytes");

inline GUID ToWindowsGuid(const Guid& guid) {
    GUID result;
    std::memcpy(&result, guid.bytes.data(), sizeof(result));
    return result;
}

inline Guid FromWindowsGuid(const GUID& guid) {
    Guid result;
    std::memcpy(result.bytes.data(), &guid, sizeof(guid));
    return result;
}

}  // namespace tamsel::win32
