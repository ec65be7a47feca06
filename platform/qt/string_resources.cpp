#include "platform/qt/string_resources.h"

#include "ui/control_ids.h"

namespace tamsel::qt {
namespace {

struct StringResource {
    int id;
    const wchar_t* text;
};

constexpr StringResource kStrings[] = {
    {ui::IDS_ABOUTBOX, L"&About Tamsel..."},
};

}  // namespace

std::wstring LoadStringResource(int id) {
    for (const StringResource& entry : kStrings) {
        if (entry.id == id) return entry.text;
    }
    return {};
}

}  // namespace tamsel::qt
