#pragma once
// The camera's firmware as seen through its extension unit: registers per control
// selector, staged item writes committed by the closing write, and a clock that runs
// once it is set. Selectors and payloads are those of the vendor command set.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/hresult.h"

namespace tamsel::sim {

struct FirmwareRegisters {
    std::uint8_t quality = 2;                               // selector 28
    std::array<std::uint8_t, 4> color{50, 50, 50, 50};      // selector 25 / items of 24
    std::array<std::uint8_t, 6> volume{3, 13, 7, 0, 0, 0};  // selector 22 / items of 21, wire form
    std::array<std::uint8_t, 6> clock{19, 1, 1, 0, 0, 0};   // selector 29 as last set
    std::map<std::uint8_t, std::vector<std::uint8_t>> others;  // selectors 10 to 19 and the rest
    int finishCount = 0;                                       // closing writes received
};

class Firmware {
  public:
    Firmware();

    // Reply length of a readable selector; kNotFound for a selector the unit doesn't have.
    HResult ReplyLength(std::uint8_t selector, std::uint32_t* length) const;
    HResult Read(std::uint8_t selector, std::vector<std::uint8_t>* reply);
    // kInvalidArgument for a payload of the wrong length; kNotFound for an unknown selector.
    HResult Write(std::uint8_t selector, const std::uint8_t* data, std::uint32_t length);

    FirmwareRegisters& registers();
    const FirmwareRegisters& registers() const;
    // Item writes received but not yet committed by a closing write (selector 23).
    std::size_t PendingItemWrites() const;

    // The clock register as it reads now: the time last set plus the time since, once set.
    std::array<std::uint8_t, 6> CurrentClock() const;
    bool ClockRunning() const;
    // Where the running clock takes the time from; tests step it by hand.
    void SetTimeSource(std::function<std::chrono::steady_clock::time_point()> now);

    // Persist the registers to a small text file and read them back.
    bool Save(const std::string& path) const;
    bool Load(const std::string& path);

  private:
    FirmwareRegisters registers_;
    std::vector<std::pair<std::uint8_t, std::array<std::uint8_t, 2>>>
        pending_;  // selector, payload
    std::optional<std::chrono::steady_clock::time_point> clockSetAt_;
    std::function<std::chrono::steady_clock::time_point()> now_;
};

}  // namespace tamsel::sim
