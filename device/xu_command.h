#pragma once
// The camera vendor's command set: operation codes 1 to 23, each one control selector
// of the extension unit with a fixed payload. The table in xu_command_table.h is the
// single source of selectors, lengths and layouts; encode and decode read from it.

#include <cstdint>
#include <string>

namespace tamsel {

enum XuOp : int {
    XU_SET_DATETIME = 16,
    XU_SET_QUALITY = 17,
    XU_SET_FINISH = 18,
    XU_SET_VOLUME_ITEM = 19,
    XU_SET_COLOR_ITEM = 20,
    XU_GET_VOLUME = 21,
    XU_GET_COLOR = 22,
    XU_GET_QUALITY = 23,
};

// True with the selector for codes 1 to 23; false (selector untouched) otherwise.
bool XuSelectorForOp(int op, std::uint8_t* selector);

// One write through TheDeviceSettings().filter. Returns the transport's HRESULT, or 1
// for a refused code or a get code (no traffic then).
int XuSetCommand(int op, int argument);

// One read. Codes 21 to 23 store into TheDeviceSettings(); 2, 4, 6, 8, 11, 12, 14, 15
// write *value; 9 replaces *text. A set code costs one read and returns 1.
// value and text may be null when the caller doesn't want them.
int XuGetCommand(int op, int* value, std::string* text);

}  // namespace tamsel
