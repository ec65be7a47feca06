#pragma once
// A kernel object handle (file, process, thread) that closes itself.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tamsel::win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

}  // namespace tamsel::win32
