#pragma once
// DeviceSettings: the one process-wide record the dialog, the clock and the command
// set share. Every field but the filter is a signed 32-bit integer; nothing clamps.

#include <cstdint>
#include <memory>

#include "device/ks_seam.h"

namespace tamsel {

struct DeviceSettings {
    std::unique_ptr<KsFilter> filter;  // bound by FindCaptureDevice; held until exit
    std::int32_t lastResult = 1;

    std::int32_t year = 2019;
    std::int32_t month = 1;
    std::int32_t day = 1;
    std::int32_t hour = 12;
    std::int32_t minute = 12;
    std::int32_t second = 12;

    std::int32_t quality = 1;

    std::int32_t brightness = 0;
    std::int32_t contrast = 0;
    std::int32_t hue = 0;
    std::int32_t saturation = 0;

    std::int32_t auxLevel = 0;
    std::int32_t earphoneLevel = 0;
    std::int32_t micLevel = 0;
    std::int32_t auxMute = 0;
    std::int32_t earphoneMute = 0;
    std::int32_t micMute = 0;

    std::int32_t versionMajor = 1;
    std::int32_t versionMinor = 0;
    std::int32_t versionBuild = 0;
    std::int32_t versionRevision = 0;
};

// The process-wide instance. Tests put it back to its initial state with
// `TheDeviceSettings() = DeviceSettings{};`.
DeviceSettings& TheDeviceSettings();

}  // namespace tamsel
