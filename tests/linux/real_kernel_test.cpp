// The real kernel behind the seam, on what this machine has: files that are not video
// nodes. Errors must come back as -errno and descriptors must close.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/videodev2.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/linux/linux_kernel.h"
#include "platform/linux/unique_fd.h"
#include "platform/linux/v4l2_device_source.h"
#include "tests/linux/sysfs_tree.h"

namespace tamsel::linux_platform {
namespace {

namespace fs = std::filesystem;

TEST(RealLinuxKernel, ReportsErrnoAndClosesWhatItOpened) {
    LinuxKernel& kernel = RealLinuxKernel();
    EXPECT_EQ(kernel.Open("/nonexistent/video0", O_RDWR), -ENOENT);

    linux_test::SysfsTree scratch;
    const std::string file = scratch.root() + "/not-a-video-node";
    std::ofstream(file) << "x";
    const int fd = kernel.Open(file, O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    v4l2_capability capability{};
    EXPECT_EQ(kernel.Ioctl(fd, VIDIOC_QUERYCAP, &capability), -ENOTTY);
    EXPECT_EQ(kernel.Close(fd), 0);
    EXPECT_EQ(kernel.Close(fd), -EBADF);
}

TEST(RealLinuxKernel, UniqueFdClosesOnDestructionAndOnMove) {
    LinuxKernel& kernel = RealLinuxKernel();
    int error = -1;
    int raw = -1;
    {
        UniqueFd first = OpenFd(kernel, "/dev/null", O_RDONLY, &error);
        ASSERT_TRUE(first.valid());
        EXPECT_EQ(error, 0);
        raw = first.get();
        UniqueFd second = std::move(first);
        EXPECT_FALSE(first.valid());
        EXPECT_EQ(second.get(), raw);
        second = OpenFd(kernel, "/dev/null", O_RDONLY, &error);
        EXPECT_EQ(kernel.Close(raw), -EBADF) << "the moved-over descriptor was closed";
        raw = second.get();
    }
    EXPECT_EQ(kernel.Close(raw), -EBADF) << "the descriptor was closed at scope end";

    UniqueFd missing = OpenFd(kernel, "/nonexistent", O_RDONLY, &error);
    EXPECT_FALSE(missing.valid());
    EXPECT_EQ(error, ENOENT);
}

TEST(RealLinuxKernel, NodesThatAreNotVideoDevicesAreSkippedFromTheList) {
    linux_test::SysfsTree sysfs;
    sysfs.AddPlatformNode(0);
    const fs::path devices = fs::path(sysfs.root()) / "dev";
    fs::create_directory(devices);
    std::ofstream(devices / "video0") << "";  // a plain file where the node should be

    V4l2DeviceSourceOptions options;
    options.sysfsRoot = sysfs.root();
    options.deviceRoot = devices.string();
    V4l2DeviceSource source(RealLinuxKernel(), options);
    std::unique_ptr<CaptureDeviceEnumerator> list;
    EXPECT_EQ(source.EnumerateVideoInputDevices(&list), kFalse);
    ASSERT_EQ(source.skippedNodes().size(), 1u);
    EXPECT_EQ(source.skippedNodes()[0].devicePath, (devices / "video0").string());
    EXPECT_EQ(source.skippedNodes()[0].result, kFail) << "ENOTTY has no mapping of its own";
}

}  // namespace
}  // namespace tamsel::linux_platform
