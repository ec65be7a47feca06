#pragma once
// The vendor command set as data: one row per operation code, saying whether it writes
// or reads, which extension-unit selector it addresses, how many bytes it carries and
// how those bytes map to the argument, the out-parameters or the settings record.
// XuSelectorForOp, the payload encoder and the reply decoder are all written from
// these tables, so a selector or a byte order is stated exactly once.

#include <array>
#include <cstdint>
#include <span>

#include "device/device_settings.h"

namespace tamsel {

enum class XuKind { Set, Get };

enum class XuLayout {
    // Writes
    ArgumentBigEndian32,  // the argument, most significant byte first
    ArgumentLowByte,      // low byte of the argument
    ArgumentOneElseTwo,   // 1 when the argument is 1, otherwise 2
    ArgumentOneElseZero,  // 1 when the argument is 1, otherwise 0
    ZeroByte,             // a single 0x00; the argument is ignored
    RecordFields,         // one byte per field of the record, in order
    RecordItem,           // byte0 = item index (the argument), byte1 = that field's wire byte
    // Reads
    ValueLittleEndian32,  // *value from byte0 (least significant) to byte3
    ValueByte0,           // *value = byte0
    TextToFirstZero,      // *text = bytes up to the first zero or the end of the reply
    // RecordFields is also the layout of the reads that store into the record.
};

// A settings-record field as it travels: wire byte = low byte of (field - shift), and
// field = byte + shift on the way back. The Earphone and MIC levels travel one lower
// than shown (shift 1); the year travels as year + 48 (shift -48; the camera's clock is
// only ever written, so no reply is decoded with it).
struct XuField {
    std::int32_t DeviceSettings::*field;
    std::int32_t shift;
};

struct XuOpEntry {
    int code;
    XuKind kind;
    std::uint8_t selector;
    std::uint32_t length;  // payload bytes of a write; reply bytes decoded for a read
    XuLayout layout;
    std::span<const XuField> fields;  // RecordFields / RecordItem only
};

inline constexpr std::array<XuField, 6> kXuDateTimeFields{{
    {&DeviceSettings::year, -48},
    {&DeviceSettings::month, 0},
    {&DeviceSettings::day, 0},
    {&DeviceSettings::hour, 0},
    {&DeviceSettings::minute, 0},
    {&DeviceSettings::second, 0},
}};

inline constexpr std::array<XuField, 1> kXuQualityFields{{{&DeviceSettings::quality, 0}}};

// Volume items by index: the item writes (selector 21) and the six-byte read (selector 22)
// share this order.
inline constexpr std::array<XuField, 6> kXuVolumeItems{{
    {&DeviceSettings::auxLevel, 0},
    {&DeviceSettings::earphoneLevel, 1},
    {&DeviceSettings::micLevel, 1},
    {&DeviceSettings::auxMute, 0},
    {&DeviceSettings::earphoneMute, 0},
    {&DeviceSettings::micMute, 0},
}};

// Colour items by index: item writes (selector 24) and the four-byte read (selector 25).
inline constexpr std::array<XuField, 4> kXuColorItems{{
    {&DeviceSettings::brightness, 0},
    {&DeviceSettings::contrast, 0},
    {&DeviceSettings::hue, 0},
    {&DeviceSettings::saturation, 0},
}};

// Codes 1 to 23, in order: kXuOpTable[code - 1].code == code.
inline constexpr std::array<XuOpEntry, 23> kXuOpTable{{
    {1, XuKind::Set, 10, 4, XuLayout::ArgumentBigEndian32, {}},
    {2, XuKind::Get, 10, 4, XuLayout::ValueLittleEndian32, {}},
    {3, XuKind::Set, 11, 1, XuLayout::ArgumentLowByte, {}},
    {4, XuKind::Get, 11, 1, XuLayout::ValueByte0, {}},
    {5, XuKind::Set, 12, 1, XuLayout::ArgumentOneElseTwo, {}},
    {6, XuKind::Get, 12, 1, XuLayout::ValueByte0, {}},
    {7, XuKind::Set, 13, 1, XuLayout::ArgumentOneElseZero, {}},
    {8, XuKind::Get, 13, 1, XuLayout::ValueByte0, {}},
    {9, XuKind::Get, 14, 0, XuLayout::TextToFirstZero, {}},  // as long as the device reports
    {10, XuKind::Set, 15, 1, XuLayout::ArgumentOneElseZero, {}},
    {11, XuKind::Get, 15, 1, XuLayout::ValueByte0, {}},
    {12, XuKind::Get, 16, 1, XuLayout::ValueByte0, {}},
    {13, XuKind::Set, 17, 1, XuLayout::ArgumentLowByte, {}},
    {14, XuKind::Get, 18, 1, XuLayout::ValueByte0, {}},
    {15, XuKind::Get, 19, 1, XuLayout::ValueByte0, {}},
    {16, XuKind::Set, 29, 6, XuLayout::RecordFields, kXuDateTimeFields},
    {17, XuKind::Set, 28, 1, XuLayout::RecordFields, kXuQualityFields},
    {18, XuKind::Set, 23, 1, XuLayout::ZeroByte, {}},
    {19, XuKind::Set, 21, 2, XuLayout::RecordItem, kXuVolumeItems},
    {20, XuKind::Set, 24, 2, XuLayout::RecordItem, kXuColorItems},
    {21, XuKind::Get, 22, 6, XuLayout::RecordFields, kXuVolumeItems},
    {22, XuKind::Get, 25, 4, XuLayout::RecordFields, kXuColorItems},
    {23, XuKind::Get, 28, 1, XuLayout::RecordFields, kXuQualityFields},
}};

constexpr bool XuOpTableIsInCodeOrder() {
    for (std::size_t i = 0; i < kXuOpTable.size(); ++i) {
        if (kXuOpTable[i].code != static_cast<int>(i + 1)) return false;
    }
    return true;
}
static_assert(XuOpTableIsInCodeOrder(), "rows are looked up by code - 1");

// The row of a code, or null for a code outside 1 to 23.
constexpr const XuOpEntry* FindXuOp(int op) {
    if (op < 1 || op > static_cast<int>(kXuOpTable.size())) return nullptr;
    return &kXuOpTable[static_cast<std::size_t>(op - 1)];
}

}  // namespace tamsel
