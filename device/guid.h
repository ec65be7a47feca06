#pragma once
// A GUID as the 16 bytes it occupies in memory on Windows: the first three groups
// little-endian, the last eight bytes as written. Comparisons cover all 16 bytes.

#include <array>
#include <cstdint>

namespace tamsel {

struct Guid {
    std::array<std::uint8_t, 16> bytes{};

    friend bool operator==(const Guid&, const Guid&) = default;

    static constexpr Guid FromParts(std::uint32_t data1, std::uint16_t data2, std::uint16_t data3,
                                    std::array<std::uint8_t, 8> data4) {
        Guid g;
        for (int i = 0; i < 4; ++i) g.bytes[i] = static_cast<std::uint8_t>(data1 >> (8 * i));
        for (int i = 0; i < 2; ++i) g.bytes[4 + i] = static_cast<std::uint8_t>(data2 >> (8 * i));
        for (int i = 0; i < 2; ++i) g.bytes[6 + i] = static_cast<std::uint8_t>(data3 >> (8 * i));
        for (int i = 0; i < 8; ++i) g.bytes[8 + i] = data4[i];
        return g;
    }
};

// {63610682-5070-49AB-B8CC-B3855E8D221D}: the camera vendor's extension-unit property set.
constexpr Guid kXuPropertySetGuid =
    Guid::FromParts(0x63610682, 0x5070, 0x49AB, {0xB8, 0xCC, 0xB3, 0x85, 0x5E, 0x8D, 0x22, 0x1D});

// {941C7AC0-C559-11D0-8A2B-00A0C9255AC1}: KSNODETYPE_DEV_SPECIFIC, the node type of an
// extension unit in a capture filter's topology.
constexpr Guid kKsNodeTypeDevSpecific =
    Guid::FromParts(0x941C7AC0, 0xC559, 0x11D0, {0x8A, 0x2B, 0x00, 0xA0, 0xC9, 0x25, 0x5A, 0xC1});

}  // namespace tamsel
