#include "platform/linux/uvc_descriptors.h"

namespace tamsel::linux_platform {
namespace {

// USB 2.0 chapter 9 and UVC 1.5 appendix A.
constexpr std::uint8_t kConfigurationDescriptor = 0x02;
constexpr std::uint8_t kInterfaceDescriptor = 0x04;
constexpr std::uint8_t kClassSpecificInterface = 0x24;
constexpr std::uint8_t kVideoClass = 0x0E;
constexpr std::uint8_t kVideoControlSubclass = 0x01;

constexpr std::size_t kConfigurationMinimum = 9;
constexpr std::size_t kInterfaceMinimum = 9;

// Smallest valid length of each entity descriptor, before any variable part.
std::size_t FixedLength(UvcEntityKind kind) {
    switch (kind) {
        case UvcEntityKind::InputTerminal:
            return 8;
        case UvcEntityKind::OutputTerminal:
            return 9;
        case UvcEntityKind::SelectorUnit:
            return 6;
        case UvcEntityKind::ProcessingUnit:
            return 10;
        case UvcEntityKind::ExtensionUnit:
            return 24;
        case UvcEntityKind::EncodingUnit:
            return 13;
    }
    return 0;
}

bool IsEntity(std::uint8_t subtype) {
    return subtype >= 0x02 && subtype <= 0x07;
}

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Reads one entity descriptor of `length` bytes; false when it is malformed.
bool ParseEntity(const std::uint8_t* d, std::size_t length, UvcEntity* entity) {
    const auto kind = static_cast<UvcEntityKind>(d[2]);
    if (length < FixedLength(kind)) return false;
    entity->kind = kind;
    entity->id = d[3];
    switch (kind) {
        case UvcEntityKind::InputTerminal:
        case UvcEntityKind::OutputTerminal:
            entity->terminalType = Read16(d + 4);
            break;
        case UvcEntityKind::ExtensionUnit: {
            // bNrInPins (p) source ids, then bControlSize (n) bytes of bmControls, then
            // iExtension: 24 + p + n bytes in all.
            const std::size_t inputPins = d[21];
            if (length < 24 + inputPins) return false;
            const std::size_t controlSize = d[22 + inputPins];
            if (length < 24 + inputPins + controlSize) return false;
            for (std::size_t i = 0; i < 16; ++i) entity->extensionCode.bytes[i] = d[4 + i];
            break;
        }
        default:
            break;
    }
    return true;
}

}  // namespace

std::vector<UvcEntity> ParseVideoControlEntities(const std::uint8_t* bytes, std::size_t size,
                                                 const VideoControlLocation& location) {
    std::vector<UvcEntity> entities;
    if (bytes == nullptr) return entities;

    bool seenConfiguration = false;
    bool inWantedConfiguration = false;
    bool inVideoControl = false;
    bool foundVideoControl = false;

    std::size_t offset = 0;
    while (size - offset >= 2) {
        const std::uint8_t* d = bytes + offset;
        const std::size_t length = d[0];
        const std::uint8_t type = d[1];
        if (length < 2 || length > size - offset) break;  // truncated or corrupt: stop here
        offset += length;

        if (type == kConfigurationDescriptor) {
            if (length < kConfigurationMinimum) break;
            if (foundVideoControl) break;  // the wanted configuration is behind us
            const bool wanted = location.configurationValue ? d[5] == *location.configurationValue
                                                            : !seenConfiguration;
            seenConfiguration = true;
            inWantedConfiguration = wanted;
            inVideoControl = false;
            continue;
        }
        if (type == kInterfaceDescriptor) {
            if (length < kInterfaceMinimum) break;
            if (inVideoControl) break;  // the VideoControl interface ends at the next interface
            const bool videoControl = d[5] == kVideoClass && d[6] == kVideoControlSubclass &&
                                      d[3] == 0;  // alternate setting 0
            const bool wantedNumber =
                !location.interfaceNumber || d[2] == *location.interfaceNumber;
            if (inWantedConfiguration && videoControl && wantedNumber) {
                inVideoControl = true;
                foundVideoControl = true;
            }
            continue;
        }
        if (!inVideoControl || type != kClassSpecificInterface || length < 4) continue;
        if (!IsEntity(d[2])) continue;  // the header and anything newer than UVC 1.5
        UvcEntity entity;
        if (ParseEntity(d, length, &entity)) entities.push_back(entity);
    }
    return entities;
}

}  // namespace tamsel::linux_platform
