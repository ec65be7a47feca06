#pragma once
// Stands in for the kernel and uvcvideo behind the LinuxKernel seam: /dev/videoN nodes
// that answer VIDIOC_QUERYCAP, and extension units that answer UVCIOC_CTRL_QUERY the
// way uvcvideo does (GET_LEN in two little-endian bytes, GET_CUR and SET_CUR of exactly
// the control's size, ENOENT for a unit or control it doesn't have), with the camera's
// firmware model behind them. It records every extension-unit query byte for byte.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/linux_kernel.h"
#include "sim/firmware.h"

namespace tamsel::linux_test {

struct FakeVideoNode {
    std::string path;  // "/dev/video0"
    std::uint32_t capabilities = 0;
    std::uint32_t deviceCaps = 0;
    std::string card;
    int openError = 0;             // errno of open(); 0: opens
    int queryCapabilityError = 0;  // errno of VIDIOC_QUERYCAP; 0: answers
};

// Capabilities as uvcvideo reports them for its two nodes.
FakeVideoNode UvcCaptureNode(std::string path, std::string card);
FakeVideoNode UvcMetadataNode(std::string path, std::string card);

struct XuQuery {
    std::string path;
    std::uint8_t unit = 0;
    std::uint8_t selector = 0;
    std::uint8_t query = 0;
    std::uint16_t size = 0;
    bool hasData = false;
    std::vector<std::uint8_t> dataIn;   // the buffer when the query arrived
    std::vector<std::uint8_t> dataOut;  // the buffer when it returned
    int error = 0;                      // errno returned; 0 for success
};

class FakeUvcKernel final : public linux_platform::LinuxKernel {
  public:
    void AddNode(const FakeVideoNode& node);
    // An extension unit of the node at `path`, answering from `firmware` (not owned).
    void AddExtensionUnit(const std::string& path, std::uint8_t unit, sim::Firmware* firmware);

    // Every extension-unit query fails with this errno (0: none does).
    void FailQueriesWith(int error) { failQueriesWith_ = error; }
    // The camera goes away after this many more extension-unit queries: from then on
    // every ioctl on its open descriptors fails with ENODEV, and open() with ENOENT.
    void UnplugAfterQueries(int queries) { unplugAfter_ = queries; }

    const std::vector<XuQuery>& queries() const { return queries_; }
    void ClearQueries() { queries_.clear(); }
    int openDescriptors() const { return static_cast<int>(open_.size()); }
    int opens() const { return opens_; }

    int Open(const std::string& path, int flags) override;
    int Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;

  private:
    int QueryCapability(const FakeVideoNode& node, void* argument);
    int ControlQuery(const std::string& path, void* argument);
    int AnswerControlQuery(const std::string& path, XuQuery* query, std::uint8_t* data);

    std::map<std::string, FakeVideoNode> nodes_;
    std::map<std::pair<std::string, std::uint8_t>, sim::Firmware*> units_;
    std::map<int, std::string> open_;
    int nextFd_ = 3;
    int opens_ = 0;
    int failQueriesWith_ = 0;
    std::optional<int> unplugAfter_;
    bool unplugged_ = false;
    std::vector<XuQuery> queries_;
};

}  // namespace tamsel::linux_test
