#include "platform/linux/uvc_ks_filter.h"

#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <sys/ioctl.h>

#include <array>
#include <limits>

#include "device/xu_transport.h"
#include "platform/linux/errno_result.h"

namespace tamsel::linux_platform {
namespace {

// ksmedia.h node types of the video class; an encoding unit has none of its own.
constexpr Guid kVideoStreaming =
    Guid::FromParts(0xDFF229E1, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
constexpr Guid kVideoInputTerminal =
    Guid::FromParts(0xDFF229E2, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
constexpr Guid kVideoOutputTerminal =
    Guid::FromParts(0xDFF229E3, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
constexpr Guid kVideoSelector =
    Guid::FromParts(0xDFF229E4, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
constexpr Guid kVideoProcessing =
    Guid::FromParts(0xDFF229E5, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
constexpr Guid kVideoCameraTerminal =
    Guid::FromParts(0xDFF229E6, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});

constexpr std::uint16_t kCameraTerminalType = 0x0201;     // ITT_CAMERA
constexpr std::uint16_t kStreamingTerminalType = 0x0101;  // TT_STREAMING

// The open node and its entities, shared by the filter and everything it hands out.
struct UvcNode {
    UniqueFd fd;
    std::vector<UvcEntity> entities;
};

HResult ControlQuery(const UvcNode& node, std::uint8_t unit, std::uint8_t selector,
                     std::uint8_t query, std::uint8_t* data, std::uint16_t size) {
    uvc_xu_control_query request{};
    request.unit = unit;
    request.selector = selector;
    request.query = query;
    request.size = size;
    request.data = data;
    const int result = node.fd.kernel()->Ioctl(node.fd.get(), UVCIOC_CTRL_QUERY, &request);
    return result < 0 ? HResultFromErrno(-result) : kOk;
}

class UvcKsControl final : public KsControl {
  public:
    explicit UvcKsControl(std::shared_ptr<const UvcNode> node) : node_(std::move(node)) {}

    HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength, std::uint8_t* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
        if (bytesReturned != nullptr) *bytesReturned = 0;
        KspNode property;
        if (request == nullptr || !ParseKspNode(request, requestLength, &property)) {
            return kInvalidArgument;
        }
        // Like a camera driver: the node must exist and be an extension unit, and the
        // property set must be that unit's own GUID.
        if (property.nodeId >= node_->entities.size()) return kNotFound;
        const UvcEntity& unit = node_->entities[property.nodeId];
        if (unit.kind != UvcEntityKind::ExtensionUnit) return kNotFound;
        if (property.propertySet != unit.extensionCode) return kSetNotFound;
        if (property.propertyId > std::numeric_limits<std::uint8_t>::max()) return kNotFound;
        const auto selector = static_cast<std::uint8_t>(property.propertyId);

        const std::uint32_t direction = property.flags & (kKsPropertyTypeGet | kKsPropertyTypeSet);
        if (property.flags & ~(kKsPropertyTypeGet | kKsPropertyTypeSet | kKsPropertyTypeTopology)) {
            return kNotImplemented;  // basic support, default values, ...: not carried
        }
        if (dataLength > std::numeric_limits<std::uint16_t>::max()) return kInvalidArgument;
        const auto size = static_cast<std::uint16_t>(dataLength);

        if (direction == kKsPropertyTypeGet) {
            if (dataLength == 0) return ProbeLength(unit.id, selector, bytesReturned);
            if (data == nullptr) return kPointer;
            const HResult result = ControlQuery(*node_, unit.id, selector, UVC_GET_CUR, data, size);
            if (Succeeded(result) && bytesReturned != nullptr) *bytesReturned = dataLength;
            return result;
        }
        if (direction == kKsPropertyTypeSet) {
            if (data == nullptr && dataLength != 0) return kPointer;
            // The kernel only reads a SET_CUR buffer; a copy keeps the caller's bytes const.
            std::vector<std::uint8_t> payload(data, data + dataLength);
            return ControlQuery(*node_, unit.id, selector, UVC_SET_CUR, payload.data(), size);
        }
        return kInvalidArgument;  // neither or both of get and set
    }

  private:
    // A read without a buffer asks for the control's size, which uvcvideo gives through
    // GET_LEN; it is answered the way a kernel-streaming driver answers a size probe.
    HResult ProbeLength(std::uint8_t unit, std::uint8_t selector, std::uint32_t* bytesReturned) {
        std::array<std::uint8_t, 2> length{};
        const HResult result = ControlQuery(*node_, unit, selector, UVC_GET_LEN, length.data(), 2);
        if (Failed(result)) return result;
        if (bytesReturned != nullptr)
            *bytesReturned = std::uint32_t{length[0]} | (std::uint32_t{length[1]} << 8);
        return kMoreData;
    }

    std::shared_ptr<const UvcNode> node_;
};

class UvcKsTopology final : public KsTopology {
  public:
    explicit UvcKsTopology(std::shared_ptr<const UvcNode> node) : node_(std::move(node)) {}

    HResult GetNumNodes(std::uint32_t* count) override {
        if (count == nullptr) return kPointer;
        *count = static_cast<std::uint32_t>(node_->entities.size());
        return kOk;
    }

    HResult GetNodeType(std::uint32_t index, Guid* nodeType) override {
        if (nodeType == nullptr) return kPointer;
        if (index >= node_->entities.size()) return kInvalidArgument;
        *nodeType = KsNodeTypeOf(node_->entities[index]);
        return kOk;
    }

    HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) override {
        if (control == nullptr) return kPointer;
        if (index >= node_->entities.size()) return kInvalidArgument;
        *control = std::make_unique<UvcKsControl>(node_);
        return kOk;
    }

  private:
    std::shared_ptr<const UvcNode> node_;
};

class UvcKsFilter final : public KsFilter {
  public:
    explicit UvcKsFilter(std::shared_ptr<const UvcNode> node) : node_(std::move(node)) {}

    HResult QueryTopology(std::unique_ptr<KsTopology>* topology) override {
        if (topology == nullptr) return kPointer;
        *topology = std::make_unique<UvcKsTopology>(node_);
        return kOk;
    }

  private:
    std::shared_ptr<const UvcNode> node_;
};

}  // namespace

Guid KsNodeTypeOf(const UvcEntity& entity) {
    switch (entity.kind) {
        case UvcEntityKind::InputTerminal:
            return entity.terminalType == kCameraTerminalType ? kVideoCameraTerminal
                                                              : kVideoInputTerminal;
        case UvcEntityKind::OutputTerminal:
            return entity.terminalType == kStreamingTerminalType ? kVideoStreaming
                                                                 : kVideoOutputTerminal;
        case UvcEntityKind::SelectorUnit:
            return kVideoSelector;
        case UvcEntityKind::ProcessingUnit:
            return kVideoProcessing;
        case UvcEntityKind::ExtensionUnit:
            return kKsNodeTypeDevSpecific;
        case UvcEntityKind::EncodingUnit:
            return Guid{};
    }
    return Guid{};
}

std::unique_ptr<KsFilter> CreateUvcKsFilter(UniqueFd node, std::vector<UvcEntity> entities) {
    auto shared = std::make_shared<UvcNode>();
    shared->fd = std::move(node);
    shared->entities = std::move(entities);
    return std::make_unique<UvcKsFilter>(std::move(shared));
}

}  // namespace tamsel::linux_platform
