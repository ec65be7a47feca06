#pragma once
// One virtual camera as the COM objects of this process see it: the firmware model and
// driver behind a mutex, kept in a state directory so that other processes (a test, the
// next run of the program) see what this one did.
//
// Files in the state directory:
//   firmware.txt      the registers (Firmware::Save format), loaded before and saved
//                     after every driver call
//   calls.log         every driver call, appended (VirtualCamera::LogToText format)
//   faults.txt        optional faults to play (faults_file.h), read before every call
//   live_objects.txt  how many of the server's COM objects (filters, node controls, pin
//                     enumerators) are alive for this camera, rewritten on every change

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hresult.h"
#include "sim/virtual_camera.h"

namespace tamsel::win32 {

inline constexpr wchar_t kFirmwareStateFile[] = L"firmware.txt";
inline constexpr wchar_t kCallLogFile[] = L"calls.log";
inline constexpr wchar_t kLiveObjectsFile[] = L"live_objects.txt";

struct CameraShape {
    std::optional<std::uint32_t> nodeCount;
    std::optional<std::vector<std::uint32_t>> extensionUnitNodes;
};

class CameraSession {
  public:
    // The one session of this process for that directory, created on first use and
    // shared by every object of the camera until the last of them is gone.
    static std::shared_ptr<CameraSession> ForDirectory(const std::filesystem::path& directory);
    // The environment variable's directory, or %TEMP%\TamselVirtualCamera.
    static std::filesystem::path DefaultDirectory();

    explicit CameraSession(std::filesystem::path directory);
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    void ApplyShape(const CameraShape& shape);

    HResult QueryTopology();
    HResult GetNumNodes(std::uint32_t* count);
    HResult GetNodeType(std::uint32_t index, Guid* nodeType);
    HResult CreateNodeControl(std::uint32_t index);
    HResult KsProperty(std::uint32_t node, const std::uint8_t* request, std::uint32_t requestLength,
                       std::uint8_t* data, std::uint32_t dataLength, std::uint32_t* bytesReturned);

    void ObjectCreated();
    void ObjectDestroyed();

    const std::filesystem::path& directory() const { return directory_; }

  private:
    // Runs one driver call between loading and saving the firmware, and logs it.
    template <typename Call>
    HResult Drive(Call call);
    void LoadFirmware();
    void LoadFaults();
    void SaveFirmware();
    void AppendLog();
    void WriteLiveObjects();

    std::mutex mutex_;
    std::filesystem::path directory_;
    // The state file as this session last left it; a file that still reads like that is
    // not loaded again, so staged item writes and a running clock survive between calls.
    // (Contents, not times: the file system's clock ticks too coarsely to tell a test's
    // write from ours.)
    std::optional<std::string> savedState_;
    // Faults as last read from the faults file; the failing call is counted from the
    // moment the file's text or time changed.
    std::optional<std::string> faultsText_;
    std::optional<std::filesystem::file_time_type> faultsWriteTime_;
    sim::Faults faults_;
    int callsSinceFaults_ = 0;
    sim::VirtualCamera camera_;
    int liveObjects_ = 0;
};

}  // namespace tamsel::win32
