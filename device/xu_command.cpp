#include "device/xu_command.h"

#include <cstddef>
#include <span>
#include <vector>

#include "device/device_settings.h"
#include "device/xu_command_table.h"
#include "device/xu_transport.h"

namespace tamsel {

namespace {

// The command set's answer for a code it won't carry (out of range, or the wrong kind).
constexpr int kRefused = 1;

std::uint8_t LowByte(std::int64_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t WireByte(const XuField& item, const DeviceSettings& settings) {
    // Computed on 64 bits so that a field near the int32 limits can't overflow the shift.
    return LowByte(static_cast<std::int64_t>(settings.*item.field) - item.shift);
}

// Builds a write's payload. False when the argument names an item the code's table
// doesn't have: such a write is refused rather than sent with a guessed value, because
// the index byte would wrap onto a real item (256 is item 0) and overwrite it.
bool EncodePayload(const XuOpEntry& op, int argument, const DeviceSettings& settings,
                   std::vector<std::uint8_t>* payload) {
    payload->assign(op.length, 0);
    auto& bytes = *payload;
    const auto value = static_cast<std::uint32_t>(argument);
    switch (op.layout) {
        case XuLayout::ArgumentBigEndian32:
            for (std::size_t i = 0; i < 4; ++i) {
                bytes[i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
            }
            return true;
        case XuLayout::ArgumentLowByte:
            bytes[0] = LowByte(argument);
            return true;
        case XuLayout::ArgumentOneElseTwo:
            bytes[0] = argument == 1 ? 1 : 2;
            return true;
        case XuLayout::ArgumentOneElseZero:
            bytes[0] = argument == 1 ? 1 : 0;
            return true;
        case XuLayout::ZeroByte:
            bytes[0] = 0;
            return true;
        case XuLayout::RecordFields:
            for (std::size_t i = 0; i < op.fields.size() && i < bytes.size(); ++i) {
                bytes[i] = WireByte(op.fields[i], settings);
            }
            return true;
        case XuLayout::RecordItem:
            if (argument < 0 || static_cast<std::size_t>(argument) >= op.fields.size()) {
                return false;
            }
            bytes[0] = LowByte(argument);
            bytes[1] = WireByte(op.fields[static_cast<std::size_t>(argument)], settings);
            return true;
        case XuLayout::ValueLittleEndian32:
        case XuLayout::ValueByte0:
        case XuLayout::TextToFirstZero:
            break;
    }
    return false;
}

// Decodes a read's reply. A field is set only when the reply holds all of its bytes, so a
// short reply leaves the fields it doesn't reach as they were and nothing is read past
// its end; bytes beyond the table's length are ignored.
void DecodeReply(const XuOpEntry& op, std::span<const std::uint8_t> reply, DeviceSettings& settings,
                 int* value, std::string* text) {
    switch (op.layout) {
        case XuLayout::ValueLittleEndian32:
            if (reply.size() >= 4 && value != nullptr) {
                std::uint32_t bits = 0;
                for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{reply[i]} << (8 * i);
                *value = static_cast<std::int32_t>(bits);
            }
            return;
        case XuLayout::ValueByte0:
            if (!reply.empty() && value != nullptr) *value = reply[0];
            return;
        case XuLayout::TextToFirstZero:
            // No bytes at all is no reply (the read never happened or the device had
            // nothing to say): the caller's text stays, as every other field does.
            if (text != nullptr && !reply.empty()) {
                text->clear();
                for (std::uint8_t byte : reply) {
                    if (byte == 0) break;
                    text->push_back(static_cast<char>(byte));
                }
            }
            return;
        case XuLayout::RecordFields:
            for (std::size_t i = 0; i < op.fields.size() && i < reply.size() && i < op.length;
                 ++i) {
                settings.*op.fields[i].field = std::int32_t{reply[i]} + op.fields[i].shift;
            }
            return;
        case XuLayout::ArgumentBigEndian32:
        case XuLayout::ArgumentLowByte:
        case XuLayout::ArgumentOneElseTwo:
        case XuLayout::ArgumentOneElseZero:
        case XuLayout::ZeroByte:
        case XuLayout::RecordItem:
            return;
    }
}

}  // namespace

bool XuSelectorForOp(int op, std::uint8_t* selector) {
    const XuOpEntry* entry = FindXuOp(op);
    if (entry == nullptr) return false;
    if (selector != nullptr) *selector = entry->selector;
    return true;
}

int XuSetCommand(int op, int argument) {
    const XuOpEntry* entry = FindXuOp(op);
    if (entry == nullptr || entry->kind != XuKind::Set) return kRefused;

    DeviceSettings& settings = TheDeviceSettings();
    std::vector<std::uint8_t> payload;
    if (!EncodePayload(*entry, argument, settings, &payload)) return kRefused;
    return XuPropertySet(settings.filter.get(), entry->selector, payload.data(),
                         static_cast<std::uint32_t>(payload.size()));
}

int XuGetCommand(int op, int* value, std::string* text) {
    const XuOpEntry* entry = FindXuOp(op);
    if (entry == nullptr) return kRefused;

    DeviceSettings& settings = TheDeviceSettings();
    std::vector<std::uint8_t> reply;
    const HResult result = XuPropertyGet(settings.filter.get(), entry->selector, &reply);
    // A write code still costs one read of its selector, but there is no reply layout
    // to decode it with, so nothing is stored.
    if (entry->kind != XuKind::Get) return kRefused;

    // Stored whatever the read reported: the panels show the record either way.
    DecodeReply(*entry, reply, settings, value, text);
    return result;
}

}  // namespace tamsel
