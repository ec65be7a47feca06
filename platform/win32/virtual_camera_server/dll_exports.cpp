// The four entry points of an in-process COM server, plus DllMain to learn our path.

#include <objbase.h>
#include <windows.h>

#include <string>

#include "platform/win32/virtual_camera_server/class_factory.h"
#include "platform/win32/virtual_camera_server/server_module.h"
#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"

using namespace tamsel::win32;

namespace {

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(ServerModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetServerModule(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, kVirtualCameraClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return TheCameraFilterFactory().QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() {
    return ServerCanUnload() ? S_OK : S_FALSE;
}

// regsvr32 passes nothing, so the camera's name and state directory come from the
// environment; without them the camera is "Tamsel Virtual Camera" and keeps its state
// in %TEMP%\TamselVirtualCamera.
STDAPI DllRegisterServer() {
    const std::wstring path = OwnPath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = RegisterVirtualCameraClass(path);
    if (FAILED(hr)) return hr;

    CameraEntry entry;
    const std::wstring name = EnvironmentValue(kNameEnvironmentVariable);
    if (!name.empty()) entry.friendlyName = name;
    entry.stateDirectory = EnvironmentValue(kStateDirectoryEnvironmentVariable);
    return RegisterCameraEntry(entry);
}

STDAPI DllUnregisterServer() {
    const HRESULT entries = UnregisterAllCameraEntries();
    const HRESULT server = UnregisterVirtualCameraClass();
    return FAILED(entries) ? entries : server;
}
