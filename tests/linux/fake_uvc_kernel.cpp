#include "tests/linux/fake_uvc_kernel.h"

#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tamsel::linux_test {
namespace {

constexpr std::uint32_t kUvcDeviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE |
                                         V4L2_CAP_STREAMING | V4L2_CAP_EXT_PIX_FORMAT |
                                         V4L2_CAP_DEVICE_CAPS;

// What the firmware's results are in uvcvideo's terms: an unknown control is ENOENT, a
// payload the camera refuses is a stalled request, EPIPE.
int ErrnoFromFirmware(HResult result) {
    if (Succeeded(result)) return 0;
    if (result == kNotFound) return ENOENT;
    if (result == kInvalidArgument) return EPIPE;
    return EIO;
}

}  // namespace

FakeVideoNode UvcCaptureNode(std::string path, std::string card) {
    FakeVideoNode node;
    node.path = std::move(path);
    node.card = std::move(card);
    node.capabilities = kUvcDeviceCaps;
    node.deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_EXT_PIX_FORMAT;
    return node;
}

FakeVideoNode UvcMetadataNode(std::string path, std::string card) {
    FakeVideoNode node;
    node.path = std::move(path);
    node.card = std::move(card);
    node.capabilities = kUvcDeviceCaps;
    node.deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    return node;
}

void FakeUvcKernel::AddNode(const FakeVideoNode& node) {
    nodes_[node.path] = node;
}

void FakeUvcKernel::AddExtensionUnit(const std::string& path, std::uint8_t unit,
                                     sim::Firmware* firmware) {
    units_[{path, unit}] = firmware;
}

int FakeUvcKernel::Open(const std::string& path, int /*flags*/) {
    auto it = nodes_.find(path);
    if (it == nodes_.end() || unplugged_) return -ENOENT;
    if (it->second.openError != 0) return -it->second.openError;
    const int fd = nextFd_++;
    open_[fd] = path;
    ++opens_;
    return fd;
}

int FakeUvcKernel::Close(int fd) {
    return open_.erase(fd) == 1 ? 0 : -EBADF;
}

int FakeUvcKernel::Ioctl(int fd, unsigned long request, void* argument) {
    auto it = open_.find(fd);
    if (it == open_.end()) return -EBADF;
    if (unplugged_) return -ENODEV;
    const FakeVideoNode& node = nodes_.at(it->second);
    if (request == VIDIOC_QUERYCAP) return QueryCapability(node, argument);
    if (request == UVCIOC_CTRL_QUERY) return ControlQuery(node.path, argument);
    return -ENOTTY;
}

int FakeUvcKernel::QueryCapability(const FakeVideoNode& node, void* argument) {
    if (node.queryCapabilityError != 0) return -node.queryCapabilityError;
    auto* capability = static_cast<v4l2_capability*>(argument);
    std::memset(capability, 0, sizeof *capability);
    std::strncpy(reinterpret_cast<char*>(capability->driver), "uvcvideo",
                 sizeof capability->driver);
    std::memcpy(capability->card, node.card.data(),
                std::min(node.card.size(), sizeof capability->card - 1));
    capability->capabilities = node.capabilities;
    capability->device_caps = node.deviceCaps;
    return 0;
}

int FakeUvcKernel::ControlQuery(const std::string& path, void* argument) {
    auto* request = static_cast<uvc_xu_control_query*>(argument);
    XuQuery query;
    query.path = path;
    query.unit = request->unit;
    query.selector = request->selector;
    query.query = request->query;
    query.size = request->size;
    query.hasData = request->data != nullptr;
    if (request->data != nullptr) query.dataIn.assign(request->data, request->data + request->size);

    if (unplugAfter_ && *unplugAfter_ == 0) unplugged_ = true;
    if (unplugAfter_) --*unplugAfter_;

    if (unplugged_) {
        query.error = ENODEV;
    } else if (failQueriesWith_ != 0) {
        query.error = failQueriesWith_;
    } else {
        query.error = AnswerControlQuery(path, &query, request->data);
    }
    if (request->data != nullptr)
        query.dataOut.assign(request->data, request->data + request->size);
    queries_.push_back(query);
    return query.error == 0 ? 0 : -query.error;
}

int FakeUvcKernel::AnswerControlQuery(const std::string& path, XuQuery* query, std::uint8_t* data) {
    if (data == nullptr && query->size != 0) return EFAULT;
    auto unit = units_.find({path, query->unit});
    if (unit == units_.end()) return ENOENT;  // "Extension unit %u not found"
    sim::Firmware& firmware = *unit->second;

    switch (query->query) {
        case UVC_GET_LEN: {
            if (query->size != 2) return ENOBUFS;
            std::uint32_t length = 0;
            if (const int error =
                    ErrnoFromFirmware(firmware.ReplyLength(query->selector, &length))) {
                return error;
            }
            data[0] = static_cast<std::uint8_t>(length & 0xFF);
            data[1] = static_cast<std::uint8_t>(length >> 8);
            return 0;
        }
        case UVC_GET_CUR: {
            std::uint32_t length = 0;
            if (const int error =
                    ErrnoFromFirmware(firmware.ReplyLength(query->selector, &length))) {
                return error;
            }
            if (query->size != length) return ENOBUFS;
            std::vector<std::uint8_t> reply;
            if (const int error = ErrnoFromFirmware(firmware.Read(query->selector, &reply))) {
                return error;
            }
            std::copy(reply.begin(), reply.end(), data);
            return 0;
        }
        case UVC_SET_CUR:
            return ErrnoFromFirmware(firmware.Write(query->selector, data, query->size));
        default:
            return EINVAL;
    }
}

}  // namespace tamsel::linux_test
