#pragma once
// Where the virtual camera lives in the registry, written once for the COM server's
// own DllRegisterServer and for the test fixture that registers cameras directly.
//
// A camera is two things, as a real capture device is to DirectShow:
//  - the COM class: HKCR\CLSID\{kVirtualCameraClsid}\InprocServer32 = the DLL path,
//    ThreadingModel "Both";
//  - a device entry in the video input device category, which the system device
//    enumerator lists: HKCR\CLSID\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\Instance\<key>
//    with the values FriendlyName (REG_SZ), CLSID (REG_SZ, the class above) and
//    StateDirectory (REG_SZ, where that camera keeps its firmware state and call log).
// Several entries may share the class; the enumerator lists them in key-name order.

#include <windows.h>

#include <optional>
#include <string>

namespace tamsel::win32 {

// {ABE8931D-20CA-4A45-9C54-6BB2D0D09D6E}
inline constexpr CLSID kVirtualCameraClsid = {
    0xABE8931D, 0x20CA, 0x4A45, {0x9C, 0x54, 0x6B, 0xB2, 0xD0, 0xD0, 0x9D, 0x6E}};

inline constexpr wchar_t kDefaultVirtualCameraName[] = L"Tamsel Virtual Camera";
inline constexpr wchar_t kDefaultVirtualCameraInstanceKey[] = L"TamselVirtualCamera";

// Values of a device entry, read back by the camera filter through its property bag.
inline constexpr wchar_t kFriendlyNameValue[] = L"FriendlyName";
inline constexpr wchar_t kClsidValue[] = L"CLSID";
inline constexpr wchar_t kStateDirectoryValue[] = L"StateDirectory";
// Optional shape of the camera's kernel-streaming topology: the node count (REG_DWORD)
// and the device-specific nodes as a comma-separated list of indexes (REG_SZ, may be "").
inline constexpr wchar_t kNodeCountValue[] = L"NodeCount";
inline constexpr wchar_t kExtensionUnitNodesValue[] = L"ExtensionUnitNodes";

// Read by DllRegisterServer (regsvr32 passes no arguments) and, for the state directory,
// by a camera filter created without a device entry.
inline constexpr wchar_t kNameEnvironmentVariable[] = L"TAMSEL_VIRTUAL_CAMERA_NAME";
inline constexpr wchar_t kStateDirectoryEnvironmentVariable[] = L"TAMSEL_VIRTUAL_CAMERA_STATE_DIR";

struct CameraEntry {
    std::wstring instanceKey = kDefaultVirtualCameraInstanceKey;
    // nullopt writes no FriendlyName value at all (an entry the enumerator can't name).
    std::optional<std::wstring> friendlyName = std::wstring(kDefaultVirtualCameraName);
    // Empty writes no StateDirectory value; the filter then falls back to the environment
    // variable and then to %TEMP%\TamselVirtualCamera.
    std::wstring stateDirectory;
    std::optional<DWORD> nodeCount;
    std::optional<std::wstring> extensionUnitNodes;
};

// The COM class with its server DLL. Idempotent.
HRESULT RegisterVirtualCameraClass(const std::wstring& dllPath);
HRESULT UnregisterVirtualCameraClass();

// One device entry under the video input category. Idempotent: an existing entry of the
// same key is replaced as a whole, so values left out now don't linger from before.
HRESULT RegisterCameraEntry(const CameraEntry& entry);
HRESULT UnregisterCameraEntry(const std::wstring& instanceKey);
// Every entry of the category whose CLSID value is the virtual camera's, or that has no
// CLSID at all and a key name starting with the default key (test leftovers).
HRESULT UnregisterAllCameraEntries();

std::wstring GuidToRegistryString(const GUID& guid);
// An environment variable's value; empty when it isn't set.
std::wstring EnvironmentValue(const wchar_t* name);

}  // namespace tamsel::win32
