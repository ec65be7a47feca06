#include "platform/linux/errno_result.h"

#include <cerrno>
#include <cstdio>

namespace tamsel::linux_platform {
namespace {

struct ErrnoMapping {
    int error;
    HResult result;
    const char* explanation;
};

// The one table from errno to HRESULT. The left column is what uvcvideo and the V4L2
// core return from open() and UVCIOC_CTRL_QUERY; the right one what a Windows camera
// driver reports for the same condition. When two errnos share a result, the first
// row's explanation is the one ExplainDeviceResult gives.
constexpr ErrnoMapping kErrnoTable[] = {
    // The unit or the control selector doesn't exist on this camera (uvcvideo's answer
    // to an unknown extension-unit control), or the video node is gone.
    {ENOENT, kNotFound,
     "the camera has no such extension-unit control (or the video node no longer exists)"},
    // The camera was unplugged while the program held its node open.
    {ENODEV, kDeviceNotConnected, "the camera was disconnected; plug it in and start again"},
    // The USB control transfer failed.
    {EIO, kGenFailure, "the camera did not answer the USB control request"},
    // The camera stalled the control request: it refused it.
    {EPIPE, kGenFailure, "the camera refused the control request (USB stall)"},
    // The camera reported the value as out of range.
    {ERANGE, kInvalidArgument, "the camera reported the value as out of range"},
    // The camera reported itself not ready, or another program holds the node.
    {EBUSY, kBusy, "the camera is busy; try again, or close other programs using it"},
    // The node's permissions: on most distributions /dev/video* belongs to the 'video'
    // group, and this hint is the one thing a user can act on.
    {EACCES, kAccessDenied,
     "permission denied on the camera's video node; add your user to the 'video' group "
     "(sudo usermod -aG video $USER) and log in again"},
    {EPERM, kAccessDenied,
     "permission denied on the camera's video node; add your user to the 'video' group "
     "(sudo usermod -aG video $USER) and log in again"},
    // uvcvideo's answer when the data length doesn't match the control's size.
    {ENOBUFS, kInsufficientBuffer, "the data length does not match the size of the control"},
};

}  // namespace

HResult HResultFromErrno(int error) {
    if (error == 0) return kOk;
    for (const ErrnoMapping& mapping : kErrnoTable) {
        if (mapping.error == error) return mapping.result;
    }
    return kFail;
}

std::string ExplainDeviceResult(HResult result) {
    if (result == kOk) return {};
    for (const ErrnoMapping& mapping : kErrnoTable) {
        if (mapping.result == result) return mapping.explanation;
    }
    if (result == kSetNotFound) {
        return "the camera's first extension unit is not the vendor's (wrong camera?)";
    }
    char text[64];
    std::snprintf(text, sizeof text, "the camera operation failed (0x%08X)",
                  static_cast<unsigned>(result));
    return text;
}

}  // namespace tamsel::linux_platform
