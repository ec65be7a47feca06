#pragma once
// The units and terminals of a UVC camera's VideoControl interface, read from the raw
// USB descriptors that sysfs exposes (the device descriptor followed by every
// configuration with its interface and class-specific descriptors).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/guid.h"

namespace tamsel::linux_platform {

// VideoControl interface descriptor subtypes (UVC 1.5, table A-5).
enum class UvcEntityKind : std::uint8_t {
    InputTerminal = 0x02,
    OutputTerminal = 0x03,
    SelectorUnit = 0x04,
    ProcessingUnit = 0x05,
    ExtensionUnit = 0x06,
    EncodingUnit = 0x07,
};

struct UvcEntity {
    UvcEntityKind kind = UvcEntityKind::InputTerminal;
    std::uint8_t id = 0;             // bTerminalID / bUnitID
    std::uint16_t terminalType = 0;  // wTerminalType, terminals only
    Guid extensionCode;              // guidExtensionCode, extension units only
};

// Which VideoControl interface to read: the one of the active configuration that the
// video node's driver is bound to. Unknown parts fall back to the first one found.
struct VideoControlLocation {
    std::optional<std::uint8_t> configurationValue;  // sysfs bConfigurationValue
    std::optional<std::uint8_t> interfaceNumber;     // sysfs bInterfaceNumber of the node
};

// The interface's units and terminals in descriptor order. Every length is checked: a
// descriptor whose bLength runs past the data or is too short to be one ends the walk,
// and a unit too short for its own fields is left out; nothing is read out of bounds.
std::vector<UvcEntity> ParseVideoControlEntities(const std::uint8_t* bytes, std::size_t size,
                                                 const VideoControlLocation& location);

}  // namespace tamsel::linux_platform
