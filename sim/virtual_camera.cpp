#include "sim/virtual_camera.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <utility>

#include "device/guid.h"
#include "device/xu_transport.h"

namespace tamsel::sim {

namespace {

// Node types of the nodes around the extension unit: a camera terminal, a processing
// unit and the like. Their exact identity doesn't matter, only that they aren't
// device-specific.
Guid OtherNodeType(std::uint32_t index) {
    return Guid::FromParts(0xDFF229E0u + index % 4, 0xF70F, 0x11D0,
                           {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96});
}

const char* KindName(CallRecord::Kind kind) {
    switch (kind) {
        case CallRecord::Kind::QueryTopology:
            return "QueryTopology";
        case CallRecord::Kind::GetNumNodes:
            return "GetNumNodes";
        case CallRecord::Kind::GetNodeType:
            return "GetNodeType";
        case CallRecord::Kind::CreateNodeControl:
            return "CreateNodeControl";
        case CallRecord::Kind::KsProperty:
            return "KsProperty";
    }
    return "?";
}

bool KindFromName(const std::string& name, CallRecord::Kind* kind) {
    for (auto candidate : {CallRecord::Kind::QueryTopology, CallRecord::Kind::GetNumNodes,
                           CallRecord::Kind::GetNodeType, CallRecord::Kind::CreateNodeControl,
                           CallRecord::Kind::KsProperty}) {
        if (name == KindName(candidate)) {
            *kind = candidate;
            return true;
        }
    }
    return false;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return "-";
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>* bytes) {
    bytes->clear();
    if (text == "-") return true;
    if (text.size() % 2 != 0) return false;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = nibble(text[i]);
        const int low = nibble(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes->push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

bool ParseUnsigned(const std::string& text, std::uint32_t* value) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (parsed > 0xFFFFFFFFu) return false;
    *value = static_cast<std::uint32_t>(parsed);
    return true;
}

// Reads "key=value" and checks the key, so a line with its fields out of order is refused.
bool Field(std::istringstream& in, const char* key, std::string* value) {
    std::string token;
    if (!(in >> token)) return false;
    const std::string prefix = std::string(key) + "=";
    if (token.compare(0, prefix.size(), prefix) != 0) return false;
    *value = token.substr(prefix.size());
    return true;
}

// The kernel-streaming objects handed to the portable code: thin, each forwarding to the
// camera's driver calls and counted while alive.
// Controls alive per topology, so that a topology released before its controls shows.
struct ReleaseOrder {
    int liveControls = 0;
};

class VirtualControl final : public KsControl {
  public:
    VirtualControl(VirtualCamera* camera, std::uint32_t node, std::shared_ptr<ReleaseOrder> order)
        : camera_(camera), node_(node), order_(std::move(order)) {
        camera_->ObjectCreated();
        ++order_->liveControls;
    }
    ~VirtualControl() override {
        --order_->liveControls;
        camera_->ObjectDestroyed();
    }
    HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength, std::uint8_t* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
        return camera_->KsProperty(node_, request, requestLength, data, dataLength, bytesReturned);
    }

  private:
    VirtualCamera* camera_;
    std::uint32_t node_;
    std::shared_ptr<ReleaseOrder> order_;
};

class VirtualTopology final : public KsTopology {
  public:
    VirtualTopology(VirtualCamera* camera, int* releasedFirst)
        : camera_(camera), releasedFirst_(releasedFirst) {
        camera_->ObjectCreated();
    }
    ~VirtualTopology() override {
        if (order_->liveControls > 0) ++*releasedFirst_;
        camera_->ObjectDestroyed();
    }
    HResult GetNumNodes(std::uint32_t* count) override { return camera_->GetNumNodes(count); }
    HResult GetNodeType(std::uint32_t index, Guid* nodeType) override {
        return camera_->GetNodeType(index, nodeType);
    }
    HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) override {
        if (control == nullptr) return kPointer;
        const HResult result = camera_->CreateNodeControl(index);
        if (Succeeded(result)) *control = std::make_unique<VirtualControl>(camera_, index, order_);
        return result;
    }

  private:
    VirtualCamera* camera_;
    int* releasedFirst_;
    std::shared_ptr<ReleaseOrder> order_ = std::make_shared<ReleaseOrder>();
};

class VirtualFilter final : public KsFilter {
  public:
    VirtualFilter(VirtualCamera* camera, int* releasedFirst)
        : camera_(camera), releasedFirst_(releasedFirst) {
        camera_->ObjectCreated();
    }
    ~VirtualFilter() override { camera_->ObjectDestroyed(); }
    HResult QueryTopology(std::unique_ptr<KsTopology>* topology) override {
        if (topology == nullptr) return kPointer;
        const HResult result = camera_->QueryTopology();
        if (Succeeded(result)) {
            *topology = std::make_unique<VirtualTopology>(camera_, releasedFirst_);
        }
        return result;
    }

