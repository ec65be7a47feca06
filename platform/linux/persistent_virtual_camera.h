#pragma once
// The virtual camera as a Linux device-list entry: its firmware registers are loaded
// from a file when it is created and saved back after every write, so what one run of
// the program sets, the next run (or a person with a text editor) reads.

#include <memory>
#include <string>

#include "device/ks_seam.h"
#include "sim/virtual_camera.h"

namespace tamsel::linux_platform {

class PersistentVirtualCamera {
  public:
    // A missing file starts the camera from the firmware's factory registers; so does a
    // file that can't be parsed (the next write then replaces it).
    static std::shared_ptr<PersistentVirtualCamera> Open(std::string file);

    // A filter that keeps the camera alive for as long as it, or anything obtained from
    // it, lives.
    static std::unique_ptr<KsFilter> CreateFilter(std::shared_ptr<PersistentVirtualCamera> camera);

    sim::VirtualCamera& camera() { return camera_; }
    const std::string& file() const { return file_; }
    // Whether the registers came from the file.
    bool loadedFromFile() const { return loadedFromFile_; }

    // Writes the registers to the file through a temporary file and a rename, so a crash
    // mid-save leaves the previous state rather than half a file. False on failure.
    bool Save();

  private:
    explicit PersistentVirtualCamera(std::string file);

    std::string file_;
    sim::VirtualCamera camera_;
    bool loadedFromFile_ = false;
};

}  // namespace tamsel::linux_platform
