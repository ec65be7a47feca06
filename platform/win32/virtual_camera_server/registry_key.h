#pragma once
// An open registry key that closes itself.

#include <windows.h>

#include <utility>

namespace tamsel::win32 {

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() { Reset(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }

    HKEY get() const { return key_; }
    HKEY* Receive() {
        Reset();
        return &key_;
    }
    explicit operator bool() const { return key_ != nullptr; }

  private:
    void Reset() {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY key_ = nullptr;
};

}  // namespace tamsel::win32
