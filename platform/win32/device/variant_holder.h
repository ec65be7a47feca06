#pragma once
// A VARIANT that is initialised on construction and cleared on every way out.

#include <oleauto.h>

namespace tamsel::win32 {

class VariantHolder {
  public:
    VariantHolder() { VariantInit(&variant_); }
    ~VariantHolder() { VariantClear(&variant_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;

    VARIANT* get() { return &variant_; }
    const VARIANT& operator*() const { return variant_; }

  private:
    VARIANT variant_;
};

}  // namespace tamsel::win32
