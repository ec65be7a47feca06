#pragma once
// The camera's faults as a small text file in its state directory, so that a test can
// unplug the camera or make one call fail while a program has it bound. One fault per
// line, key=value:
//   unplugged=1                every call fails with "device not connected"
//   fail-call=N                the Nth driver call after the file was written fails...
//   fail-result=0x8007001F     ...with this result (default: "general failure")
//   no-topology=1              the filter gives no IKsTopologyInfo
//   no-control=1               no node control can be created
//   no-node-count=1            the node count can't be read
//   probe-reports-nothing=1    a size probe fails and reports no length
//   short-reply=S:L            selector S reports L bytes instead of its length (repeatable)
// A missing file means no faults. Unknown keys are ignored so older files keep working.

#include <string>

#include "sim/virtual_camera.h"

namespace tamsel::win32 {

inline constexpr wchar_t kFaultsFile[] = L"faults.txt";

std::string FaultsToText(const sim::Faults& faults);
// False when a known key carries a value that can't be read; the faults read so far stay.
bool FaultsFromText(const std::string& text, sim::Faults* faults);

}  // namespace tamsel::win32
