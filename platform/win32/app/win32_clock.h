#pragma once
// The current time as local time, the way the class library's CTime reads it.

#include "app/platform_seams.h"

namespace tamsel::win32 {

class Win32Clock final : public Clock {
  public:
    bool Now(LocalTime* now) override;
};

}  // namespace tamsel::win32
