#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"

#include <objbase.h>
#include <uuids.h>

#include <vector>

#include "platform/win32/virtual_camera_server/registry_key.h"

namespace tamsel::win32 {
namespace {

constexpr wchar_t kThreadingModel[] = L"Both";
constexpr wchar_t kClassDescription[] = L"Tamsel Virtual Camera";

std::wstring ClassKeyPath() {
    return L"CLSID\\" + GuidToRegistryString(kVirtualCameraClsid);
}

std::wstring CategoryInstancePath() {
    return L"CLSID\\" + GuidToRegistryString(CLSID_VideoInputDeviceCategory) + L"\\Instance";
}

HRESULT FromStatus(LSTATUS status) {
    return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

HRESULT SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return FromStatus(
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

HRESULT SetDword(HKEY key, const wchar_t* name, DWORD value) {
    return FromStatus(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof(value)));
}

HRESULT CreateKey(HKEY parent, const std::wstring& path, RegistryKey* key) {
    return FromStatus(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, key->Receive(), nullptr));
}

// A missing key counts as deleted.
HRESULT DeleteTree(HKEY parent, const std::wstring& path) {
    const LSTATUS status = RegDeleteTreeW(parent, path.c_str());
    if (status == ERROR_FILE_NOT_FOUND) return S_OK;
    if (status != ERROR_SUCCESS) return FromStatus(status);
    // RegDeleteTree leaves the key itself on some systems; remove it too.
    const LSTATUS removed = RegDeleteKeyW(parent, path.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(removed);
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring* value) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS) {
        return false;
    }
    value->assign(buffer.data());
    return true;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::wstring GuidToRegistryString(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(written < size ? written : 0);
    return value;
}

HRESULT RegisterVirtualCameraClass(const std::wstring& dllPath) {
    RegistryKey classKey;
    HRESULT hr = CreateKey(HKEY_CLASSES_ROOT, ClassKeyPath(), &classKey);
    if (FAILED(hr)) return hr;
    hr = SetString(classKey.get(), nullptr, kClassDescription);
    if (FAILED(hr)) return hr;

    RegistryKey serverKey;
    hr = CreateKey(classKey.get(), L"InprocServer32", &serverKey);
    if (FAILED(hr)) return hr;
    hr = SetString(serverKey.get(), nullptr, dllPath);
    if (FAILED(hr)) return hr;
    return SetString(serverKey.get(), L"ThreadingModel", kThreadingModel);
}

HRESULT UnregisterVirtualCameraClass() {
    return DeleteTree(HKEY_CLASSES_ROOT, ClassKeyPath());
}

HRESULT RegisterCameraEntry(const CameraEntry& entry) {
    if (entry.instanceKey.empty() || entry.instanceKey.find(L'\\') != std::wstring::npos) {
        return E_INVALIDARG;
    }
    const std::wstring path = CategoryInstancePath() + L"\\" + entry.instanceKey;
    HRESULT hr = DeleteTree(HKEY_CLASSES_ROOT, path);
    if (FAILED(hr)) return hr;

    RegistryKey key;
    hr = CreateKey(HKEY_CLASSES_ROOT, path, &key);
    if (FAILED(hr)) return hr;
    hr = SetString(key.get(), kClsidValue, GuidToRegistryString(kVirtualCameraClsid));
    if (SUCCEEDED(hr) && entry.friendlyName) {
        hr = SetString(key.get(), kFriendlyNameValue, *entry.friendlyName);
    }
    if (SUCCEEDED(hr) && !entry.stateDirectory.empty()) {
        hr = SetString(key.get(), kStateDirectoryValue, entry.stateDirectory);
    }
    if (SUCCEEDED(hr) && entry.nodeCount)
        hr = SetDword(key.get(), kNodeCountValue, *entry.nodeCount);
    if (SUCCEEDED(hr) && entry.extensionUnitNodes) {
        hr = SetString(key.get(), kExtensionUnitNodesValue, *entry.extensionUnitNodes);
    }
    return hr;
}

HRESULT UnregisterCameraEntry(const std::wstring& instanceKey) {
    if (instanceKey.empty()) return E_INVALIDARG;
    return DeleteTree(HKEY_CLASSES_ROOT, CategoryInstancePath() + L"\\" + instanceKey);
}

HRESULT UnregisterAllCameraEntries() {
    RegistryKey instances;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, CategoryInstancePath().c_str(), 0,
                                         KEY_READ, instances.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
    if (opened != ERROR_SUCCESS) return FromStatus(opened);

    // Collect first: deleting while enumerating shifts the indexes.
    const std::wstring ourClsid = GuidToRegistryString(kVirtualCameraClsid);
    std::vector<std::wstring> ours;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD length = 256;
        if (RegEnumKeyExW(instances.get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        RegistryKey entry;
        if (RegOpenKeyExW(instances.get(), name, 0, KEY_READ, entry.Receive()) != ERROR_SUCCESS) {
            continue;
        }
        std::wstring clsid;
        const bool hasClsid = ReadString(entry.get(), kClsidValue, &clsid);
        if ((hasClsid && _wcsicmp(clsid.c_str(), ourClsid.c_str()) == 0) ||
            StartsWith(name, kDefaultVirtualCameraInstanceKey)) {
            ours.emplace_back(name);
        }
    }
    HRESULT result = S_OK;
    for (const std::wstring& name : ours) {
        const HRESULT hr = UnregisterCameraEntry(name);
        if (FAILED(hr)) result = hr;
    }
    return result;
}

}  // namespace tamsel::win32
