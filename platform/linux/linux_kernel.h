#pragma once
// The few kernel calls the device side makes on a video node: open, close and ioctl.
// Behind an interface so that tests can stand in for uvcvideo on machines without a
// camera (or without V4L2 at all).

#include <string>

namespace tamsel::linux_platform {

class LinuxKernel {
  public:
    virtual ~LinuxKernel() = default;
    // A file descriptor (>= 0), or -errno.
    virtual int Open(const std::string& path, int flags) = 0;
    // 0, or -errno.
    virtual int Close(int fd) = 0;
    // The ioctl's non-negative result, or -errno.
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
};

// The running kernel, through <fcntl.h> and <sys/ioctl.h>.
LinuxKernel& RealLinuxKernel();

}  // namespace tamsel::linux_platform
