#include "platform/win32/virtual_camera_server/camera_session.h"

#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/win32/unique_handle.h"
#include "platform/win32/virtual_camera_server/faults_file.h"
#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"

namespace tamsel::win32 {
namespace {

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::wstring, std::weak_ptr<CameraSession>>& Sessions() {
    static std::map<std::wstring, std::weak_ptr<CameraSession>> sessions;
    return sessions;
}

// The whole file, or nothing when it can't be opened.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

std::shared_ptr<CameraSession> CameraSession::ForDirectory(const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(directory, error);
    if (error) canonical = directory;

    std::lock_guard lock(RegistryMutex());
    std::weak_ptr<CameraSession>& slot = Sessions()[canonical.wstring()];
    std::shared_ptr<CameraSession> session = slot.lock();
    if (!session) {
        session = std::make_shared<CameraSession>(canonical);
        slot = session;
    }
    return session;
}

std::filesystem::path CameraSession::DefaultDirectory() {
    const std::wstring fromEnvironment = EnvironmentValue(kStateDirectoryEnvironmentVariable);
    if (!fromEnvironment.empty()) return fromEnvironment;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::filesystem::path base =
        length > 0 ? std::filesystem::path(temp) : std::filesystem::path(L".");
    return base / L"TamselVirtualCamera";
}

CameraSession::CameraSession(std::filesystem::path directory) : directory_(std::move(directory)) {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
}

void CameraSession::ApplyShape(const CameraShape& shape) {
    std::lock_guard lock(mutex_);
    if (shape.nodeCount) camera_.topology().nodeCount = *shape.nodeCount;
    if (shape.extensionUnitNodes) camera_.topology().extensionUnitNodes = *shape.extensionUnitNodes;
}

template <typename Call>
HResult CameraSession::Drive(Call call) {
    std::lock_guard lock(mutex_);
    LoadFirmware();
    LoadFaults();
    // The log is emptied before each call and written out after it, so the camera's own
    // call counting sees every call as its first; the failing call is picked here.
    camera_.ClearLog();
    camera_.faults() = faults_;
    camera_.faults().failCallNumber = faults_.failCallNumber == callsSinceFaults_ + 1 ? 1 : 0;
    ++callsSinceFaults_;
    const HResult result = call(camera_);
    SaveFirmware();
    AppendLog();
    return result;
}

HResult CameraSession::QueryTopology() {
    return Drive([](sim::VirtualCamera& camera) { return camera.QueryTopology(); });
}

HResult CameraSession::GetNumNodes(std::uint32_t* count) {
    return Drive([count](sim::VirtualCamera& camera) { return camera.GetNumNodes(count); });
}

HResult CameraSession::GetNodeType(std::uint32_t index, Guid* nodeType) {
    return Drive([index, nodeType](sim::VirtualCamera& camera) {
        return camera.GetNodeType(index, nodeType);
    });
}

HResult CameraSession::CreateNodeControl(std::uint32_t index) {
    return Drive([index](sim::VirtualCamera& camera) { return camera.CreateNodeControl(index); });
}

HResult CameraSession::KsProperty(std::uint32_t node, const std::uint8_t* request,
                                  std::uint32_t requestLength, std::uint8_t* data,
                                  std::uint32_t dataLength, std::uint32_t* bytesReturned) {
    return Drive([&](sim::VirtualCamera& camera) {
        return camera.KsProperty(node, request, requestLength, data, dataLength, bytesReturned);
    });
}

void CameraSession::ObjectCreated() {
    std::lock_guard lock(mutex_);
    ++liveObjects_;
    camera_.ObjectCreated();
    WriteLiveObjects();
}

void CameraSession::ObjectDestroyed() {
    std::lock_guard lock(mutex_);
    --liveObjects_;
    camera_.ObjectDestroyed();
    WriteLiveObjects();
}

void CameraSession::LoadFirmware() {
    const std::filesystem::path path = directory_ / kFirmwareStateFile;
    const std::optional<std::string> state = ReadWholeFile(path);
    if (!state) {
        // No state file means a camera fresh from the factory, also for a test that
        // removes the file between two commands.
        camera_.firmware() = sim::Firmware{};
        savedState_.reset();
        return;
    }
    if (savedState_ && *savedState_ == *state) return;
    camera_.firmware().Load(path.string());
}

void CameraSession::SaveFirmware() {
    // The firmware replaces its file in one move, so a test reading the state while the
    // program runs never sees half a file.
    const std::filesystem::path path = directory_ / kFirmwareStateFile;
    savedState_.reset();
    if (!camera_.firmware().Save(path.string())) return;
    savedState_ = ReadWholeFile(path);
}

void CameraSession::LoadFaults() {
    const std::filesystem::path path = directory_ / kFaultsFile;
    const std::optional<std::string> text = ReadWholeFile(path);
    std::error_code error;
    std::optional<std::filesystem::file_time_type> writeTime;
    if (text) {
        const auto time = std::filesystem::last_write_time(path, error);
        if (!error) writeTime = time;
    }
    if (text == faultsText_ && writeTime == faultsWriteTime_) return;

    faults_ = sim::Faults{};
    if (text) FaultsFromText(*text, &faults_);
    faultsText_ = text;
    faultsWriteTime_ = writeTime;
    callsSinceFaults_ = 0;
}

void CameraSession::AppendLog() {
    std::string text = camera_.LogToText();
    if (text.empty()) return;
    if (text.back() != '\n') text += '\n';
    // One appending write per call: a reader in another process sees whole lines only.
    const UniqueHandle log(CreateFileW((directory_ / kCallLogFile).c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (log.get() == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(log.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void CameraSession::WriteLiveObjects() {
    std::ofstream file(directory_ / kLiveObjectsFile, std::ios::binary | std::ios::trunc);
    file << liveObjects_ << '\n';
}

}  // namespace tamsel::win32
