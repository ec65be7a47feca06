#include "sim/firmware.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tamsel::sim {

namespace {

// What the unit answers on each selector, the way its descriptor would list them.
struct ControlInfo {
    std::uint8_t selector;
    std::uint32_t length;  // 0: as long as the register holds (the version text)
    bool readable;
    bool writable;
};

constexpr std::uint8_t kSelectorVersionText = 14;
constexpr std::uint8_t kSelectorVolumeItem = 21;
constexpr std::uint8_t kSelectorVolume = 22;
constexpr std::uint8_t kSelectorFinish = 23;
constexpr std::uint8_t kSelectorColorItem = 24;
constexpr std::uint8_t kSelectorColor = 25;
constexpr std::uint8_t kSelectorQuality = 28;
constexpr std::uint8_t kSelectorClock = 29;

constexpr ControlInfo kControls[] = {
    {10, 4, true, true},
    {11, 1, true, true},
    {12, 1, true, true},
    {13, 1, true, true},
    {kSelectorVersionText, 0, true, false},
    {15, 1, true, true},
    {16, 1, true, false},
    {17, 1, true, true},
    {18, 1, true, false},
    {19, 1, true, false},
    {kSelectorVolumeItem, 2, false, true},
    {kSelectorVolume, 6, true, false},
    {kSelectorFinish, 1, false, true},
    {kSelectorColorItem, 2, false, true},
    {kSelectorColor, 4, true, false},
    {kSelectorQuality, 1, true, true},
    {kSelectorClock, 6, true, true},
};

const ControlInfo* FindControl(std::uint8_t selector) {
    for (const ControlInfo& control : kControls) {
        if (control.selector == selector) return &control;
    }
    return nullptr;
}

std::map<std::uint8_t, std::vector<std::uint8_t>> DefaultOtherRegisters() {
    const std::string version = "SDCAM FW 2.07.1";
    std::vector<std::uint8_t> text(version.begin(), version.end());
    text.push_back(0);
    return {
        {10, {0x00, 0x00, 0x01, 0x00}},  // a 32-bit setting, most significant byte first
        {11, {5}},
        {12, {2}},
        {13, {0}},
        {kSelectorVersionText, text},
        {15, {0}},
        {16, {1}},  // card present
        {17, {0}},
        {18, {87}},  // card used, percent
        {19, {0}},
    };
}

// The clock register holds year - 2000, month, day, hour, minute, second.
std::array<std::uint8_t, 6> AdvanceClock(const std::array<std::uint8_t, 6>& clock,
                                         std::chrono::seconds elapsed) {
    using namespace std::chrono;
    const year_month_day date{year{2000 + clock[0]}, month{clock[1]}, day{clock[2]}};
    // A date the calendar doesn't know (month 13) is kept as written: nothing to run from.
    if (!date.ok() || clock[3] > 23 || clock[4] > 59 || clock[5] > 59) return clock;
    const sys_seconds start =
        sys_days{date} + hours{clock[3]} + minutes{clock[4]} + seconds{clock[5]};
    const sys_seconds now = start + elapsed;
    const sys_days nowDay = floor<days>(now);
    const year_month_day nowDate{nowDay};
    const hh_mm_ss<seconds> time{now - nowDay};
    return {static_cast<std::uint8_t>((static_cast<int>(nowDate.year()) - 2000) & 0xFF),
            static_cast<std::uint8_t>(static_cast<unsigned>(nowDate.month())),
            static_cast<std::uint8_t>(static_cast<unsigned>(nowDate.day())),
            static_cast<std::uint8_t>(time.hours().count()),
            static_cast<std::uint8_t>(time.minutes().count()),
            static_cast<std::uint8_t>(time.seconds().count())};
}

std::string BytesToText(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += ' ';
        text += std::to_string(bytes[i]);
    }
    return text;
}

bool ReadBytes(std::istringstream& in, std::vector<std::uint8_t>* bytes) {
    bytes->clear();
    unsigned value = 0;
    while (in >> value) {
        if (value > 255) return false;
        bytes->push_back(static_cast<std::uint8_t>(value));
    }
    return in.eof();
}

template <std::size_t N>
bool ReadFixed(std::istringstream& in, std::array<std::uint8_t, N>* out) {
    std::vector<std::uint8_t> bytes;
    if (!ReadBytes(in, &bytes) || bytes.size() != N) return false;
    std::copy(bytes.begin(), bytes.end(), out->begin());
    return true;
}

constexpr const char* kFileHeader = "tamsel-virtual-camera-firmware 1";

}  // namespace

Firmware::Firmware() : now_([] { return std::chrono::steady_clock::now(); }) {
    registers_.others = DefaultOtherRegisters();
}

void Firmware::SetTimeSource(std::function<std::chrono::steady_clock::time_point()> now) {
    const auto running = CurrentClock();
    const bool wasRunning = clockSetAt_.has_value();
    now_ = std::move(now);
    if (wasRunning) {
        registers_.clock = running;
        clockSetAt_ = now_();
    }
}

std::array<std::uint8_t, 6> Firmware::CurrentClock() const {
    if (!clockSetAt_) return registers_.clock;
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now_() - *clockSetAt_);
    return AdvanceClock(registers_.clock, elapsed);
}

bool Firmware::ClockRunning() const {
    return clockSetAt_.has_value();
}

