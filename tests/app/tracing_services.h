#pragma once
// Services that write what they are asked into the headless host's record, so one list
// shows the dialog's calls, the Device.ini reads, discovery and the camera traffic in the
// order they happened.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/platform_seams.h"
#include "device/device_list_seam.h"
#include "device/ks_seam.h"
#include "device/xu_transport.h"
#include "ui/headless_host.h"

namespace tamsel::test {

inline std::string ResultText(HResult result) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(result));
    return buffer;
}

inline std::string BytesText(const std::uint8_t* data, std::uint32_t length) {
    std::string text;
    for (std::uint32_t i = 0; i < length; ++i) {
        if (!text.empty()) text += ' ';
        text += std::to_string(data[i]);
    }
    return text;
}

class TracingControl final : public KsControl {
  public:
    TracingControl(std::unique_ptr<KsControl> inner, ui::HeadlessHost& host)
        : inner_(std::move(inner)), host_(host) {}

    HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength, std::uint8_t* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
        KspNode node;
        const bool parsed = ParseKspNode(request, requestLength, &node);
        const bool isSet = parsed && (node.flags & kKsPropertyTypeSet) != 0;
        std::string line = "camera: ";
        line += data == nullptr ? "probe" : (isSet ? "set" : "get");
        line += " selector " + std::to_string(parsed ? node.propertyId : 0);
        if (isSet && data != nullptr) line += " [" + BytesText(data, dataLength) + "]";
        const HResult result =
            inner_->KsProperty(request, requestLength, data, dataLength, bytesReturned);
        if (!isSet && data != nullptr && bytesReturned != nullptr) {
            line += " -> [" + BytesText(data, std::min(*bytesReturned, dataLength)) + "]";
        }
        host_.Note(line + " " + ResultText(result));
        return result;
    }

  private:
    std::unique_ptr<KsControl> inner_;
    ui::HeadlessHost& host_;
};

class TracingTopology final : public KsTopology {
  public:
    TracingTopology(std::unique_ptr<KsTopology> inner, ui::HeadlessHost& host)
        : inner_(std::move(inner)), host_(host) {}
    HResult GetNumNodes(std::uint32_t* count) override { return inner_->GetNumNodes(count); }
    HResult GetNodeType(std::uint32_t index, Guid* nodeType) override {
        return inner_->GetNodeType(index, nodeType);
    }
    HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) override {
        std::unique_ptr<KsControl> inner;
        const HResult result = inner_->CreateNodeControl(index, &inner);
        if (inner) *control = std::make_unique<TracingControl>(std::move(inner), host_);
        return result;
    }

  private:
    std::unique_ptr<KsTopology> inner_;
    ui::HeadlessHost& host_;
};

class TracingFilter final : public KsFilter {
  public:
    TracingFilter(std::unique_ptr<KsFilter> inner, ui::HeadlessHost& host)
        : inner_(std::move(inner)), host_(host) {}
    HResult QueryTopology(std::unique_ptr<KsTopology>* topology) override {
        std::unique_ptr<KsTopology> inner;
        const HResult result = inner_->QueryTopology(&inner);
        if (inner) *topology = std::make_unique<TracingTopology>(std::move(inner), host_);
        return result;
    }

  private:
    std::unique_ptr<KsFilter> inner_;
    ui::HeadlessHost& host_;
};

class TracingDevice final : public CaptureDevice {
  public:
    TracingDevice(std::unique_ptr<CaptureDevice> inner, ui::HeadlessHost& host)
        : inner_(std::move(inner)), host_(host) {}
    HResult ReadFriendlyName(std::wstring* friendlyName) override {
        const HResult result = inner_->ReadFriendlyName(friendlyName);
        host_.Note("devices: friendly name \"" + ui::RecordText(*friendlyName) + "\" " +
                   ResultText(result));
        return result;
    }
    HResult BindFilter(std::unique_ptr<KsFilter>* filter) override {
        std::unique_ptr<KsFilter> inner;
        const HResult result = inner_->BindFilter(&inner);
        host_.Note("devices: bind " + ResultText(result));
        if (inner) *filter = std::make_unique<TracingFilter>(std::move(inner), host_);
        return result;
    }

  private:
    std::unique_ptr<CaptureDevice> inner_;
    ui::HeadlessHost& host_;
};

class TracingEnumerator final : public CaptureDeviceEnumerator {
  public:
    TracingEnumerator(std::unique_ptr<CaptureDeviceEnumerator> inner, ui::HeadlessHost& host)
        : inner_(std::move(inner)), host_(host) {}
    HResult Next(std::unique_ptr<CaptureDevice>* device) override {
        std::unique_ptr<CaptureDevice> inner;
        const HResult result = inner_->Next(&inner);
        if (inner) *device = std::make_unique<TracingDevice>(std::move(inner), host_);
        return result;
    }

  private:
    std::unique_ptr<CaptureDeviceEnumerator> inner_;
    ui::HeadlessHost& host_;
};

class TracingDeviceSource final : public CaptureDeviceSource {
  public:
    TracingDeviceSource(CaptureDeviceSource& inner, ui::HeadlessHost& host)
        : inner_(inner), host_(host) {}
    HResult EnumerateVideoInputDevices(std::unique_ptr<CaptureDeviceEnumerator>* devices) override {
        std::unique_ptr<CaptureDeviceEnumerator> inner;
        const HResult result = inner_.EnumerateVideoInputDevices(&inner);
        host_.Note("devices: enumerate video inputs " + ResultText(result));
        if (inner) *devices = std::make_unique<TracingEnumerator>(std::move(inner), host_);
        return result;
    }

  private:
    CaptureDeviceSource& inner_;
    ui::HeadlessHost& host_;
};

class TracingProfileReader final : public ProfileReader {
  public:
    TracingProfileReader(ProfileReader& inner, ui::HeadlessHost& host)
        : inner_(inner), host_(host) {}
    std::wstring GetString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t bufferChars,
                           const std::wstring& path) override {
        std::wstring value = inner_.GetString(section, key, defaultValue, bufferChars, path);
        host_.Note("profile: string [" + ui::RecordText(section) + "] " + ui::RecordText(key) +
                   " default \"" + ui::RecordText(defaultValue) + "\" buffer " +
                   std::to_string(bufferChars) + " -> \"" + ui::RecordText(value) + "\"");
        return value;
    }
    int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
               const std::wstring& path) override {
        const int value = inner_.GetInt(section, key, defaultValue, path);
        host_.Note("profile: int [" + ui::RecordText(section) + "] " + ui::RecordText(key) +
                   " default " + std::to_string(defaultValue) + " -> " + std::to_string(value));
        return value;
    }

  private:
    ProfileReader& inner_;
    ui::HeadlessHost& host_;
};

}  // namespace tamsel::test
