#pragma once
// Results are HRESULT-style signed 32-bit integers on every platform: 0 is success,
// negative is failure, and the command set uses 1 for a refused code or a camera
// that was not found. The names below are the only place these numbers appear.

#include <cstdint>

namespace tamsel {

using HResult = std::int32_t;

constexpr HResult HResultFromBits(std::uint32_t bits) { return static_cast<HResult>(bits); }

// HRESULT_FROM_WIN32: facility 7 with the failure bit, or the code itself when it is 0.
constexpr HResult HResultFromWin32(std::uint32_t win32Error) {
    return win32Error == 0 ? 0 : HResultFromBits((win32Error & 0xFFFFu) | 0x80070000u);
}

constexpr bool Succeeded(HResult hr) { return hr >= 0; }
constexpr bool Failed(HResult hr) { return hr < 0; }

constexpr HResult kOk = 0;     // S_OK
constexpr HResult kFalse = 1;  // S_FALSE; also "refused code" and "camera not found"
constexpr HResult kNotImplemented = HResultFromBits(0x80004001u);  // E_NOTIMPL
constexpr HResult kNoInterface = HResultFromBits(0x80004002u);     // E_NOINTERFACE
constexpr HResult kPointer = HResultFromBits(0x80004003u);         // E_POINTER
constexpr HResult kFail = HResultFromBits(0x80004005u);            // E_FAIL
constexpr HResult kUnexpected = HResultFromBits(0x8000FFFFu);      // E_UNEXPECTED
constexpr HResult kOutOfMemory = HResultFromBits(0x8007000Eu);     // E_OUTOFMEMORY
constexpr HResult kInvalidArgument = HResultFromBits(0x80070057u); // E_INVALIDARG

// Win32 errors that kernel-streaming drivers report, as HRESULTs.
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorGenFailure = 31;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorBusy = 170;
constexpr std::uint32_t kErrorMoreData = 234;
constexpr std::uint32_t kErrorDeviceNotConnected = 1167;
constexpr std::uint32_t kErrorNotFound = 1168;
constexpr std::uint32_t kErrorSetNotFound = 1170;
constexpr std::uint32_t kErrorNoSystemResources = 1450;

constexpr HResult kMoreData = HResultFromWin32(kErrorMoreData);
constexpr HResult kSetNotFound = HResultFromWin32(kErrorSetNotFound);
constexpr HResult kNotFound = HResultFromWin32(kErrorNotFound);
constexpr HResult kDeviceNotConnected = HResultFromWin32(kErrorDeviceNotConnected);
constexpr HResult kGenFailure = HResultFromWin32(kErrorGenFailure);
constexpr HResult kInsufficientBuffer = HResultFromWin32(kErrorInsufficientBuffer);
constexpr HResult kBusy = HResultFromWin32(kErrorBusy);
constexpr HResult kAccessDenied = HResultFromWin32(kErrorAccessDenied);
constexpr HResult kNoSystemResources = HResultFromWin32(kErrorNoSystemResources);

}  // namespace tamsel