HResult Firmware::ReplyLength(std::uint8_t selector, std::uint32_t* length) const {
    const ControlInfo* control = FindControl(selector);
    if (control == nullptr || !control->readable) return kNotFound;
    if (length != nullptr) {
        if (control->length != 0) {
            *length = control->length;
        } else {
            auto it = registers_.others.find(selector);
            *length =
                it == registers_.others.end() ? 0 : static_cast<std::uint32_t>(it->second.size());
        }
    }
    return kOk;
}

HResult Firmware::Read(std::uint8_t selector, std::vector<std::uint8_t>* reply) {
    std::uint32_t length = 0;
    const HResult known = ReplyLength(selector, &length);
    if (Failed(known)) return known;
    if (reply == nullptr) return kPointer;

    switch (selector) {
        case kSelectorVolume:
            reply->assign(registers_.volume.begin(), registers_.volume.end());
            break;
        case kSelectorColor:
            reply->assign(registers_.color.begin(), registers_.color.end());
            break;
        case kSelectorQuality:
            reply->assign(1, registers_.quality);
            break;
        case kSelectorClock: {
            const auto clock = CurrentClock();
            reply->assign(clock.begin(), clock.end());
            break;
        }
        default:
            *reply = registers_.others[selector];
            break;
    }
    reply->resize(length, 0);
    return kOk;
}

HResult Firmware::Write(std::uint8_t selector, const std::uint8_t* data, std::uint32_t length) {
    const ControlInfo* control = FindControl(selector);
    if (control == nullptr || !control->writable) return kNotFound;
    if (length != control->length || data == nullptr) return kInvalidArgument;

    switch (selector) {
        case kSelectorVolumeItem:
        case kSelectorColorItem: {
            // Items land only when the closing write arrives; an index the unit doesn't
            // have is refused straight away.
            const std::size_t items = selector == kSelectorVolumeItem ? registers_.volume.size()
                                                                      : registers_.color.size();
            if (data[0] >= items) return kInvalidArgument;
            pending_.push_back({selector, {data[0], data[1]}});
            return kOk;
        }
        case kSelectorFinish:
            for (const auto& [itemSelector, item] : pending_) {
                if (itemSelector == kSelectorVolumeItem) {
                    registers_.volume[item[0]] = item[1];
                } else {
                    registers_.color[item[0]] = item[1];
                }
            }
            pending_.clear();
            ++registers_.finishCount;
            return kOk;
        case kSelectorQuality:
            registers_.quality = data[0];
            return kOk;
        case kSelectorClock:
            std::copy(data, data + 6, registers_.clock.begin());
            clockSetAt_ = now_();
            return kOk;
        default:
            registers_.others[selector].assign(data, data + length);
            return kOk;
    }
}

FirmwareRegisters& Firmware::registers() {
    return registers_;
}
const FirmwareRegisters& Firmware::registers() const {
    return registers_;
}
std::size_t Firmware::PendingItemWrites() const {
    return pending_.size();
}

bool Firmware::Save(const std::string& path) const {
    // Written beside the file and then moved over it, so that a reader in another process
    // (the next run, a test) never sees half a file, and a failed save leaves the last
    // good one in place.
    const std::string staged = path + ".new";
    {
        std::ofstream out(staged, std::ios::trunc);
        if (!out) return false;
        const auto clock = CurrentClock();
        out << kFileHeader << '\n';
        out << "quality " << unsigned{registers_.quality} << '\n';
        out << "color " << BytesToText(registers_.color.data(), registers_.color.size()) << '\n';
        out << "volume " << BytesToText(registers_.volume.data(), registers_.volume.size()) << '\n';
        out << "clock " << BytesToText(clock.data(), clock.size()) << '\n';
        out << "clock-running " << (clockSetAt_ ? 1 : 0) << '\n';
        out << "finish-count " << registers_.finishCount << '\n';
        for (const auto& [selector, bytes] : registers_.others) {
            out << "register " << unsigned{selector};
            if (!bytes.empty()) out << ' ' << BytesToText(bytes.data(), bytes.size());
            out << '\n';
        }
        out.close();
        if (!out) {
            std::remove(staged.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(staged, path, error);
    if (error) std::remove(staged.c_str());
    return !error;
}

bool Firmware::Load(const std::string& path) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    if (!std::getline(in, line) || line != kFileHeader) return false;

    // Parsed into a copy so that a damaged file leaves the firmware as it was.
    FirmwareRegisters loaded = registers_;
    bool running = false;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "quality") {
            std::array<std::uint8_t, 1> quality{};
            if (!ReadFixed(fields, &quality)) return false;
            loaded.quality = quality[0];
        } else if (key == "color") {
            if (!ReadFixed(fields, &loaded.color)) return false;
        } else if (key == "volume") {
            if (!ReadFixed(fields, &loaded.volume)) return false;
        } else if (key == "clock") {
            if (!ReadFixed(fields, &loaded.clock)) return false;
        } else if (key == "clock-running") {
            int flag = 0;
            if (!(fields >> flag)) return false;
            running = flag != 0;
        } else if (key == "finish-count") {
            if (!(fields >> loaded.finishCount)) return false;
        } else if (key == "register") {
            unsigned selector = 0;
            std::vector<std::uint8_t> bytes;
            if (!(fields >> selector) || selector > 255 || !ReadBytes(fields, &bytes)) return false;
            loaded.others[static_cast<std::uint8_t>(selector)] = std::move(bytes);
        } else {
            return false;
        }
    }
    registers_ = std::move(loaded);
    pending_.clear();
    // A clock that was running when saved keeps running from the time it showed then.
    if (running) {
        clockSetAt_ = now_();
    } else {
        clockSetAt_.reset();
    }
    return true;
}

}  // namespace tamsel::sim
