#pragma once
// The virtual camera: a model of the camera's firmware behind its extension unit, and
// of the kernel-streaming driver that exposes it (topology, node controls, property
// calls), with a log of every call and faults on demand. Every test and the demo use
// it in place of hardware. Portable: no OS header.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/hresult.h"
#include "device/ks_seam.h"
#include "sim/firmware.h"

namespace tamsel::sim {

// One call that reached the virtual driver.
struct CallRecord {
    enum class Kind { QueryTopology, GetNumNodes, GetNodeType, CreateNodeControl, KsProperty };
    Kind kind = Kind::KsProperty;
    std::uint32_t node = 0;             // node index (GetNodeType, CreateNodeControl, KsProperty)
    std::vector<std::uint8_t> request;  // KsProperty: the request bytes as given
    std::uint32_t requestLength = 0;
    bool hasBuffer = false;             // KsProperty: a data pointer was passed
    std::uint32_t dataLength = 0;       // KsProperty: the data length passed
    std::vector<std::uint8_t> dataIn;   // bytes in the buffer when the call arrived (writes)
    std::vector<std::uint8_t> dataOut;  // bytes the driver put into the buffer (reads)
    std::uint32_t bytesReturned = 0;    // what the driver reported
    HResult result = kOk;
};

struct Faults {
    int failCallNumber = 0;            // fail the nth call counted in the log (1-based); 0: none
    HResult failResult = kGenFailure;  // what that failing call returns
    bool unplugged = false;            // every call fails with kDeviceNotConnected
    std::map<std::uint8_t, std::uint32_t> shortReply;  // selector -> reply length to report instead
    bool probeReportsNothing = false;  // a size probe fails and leaves the byte count alone
    bool noTopology = false;           // the filter has no IKsTopologyInfo
    bool noControl = false;            // CreateNodeControl fails
    bool noNodeCount = false;          // GetNumNodes fails without setting the count
};

struct TopologyShape {
    std::uint32_t nodeCount = 5;
    std::vector<std::uint32_t> extensionUnitNodes{3};  // device-specific nodes; may be empty or two
};

class VirtualCamera {
  public:
    VirtualCamera();
    ~VirtualCamera();
    VirtualCamera(const VirtualCamera&) = delete;
    VirtualCamera& operator=(const VirtualCamera&) = delete;

    Firmware& firmware();
    Faults& faults();
    TopologyShape& topology();
    const std::vector<CallRecord>& log() const;
    void ClearLog();
    // Objects handed out (filters, topologies, controls) and not yet destroyed.
    int LiveObjects() const;
    // Times a topology from CreateFilter() was released while a control created through
    // it was still alive; a command releases its control first, so this stays 0.
    int TopologiesReleasedBeforeControls() const;

    // A new reference to the camera's capture filter through the portable ks seam.
    // The filter must not outlive the camera.
    std::unique_ptr<KsFilter> CreateFilter();

    // The driver, call by call. The portable adapters call these, and so does the
    // Windows COM server, so both behave and log alike.
    HResult QueryTopology();
    HResult GetNumNodes(std::uint32_t* count);
    HResult GetNodeType(std::uint32_t index, Guid* nodeType);
    HResult CreateNodeControl(std::uint32_t index);
    HResult KsProperty(std::uint32_t node, const std::uint8_t* request, std::uint32_t requestLength,
                       std::uint8_t* data, std::uint32_t dataLength, std::uint32_t* bytesReturned);

    // Bookkeeping for adapters living outside this file (the COM server).
    void ObjectCreated();
    void ObjectDestroyed();

    // The call log as text, one call per line, and back; for tests that read the log
    // of a camera living in another process.
    std::string LogToText() const;
    static bool LogFromText(const std::string& text, std::vector<CallRecord>* records);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tamsel::sim