  private:
    VirtualCamera* camera_;
    int* releasedFirst_;
};

}  // namespace

struct VirtualCamera::State {
    Firmware firmware;
    Faults faults;
    TopologyShape shape;
    std::vector<CallRecord> log;
    int liveObjects = 0;
    int topologiesReleasedFirst = 0;

    // Logs the call and says whether a fault answers it instead of the driver.
    bool Faulted(CallRecord& record) {
        const auto number = static_cast<int>(log.size()) + 1;
        if (faults.unplugged) {
            record.result = kDeviceNotConnected;
            return true;
        }
        if (faults.failCallNumber == number) {
            record.result = faults.failResult;
            return true;
        }
        return false;
    }

    bool IsExtensionUnit(std::uint32_t node) const {
        return node < shape.nodeCount &&
               std::find(shape.extensionUnitNodes.begin(), shape.extensionUnitNodes.end(), node) !=
                   shape.extensionUnitNodes.end();
    }

    HResult Property(std::uint32_t node, const std::uint8_t* request, std::uint32_t requestLength,
                     std::uint8_t* data, std::uint32_t dataLength, std::uint32_t* bytesReturned,
                     CallRecord& record);
};

HResult VirtualCamera::State::Property(std::uint32_t node, const std::uint8_t* request,
                                       std::uint32_t requestLength, std::uint8_t* data,
                                       std::uint32_t dataLength, std::uint32_t* bytesReturned,
                                       CallRecord& record) {
    KspNode property;
    if (!ParseKspNode(request, requestLength, &property)) return kInvalidArgument;
    // The request names the node it is for; it has to be the node this control was
    // created on, and only the extension unit answers the vendor's properties.
    if (property.nodeId != node || !IsExtensionUnit(node)) return kNotFound;
    if (property.propertySet != kXuPropertySetGuid) return kSetNotFound;
    if (property.propertyId > 0xFF) return kNotFound;
    const auto selector = static_cast<std::uint8_t>(property.propertyId);

    if (property.flags == kXuWriteFlags) {
        if (data == nullptr && dataLength != 0) return kInvalidArgument;
        if (bytesReturned != nullptr) *bytesReturned = 0;
        return firmware.Write(selector, data, dataLength);
    }
    if (property.flags != kXuReadFlags) return kInvalidArgument;

    std::vector<std::uint8_t> reply;
    const HResult read = firmware.Read(selector, &reply);
    if (Failed(read)) return read;
    if (auto shortened = faults.shortReply.find(selector); shortened != faults.shortReply.end()) {
        reply.resize(shortened->second, 0);
    }
    const auto length = static_cast<std::uint32_t>(reply.size());

    const bool probe = data == nullptr && dataLength == 0;
    if (probe && faults.probeReportsNothing) return kGenFailure;
    if (probe && length != 0) {
        // The platform's size probe: no buffer, and the size that would be needed.
        if (bytesReturned != nullptr) *bytesReturned = length;
        record.bytesReturned = length;
        return kMoreData;
    }
    if (dataLength < length) {
        if (bytesReturned != nullptr) *bytesReturned = 0;
        return kInsufficientBuffer;
    }
    if (data == nullptr && length != 0) return kInvalidArgument;
    std::copy(reply.begin(), reply.end(), data);
    record.dataOut = reply;
    if (bytesReturned != nullptr) *bytesReturned = length;
    record.bytesReturned = length;
    return kOk;
}

VirtualCamera::VirtualCamera() : state_(std::make_unique<State>()) {}
VirtualCamera::~VirtualCamera() = default;

Firmware& VirtualCamera::firmware() {
    return state_->firmware;
}
Faults& VirtualCamera::faults() {
    return state_->faults;
}
TopologyShape& VirtualCamera::topology() {
    return state_->shape;
}
const std::vector<CallRecord>& VirtualCamera::log() const {
    return state_->log;
}
void VirtualCamera::ClearLog() {
    state_->log.clear();
}
int VirtualCamera::LiveObjects() const {
    return state_->liveObjects;
}
int VirtualCamera::TopologiesReleasedBeforeControls() const {
    return state_->topologiesReleasedFirst;
}
void VirtualCamera::ObjectCreated() {
    ++state_->liveObjects;
}
void VirtualCamera::ObjectDestroyed() {
    --state_->liveObjects;
}

std::unique_ptr<KsFilter> VirtualCamera::CreateFilter() {
    return std::make_unique<VirtualFilter>(this, &state_->topologiesReleasedFirst);
}

HResult VirtualCamera::QueryTopology() {
    CallRecord record;
    record.kind = CallRecord::Kind::QueryTopology;
    if (!state_->Faulted(record)) {
        record.result = state_->faults.noTopology ? kNoInterface : kOk;
    }
    state_->log.push_back(record);
    return record.result;
}

