#pragma once
// A file descriptor that closes itself, through the kernel seam it was opened with.

#include <utility>

#include "platform/linux/linux_kernel.h"

namespace tamsel::linux_platform {

class UniqueFd {
  public:
    UniqueFd() = default;
    UniqueFd(LinuxKernel& kernel, int fd) : kernel_(&kernel), fd_(fd) {}
    ~UniqueFd() { Reset(); }

    UniqueFd(UniqueFd&& other) noexcept
        : kernel_(std::exchange(other.kernel_, nullptr)), fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            kernel_ = std::exchange(other.kernel_, nullptr);
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    LinuxKernel* kernel() const { return kernel_; }

    void Reset() {
        if (fd_ >= 0 && kernel_ != nullptr) kernel_->Close(fd_);
        fd_ = -1;
    }

  private:
    LinuxKernel* kernel_ = nullptr;
    int fd_ = -1;
};

// Opens path through the kernel seam; *error gets the errno on failure.
inline UniqueFd OpenFd(LinuxKernel& kernel, const std::string& path, int flags, int* error) {
    const int fd = kernel.Open(path, flags);
    if (fd < 0) {
        if (error != nullptr) *error = -fd;
        return {};
    }
    if (error != nullptr) *error = 0;
    return UniqueFd(kernel, fd);
}

}  // namespace tamsel::linux_platform
