#include "platform/win32/virtual_camera_server/faults_file.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace tamsel::win32 {
namespace {

bool ParseNumber(const std::string& text, unsigned long long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    *value = std::strtoull(text.c_str(), &end, 0);
    return end != nullptr && *end == '\0';
}

bool ParseFlag(const std::string& text, bool* flag) {
    unsigned long long value = 0;
    if (!ParseNumber(text, &value) || value > 1) return false;
    *flag = value == 1;
    return true;
}

}  // namespace

std::string FaultsToText(const sim::Faults& faults) {
    std::ostringstream text;
    if (faults.unplugged) text << "unplugged=1\n";
    if (faults.failCallNumber > 0) {
        char result[16];
        std::snprintf(result, sizeof result, "0x%08X", static_cast<unsigned>(faults.failResult));
        text << "fail-call=" << faults.failCallNumber << "\nfail-result=" << result << "\n";
    }
    if (faults.noTopology) text << "no-topology=1\n";
    if (faults.noControl) text << "no-control=1\n";
    if (faults.noNodeCount) text << "no-node-count=1\n";
    if (faults.probeReportsNothing) text << "probe-reports-nothing=1\n";
    for (const auto& [selector, length] : faults.shortReply) {
        text << "short-reply=" << static_cast<unsigned>(selector) << ":" << length << "\n";
    }
    return text.str();
}

bool FaultsFromText(const std::string& text, sim::Faults* faults) {
    std::istringstream lines(text);
    std::string line;
    bool ok = true;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (line.empty() || equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        unsigned long long number = 0;
        if (key == "unplugged") {
            ok = ParseFlag(value, &faults->unplugged) && ok;
        } else if (key == "fail-call") {
            if (ParseNumber(value, &number) && number <= 0x7FFFFFFF) {
                faults->failCallNumber = static_cast<int>(number);
            } else {
                ok = false;
            }
        } else if (key == "fail-result") {
            if (ParseNumber(value, &number) && number <= 0xFFFFFFFF) {
                faults->failResult = static_cast<HResult>(static_cast<std::uint32_t>(number));
            } else {
                ok = false;
            }
        } else if (key == "no-topology") {
            ok = ParseFlag(value, &faults->noTopology) && ok;
        } else if (key == "no-control") {
            ok = ParseFlag(value, &faults->noControl) && ok;
        } else if (key == "no-node-count") {
            ok = ParseFlag(value, &faults->noNodeCount) && ok;
        } else if (key == "probe-reports-nothing") {
            ok = ParseFlag(value, &faults->probeReportsNothing) && ok;
        } else if (key == "short-reply") {
            const auto colon = value.find(':');
            unsigned long long selector = 0;
            if (colon != std::string::npos && ParseNumber(value.substr(0, colon), &selector) &&
                selector <= 0xFF && ParseNumber(value.substr(colon + 1), &number) &&
                number <= 0xFFFFFFFF) {
                faults->shortReply[static_cast<std::uint8_t>(selector)] =
                    static_cast<std::uint32_t>(number);
            } else {
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace tamsel::win32
