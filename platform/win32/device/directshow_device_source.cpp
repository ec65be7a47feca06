#include "platform/win32/device/directshow_device_source.h"

#include <dshow.h>
#include <objbase.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <utility>

#include "platform/win32/device/ks_com_adapters.h"
#include "platform/win32/device/variant_holder.h"

namespace tamsel::win32 {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kFriendlyNameProperty[] = L"FriendlyName";

// One entry of the category: an IMoniker.
class MonikerCaptureDevice final : public CaptureDevice {
  public:
    explicit MonikerCaptureDevice(ComPtr<IMoniker> moniker) : moniker_(std::move(moniker)) {}

    HResult ReadFriendlyName(std::wstring* friendlyName) override {
        if (friendlyName == nullptr) return kPointer;
        ComPtr<IPropertyBag> bag;
        HRESULT hr = moniker_->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                             reinterpret_cast<void**>(bag.GetAddressOf()));
        if (FAILED(hr)) return hr;
        if (!bag) return kNoInterface;

        VariantHolder name;
        hr = bag->Read(kFriendlyNameProperty, name.get(), nullptr);
        if (FAILED(hr)) return hr;
        // Only text counts as a name; anything else makes the device unreadable.
        if ((*name).vt != VT_BSTR) return kFail;
        const BSTR text = (*name).bstrVal;
        friendlyName->assign(text != nullptr ? text : L"",
                             text != nullptr ? SysStringLen(text) : 0);
        return kOk;
    }

    HResult BindFilter(std::unique_ptr<KsFilter>* filter) override {
        if (filter == nullptr) return kPointer;
        ComPtr<IBaseFilter> baseFilter;
        const HRESULT hr = moniker_->BindToObject(
            nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(baseFilter.GetAddressOf()));
        if (FAILED(hr)) return hr;
        if (!baseFilter) return kNoInterface;
        *filter = std::make_unique<ComKsFilter>(std::move(baseFilter));
        return hr;
    }

  private:
    ComPtr<IMoniker> moniker_;
};

// The category's IEnumMoniker.
class MonikerDeviceEnumerator final : public CaptureDeviceEnumerator {
  public:
    explicit MonikerDeviceEnumerator(ComPtr<IEnumMoniker> monikers)
        : monikers_(std::move(monikers)) {}

    HResult Next(std::unique_ptr<CaptureDevice>* device) override {
        if (device == nullptr) return kPointer;
        ComPtr<IMoniker> moniker;
        const HRESULT hr = monikers_->Next(1, moniker.GetAddressOf(), nullptr);
        if (hr != S_OK) return hr;
        // S_OK promises one moniker; an enumerator that breaks that promise ends the walk.
        if (!moniker) return kFail;
        *device = std::make_unique<MonikerCaptureDevice>(std::move(moniker));
        return hr;
    }

  private:
    ComPtr<IEnumMoniker> monikers_;
};

}  // namespace

HResult DirectShowDeviceSource::EnumerateVideoInputDevices(
    std::unique_ptr<CaptureDeviceEnumerator>* devices) {
    if (devices == nullptr) return kPointer;
    // The result is deliberately not looked at: an apartment already entered by the host
    // (S_FALSE, or RPC_E_CHANGED_MODE) still lets the enumeration below run.
    (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    ComPtr<IEnumMoniker> monikers;
    HRESULT hr;
    {
        ComPtr<ICreateDevEnum> deviceEnumerator;
        hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ICreateDevEnum,
                              reinterpret_cast<void**>(deviceEnumerator.GetAddressOf()));
        if (FAILED(hr)) return hr;
        if (!deviceEnumerator) return kNoInterface;
        hr = deviceEnumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory,
                                                     monikers.GetAddressOf(), 0);
        // The device enumerator is released here, as soon as the class enumerator exists.
    }
    if (FAILED(hr)) return hr;
    if (hr == S_FALSE || !monikers) return kFalse;  // an empty category
    *devices = std::make_unique<MonikerDeviceEnumerator>(std::move(monikers));
    return kOk;
}

}  // namespace tamsel::win32
