#include "device/device_settings.h"

namespace tamsel {

DeviceSettings& TheDeviceSettings() {
    // Built on first use and kept until exit: the bound filter must outlive every
    // command, and the dialog, the clock and the command set all share this one record.
    static DeviceSettings settings;
    return settings;
}

}  // namespace tamsel
