#pragma once
// Raw USB descriptors of a UVC camera, shaped like what sysfs shows for a real one:
// the device descriptor, then the configuration with an interface association, the
// VideoControl interface (header, camera terminal, processing unit, extension units,
// output terminal, interrupt endpoint) and a VideoStreaming interface with a format.

#include <cstdint>
#include <vector>

#include "device/guid.h"

namespace tamsel::linux_test {

using Bytes = std::vector<std::uint8_t>;

// {28F03370-6311-4A2E-BA2C-6890EB334016}: the extension unit of another vendor, as
// found on many cameras (a USB bridge chip's own unit).
constexpr Guid kOtherVendorGuid =
    Guid::FromParts(0x28F03370, 0x6311, 0x4A2E, {0xBA, 0x2C, 0x68, 0x90, 0xEB, 0x33, 0x40, 0x16});

struct ExtensionUnitShape {
    std::uint8_t id = 3;
    Guid guid;
    std::uint8_t controlBytes = 4;  // bControlSize
};

struct CameraShape {
    std::uint8_t configurationValue = 1;
    std::uint8_t videoControlInterface = 0;
    std::uint8_t cameraTerminalId = 1;
    std::uint8_t processingUnitId = 2;
    std::vector<ExtensionUnitShape>
        extensionUnits;  // in descriptor order, after the processing unit
    std::uint8_t outputTerminalId = 4;
};

// One extension unit descriptor (24 + p + n bytes), fed by `source`.
Bytes ExtensionUnitDescriptor(const ExtensionUnitShape& unit, std::uint8_t source);

// Device descriptor plus one configuration holding the camera function.
Bytes CameraDescriptors(const CameraShape& shape);

// The same camera function, but inside a configuration list of two (the first without
// video), for tests of which configuration is read.
Bytes TwoConfigurationDescriptors(const CameraShape& shape);

// The first and second function's VideoControl interfaces in one configuration (a
// camera with two sensors), each with its own extension units.
Bytes TwoFunctionDescriptors(const CameraShape& first, const CameraShape& second);

}  // namespace tamsel::linux_test
