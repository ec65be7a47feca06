#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/linux_kernel.h"

namespace tamsel::linux_platform {
namespace {

class RealKernel final : public LinuxKernel {
  public:
    int Open(const std::string& path, int flags) override {
        int fd;
        do {
            fd = ::open(path.c_str(), flags | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? -errno : fd;
    }

    int Close(int fd) override {
        // Linux releases the descriptor even when close() reports EINTR, so it is not retried.
        return ::close(fd) < 0 ? -errno : 0;
    }

    int Ioctl(int fd, unsigned long request, void* argument) override {
        int result;
        do {
            result = ::ioctl(fd, request, argument);
        } while (result < 0 && errno == EINTR);
        return result < 0 ? -errno : result;
    }
};

}  // namespace

LinuxKernel& RealLinuxKernel() {
    // Never destroyed: a filter bound into the process-wide settings record closes its
    // descriptor through this object during static destruction, in whatever order.
    static RealKernel* const kernel = new RealKernel();
    return *kernel;
}

}  // namespace tamsel::linux_platform
