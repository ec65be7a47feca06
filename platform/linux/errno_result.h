#pragma once
// What a failed open or ioctl on a video node means to the rest of the program: the
// errno becomes the HRESULT a Windows kernel-streaming driver would have returned for
// the same situation, so the command set and the dialog see the same results on both.

#include <string>

#include "device/hresult.h"

namespace tamsel::linux_platform {

// The HRESULT for an errno (positive, as in errno itself). 0 gives kOk; an errno the
// table doesn't list gives kFail.
HResult HResultFromErrno(int error);

// A sentence for a person reading a log or a terminal: what the result means on Linux
// and what to do about it. The dialog never shows device results (they are only stored),
// so this is for the command-line tool and diagnostics output. Empty for kOk.
std::string ExplainDeviceResult(HResult result);

}  // namespace tamsel::linux_platform
