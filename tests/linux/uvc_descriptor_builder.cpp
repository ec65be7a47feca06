#include "tests/linux/uvc_descriptor_builder.h"

namespace tamsel::linux_test {
namespace {

void Append(Bytes* out, const Bytes& more) {
    out->insert(out->end(), more.begin(), more.end());
}

std::uint8_t Low(std::size_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t High(std::size_t value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

Bytes DeviceDescriptor(std::uint8_t configurations) {
    // USB 2.0, class EF/02/01 (interface association), vendor 0x1D6B-ish test ids.
    return {18,   0x01, 0x00, 0x02, 0xEF, 0x02, 0x01, 64, 0x34,
            0x12, 0x78, 0x56, 0x00, 0x01, 1,    2,    0,  configurations};
}

Bytes InterfaceAssociation(std::uint8_t firstInterface) {
    return {8, 0x0B, firstInterface, 2, 0x0E, 0x03, 0x00, 2};
}

Bytes Interface(std::uint8_t number, std::uint8_t alternate, std::uint8_t endpoints,
                std::uint8_t subclass) {
    return {9, 0x04, number, alternate, endpoints, 0x0E, subclass, 0x00, 0};
}

// The VideoControl interface's class-specific part, header first.
Bytes VideoControlBody(const CameraShape& shape) {
    Bytes entities;
    // Camera terminal: 18 bytes with a 3-byte bmControls.
    Append(&entities, {18, 0x24, 0x02, shape.cameraTerminalId, 0x01, 0x02, 0, 0, 0, 0, 0, 0, 0, 0,
                       3, 0x0A, 0x00, 0x00});
    // Processing unit (UVC 1.1): 12 bytes.
    Append(&entities, {12, 0x24, 0x05, shape.processingUnitId, shape.cameraTerminalId, 0x00, 0x00,
                       2, 0x7F, 0x17, 0, 0x00});
    std::uint8_t source = shape.processingUnitId;
    for (const ExtensionUnitShape& unit : shape.extensionUnits) {
        Append(&entities, ExtensionUnitDescriptor(unit, source));
        source = unit.id;
    }
    // Output terminal, streaming.
    Append(&entities, {9, 0x24, 0x03, shape.outputTerminalId, 0x01, 0x01, 0, source, 0});

    const std::size_t total = 13 + entities.size();
    Bytes header = {13,
                    0x24,
                    0x01,
                    0x00,
                    0x01,
                    Low(total),
                    High(total),
                    0x80,
                    0x8D,
                    0x5B,
                    0x00,
                    1,
                    static_cast<std::uint8_t>(shape.videoControlInterface + 1)};
    Append(&header, entities);
    return header;
}

// The VideoControl and VideoStreaming interfaces of one camera function.
Bytes CameraFunction(const CameraShape& shape) {
    Bytes out;
    Append(&out, InterfaceAssociation(shape.videoControlInterface));
    Append(&out, Interface(shape.videoControlInterface, 0, 1, 0x01));
    Append(&out, VideoControlBody(shape));
    Append(&out, {7, 0x05, 0x83, 0x03, 0x10, 0x00, 0x06});  // interrupt endpoint
    Append(&out, {5, 0x25, 0x03, 0x10, 0x00});              // class-specific endpoint

    const auto streaming = static_cast<std::uint8_t>(shape.videoControlInterface + 1);
    Append(&out, Interface(streaming, 0, 0, 0x02));
    // Input header with one MJPEG format and one 640x480 frame.
    const Bytes format = {11, 0x24, 0x06, 1, 1, 0x01, 1, 0, 0, 0x00, 0x00};
    const Bytes frame = {30,   0x24, 0x07, 1,    0x00, 0x80, 0x02, 0xE0, 0x01, 0x00,
                         0x00, 0x77, 0x01, 0x00, 0x00, 0xCA, 0x08, 0x00, 0x60, 0x09,
                         0x00, 0x15, 0x16, 0x05, 0x00, 1,    0x15, 0x16, 0x05, 0x00};
    const std::size_t total = 14 + format.size() + frame.size();
    Append(&out, {14, 0x24, 0x01, 1, Low(total), High(total), 0x81, 0x00, shape.outputTerminalId, 0,
                  0, 0, 1, 0x00});
    Append(&out, format);
    Append(&out, frame);
    Append(&out, {6, 0x24, 0x0D, 1, 1, 4});  // colour matching
    Append(&out, Interface(streaming, 1, 1, 0x02));
    Append(&out, {7, 0x05, 0x81, 0x05, 0x00, 0x14, 0x01});  // isochronous endpoint
    return out;
}

Bytes Configuration(std::uint8_t value, std::uint8_t interfaces, const Bytes& body) {
    const std::size_t total = 9 + body.size();
    Bytes out = {9, 0x02, Low(total), High(total), interfaces, value, 0, 0x80, 250};
    Append(&out, body);
    return out;
}

}  // namespace

Bytes ExtensionUnitDescriptor(const ExtensionUnitShape& unit, std::uint8_t source) {
    const std::size_t length = 24 + 1 + unit.controlBytes;
    Bytes out = {Low(length), 0x24, 0x06, unit.id};
    Append(&out, Bytes(unit.guid.bytes.begin(), unit.guid.bytes.end()));
    Append(&out, {32, 1, source, unit.controlBytes});  // bNumControls, bNrInPins, baSourceID
    for (std::uint8_t i = 0; i < unit.controlBytes; ++i) out.push_back(0xFF);
    out.push_back(0);  // iExtension
    return out;
}

Bytes CameraDescriptors(const CameraShape& shape) {
    Bytes out = DeviceDescriptor(1);
    Append(&out, Configuration(shape.configurationValue, 2, CameraFunction(shape)));
    return out;
}

Bytes TwoConfigurationDescriptors(const CameraShape& shape) {
    Bytes out = DeviceDescriptor(2);
    // A configuration with only a vendor interface, then the camera's.
    const auto otherValue = static_cast<std::uint8_t>(shape.configurationValue == 1 ? 2 : 1);
    Append(&out, Configuration(otherValue, 1, {9, 0x04, 0, 0, 0, 0xFF, 0x00, 0x00, 0}));
    Append(&out, Configuration(shape.configurationValue, 2, CameraFunction(shape)));
    return out;
}

Bytes TwoFunctionDescriptors(const CameraShape& first, const CameraShape& second) {
    Bytes body = CameraFunction(first);
    Append(&body, CameraFunction(second));
    Bytes out = DeviceDescriptor(1);
    Append(&out, Configuration(first.configurationValue, 4, body));
    return out;
}

}  // namespace tamsel::linux_test