HResult VirtualCamera::GetNumNodes(std::uint32_t* count) {
    CallRecord record;
    record.kind = CallRecord::Kind::GetNumNodes;
    if (!state_->Faulted(record)) {
        if (count == nullptr) {
            record.result = kPointer;
        } else if (state_->faults.noNodeCount) {
            record.result = kFail;
        } else {
            *count = state_->shape.nodeCount;
            record.result = kOk;
        }
    }
    state_->log.push_back(record);
    return record.result;
}

HResult VirtualCamera::GetNodeType(std::uint32_t index, Guid* nodeType) {
    CallRecord record;
    record.kind = CallRecord::Kind::GetNodeType;
    record.node = index;
    if (!state_->Faulted(record)) {
        if (nodeType == nullptr) {
            record.result = kPointer;
        } else if (index >= state_->shape.nodeCount) {
            record.result = kInvalidArgument;
        } else {
            *nodeType =
                state_->IsExtensionUnit(index) ? kKsNodeTypeDevSpecific : OtherNodeType(index);
            record.result = kOk;
        }
    }
    state_->log.push_back(record);
    return record.result;
}

HResult VirtualCamera::CreateNodeControl(std::uint32_t index) {
    CallRecord record;
    record.kind = CallRecord::Kind::CreateNodeControl;
    record.node = index;
    if (!state_->Faulted(record)) {
        if (index >= state_->shape.nodeCount) {
            record.result = kInvalidArgument;
        } else {
            record.result = state_->faults.noControl ? kNoInterface : kOk;
        }
    }
    state_->log.push_back(record);
    return record.result;
}

HResult VirtualCamera::KsProperty(std::uint32_t node, const std::uint8_t* request,
                                  std::uint32_t requestLength, std::uint8_t* data,
                                  std::uint32_t dataLength, std::uint32_t* bytesReturned) {
    CallRecord record;
    record.kind = CallRecord::Kind::KsProperty;
    record.node = node;
    if (request != nullptr) record.request.assign(request, request + requestLength);
    record.requestLength = requestLength;
    record.hasBuffer = data != nullptr;
    record.dataLength = dataLength;
    if (data != nullptr) record.dataIn.assign(data, data + dataLength);
    if (!state_->Faulted(record)) {
        record.result =
            state_->Property(node, request, requestLength, data, dataLength, bytesReturned, record);
    }
    state_->log.push_back(record);
    return record.result;
}

std::string VirtualCamera::LogToText() const {
    std::string text;
    char result[16];
    for (const CallRecord& call : state_->log) {
        std::snprintf(result, sizeof result, "%08x", static_cast<std::uint32_t>(call.result));
        text += KindName(call.kind);
        text += " node=" + std::to_string(call.node);
        text += " request=" + Hex(call.request);
        text += " request-length=" + std::to_string(call.requestLength);
        text += " buffer=" + std::string(call.hasBuffer ? "1" : "0");
        text += " data-length=" + std::to_string(call.dataLength);
        text += " in=" + Hex(call.dataIn);
        text += " out=" + Hex(call.dataOut);
        text += " returned=" + std::to_string(call.bytesReturned);
        text += " result=" + std::string(result);
        text += '\n';
    }
    return text;
}

bool VirtualCamera::LogFromText(const std::string& text, std::vector<CallRecord>* records) {
    if (records == nullptr) return false;
    std::vector<CallRecord> parsed;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // written on Windows
        if (line.empty()) continue;
        std::istringstream in(line);
        std::string kind, node, request, requestLength, buffer, dataLength, dataIn, dataOut,
            returned, result, extra;
        CallRecord record;
        std::uint32_t resultBits = 0;
        if (!(in >> kind) || !KindFromName(kind, &record.kind) || !Field(in, "node", &node) ||
            !Field(in, "request", &request) || !Field(in, "request-length", &requestLength) ||
            !Field(in, "buffer", &buffer) || !Field(in, "data-length", &dataLength) ||
            !Field(in, "in", &dataIn) || !Field(in, "out", &dataOut) ||
            !Field(in, "returned", &returned) || !Field(in, "result", &result) || (in >> extra)) {
            return false;
        }
        if (!ParseUnsigned(node, &record.node) || !FromHex(request, &record.request) ||
            !ParseUnsigned(requestLength, &record.requestLength) ||
            (buffer != "0" && buffer != "1") || !ParseUnsigned(dataLength, &record.dataLength) ||
            !FromHex(dataIn, &record.dataIn) || !FromHex(dataOut, &record.dataOut) ||
            !ParseUnsigned(returned, &record.bytesReturned) || result.size() != 8) {
            return false;
        }
        std::vector<std::uint8_t> resultBytes;
        if (!FromHex(result, &resultBytes)) return false;
        for (std::uint8_t byte : resultBytes) resultBits = resultBits << 8 | byte;
        record.hasBuffer = buffer == "1";
        record.result = static_cast<HResult>(resultBits);
        parsed.push_back(std::move(record));
    }
    *records = std::move(parsed);
    return true;
}

}  // namespace tamsel::sim
