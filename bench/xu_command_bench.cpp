// One write (recording quality) and one read (the six volume items), each through the
// command set and transport and, beside it, as the bare property call(s) the virtual
// driver answers for the same exchange. The ratio is what walking the topology afresh,
// building the request and decoding cost per command.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "device/device_settings.h"
#include "device/xu_command.h"
#include "device/xu_transport.h"
#include "sim/virtual_camera.h"

namespace tamsel {
namespace {

// The driver logs every call; cleared now and then so the log's growth isn't measured.
constexpr int kCallsBetweenLogClears = 4096;

void ClearLogNowAndThen(sim::VirtualCamera& camera, int& calls) {
    if (++calls == kCallsBetweenLogClears) {
        camera.ClearLog();
        calls = 0;
    }
}

void BM_SetQualityCommand(benchmark::State& state) {
    sim::VirtualCamera camera;
    TheDeviceSettings() = DeviceSettings{};
    TheDeviceSettings().filter = camera.CreateFilter();
    TheDeviceSettings().quality = 3;
    int calls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(XuSetCommand(XU_SET_QUALITY, 0));
        ClearLogNowAndThen(camera, calls);
    }
    TheDeviceSettings() = DeviceSettings{};
}
BENCHMARK(BM_SetQualityCommand);

void BM_SetQualityBareProperty(benchmark::State& state) {
    sim::VirtualCamera camera;
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 28, kXuWriteFlags, 3);
    std::uint8_t quality = 3;
    int calls = 0;
    for (auto _ : state) {
        std::uint32_t returned = 0;
        benchmark::DoNotOptimize(
            camera.KsProperty(3, request.data(), kKspNodeLength, &quality, 1, &returned));
        ClearLogNowAndThen(camera, calls);
    }
}
BENCHMARK(BM_SetQualityBareProperty);

void BM_GetVolumeCommand(benchmark::State& state) {
    sim::VirtualCamera camera;
    TheDeviceSettings() = DeviceSettings{};
    TheDeviceSettings().filter = camera.CreateFilter();
    int calls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr));
        benchmark::DoNotOptimize(TheDeviceSettings().earphoneLevel);
        ClearLogNowAndThen(camera, calls);
    }
    TheDeviceSettings() = DeviceSettings{};
}
BENCHMARK(BM_GetVolumeCommand);

// The same exchange at the driver: the size probe, then the read into a buffer of that size.
void BM_GetVolumeBareProperty(benchmark::State& state) {
    sim::VirtualCamera camera;
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 22, kXuReadFlags, 3);
    int calls = 0;
    for (auto _ : state) {
        std::uint32_t size = 0;
        camera.KsProperty(3, request.data(), kKspNodeLength, nullptr, 0, &size);
        std::vector<std::uint8_t> reply(size);
        std::uint32_t returned = 0;
        benchmark::DoNotOptimize(
            camera.KsProperty(3, request.data(), kKspNodeLength, reply.data(), size, &returned));
        benchmark::DoNotOptimize(reply.data());
        ClearLogNowAndThen(camera, calls);
    }
}
BENCHMARK(BM_GetVolumeBareProperty);

}  // namespace
}  // namespace tamsel
