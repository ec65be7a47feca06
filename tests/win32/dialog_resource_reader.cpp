#include "tests/win32/dialog_resource_reader.h"

#include <cstring>

namespace tamsel::win32::test {
namespace {

class Cursor {
  public:
    Cursor(const void* data, std::size_t size)
        : begin_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Read() {
        T value{};
        if (offset_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, begin_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::wstring ReadString() {
        std::wstring text;
        for (;;) {
            const auto c = Read<std::uint16_t>();
            if (!ok_ || c == 0) return text;
            text.push_back(static_cast<wchar_t>(c));
        }
    }

    NameOrOrdinal ReadNameOrOrdinal() {
        NameOrOrdinal field;
        const std::size_t start = offset_;
        const auto first = Read<std::uint16_t>();
        if (!ok_ || first == 0x0000) return field;
        if (first == 0xFFFF) {
            field.ordinal = Read<std::uint16_t>();
            return field;
        }
        offset_ = start;
        field.name = ReadString();
        return field;
    }

    void Skip(std::size_t bytes) {
        if (offset_ + bytes > size_) ok_ = false;
        offset_ += bytes;
    }

    void AlignTo(std::size_t boundary) { offset_ = (offset_ + boundary - 1) / boundary * boundary; }

  private:
    const std::uint8_t* begin_;
    std::size_t size_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

}  // namespace

bool ParseDialogTemplateEx(const void* data, std::size_t size, DialogResource* dialog) {
    Cursor in(data, size);
    const auto version = in.Read<std::uint16_t>();
    const auto signature = in.Read<std::uint16_t>();
    if (!in.ok() || version != 1 || signature != 0xFFFF) return false;
    in.Read<std::uint32_t>();  // help id
    dialog->exStyle = in.Read<std::uint32_t>();
    dialog->style = in.Read<std::uint32_t>();
    const auto count = in.Read<std::uint16_t>();
    dialog->x = in.Read<std::int16_t>();
    dialog->y = in.Read<std::int16_t>();
    dialog->width = in.Read<std::int16_t>();
    dialog->height = in.Read<std::int16_t>();
    dialog->menu = in.ReadNameOrOrdinal();
    dialog->windowClass = in.ReadNameOrOrdinal();
    dialog->title = in.ReadString();
    if (dialog->style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog->pointSize = in.Read<std::uint16_t>();
        dialog->weight = in.Read<std::uint16_t>();
        dialog->italic = in.Read<std::uint8_t>() != 0;
        dialog->charset = in.Read<std::uint8_t>();
        dialog->fontFace = in.ReadString();
    }
    dialog->controls.clear();
    for (int i = 0; i < count && in.ok(); ++i) {
        in.AlignTo(4);
        ControlResource control;
        in.Read<std::uint32_t>();  // help id
        control.exStyle = in.Read<std::uint32_t>();
        control.style = in.Read<std::uint32_t>();
        control.x = in.Read<std::int16_t>();
        control.y = in.Read<std::int16_t>();
        control.width = in.Read<std::int16_t>();
        control.height = in.Read<std::int16_t>();
        control.id = in.Read<std::int32_t>();
        control.windowClass = in.ReadNameOrOrdinal();
        control.title = in.ReadNameOrOrdinal();
        const auto extra = in.Read<std::uint16_t>();
        in.Skip(extra);
        dialog->controls.push_back(control);
    }
    return in.ok();
}

std::wstring ClassName(const NameOrOrdinal& windowClass) {
    if (!windowClass.ordinal) return windowClass.name;
    switch (*windowClass.ordinal) {
        case 0x80:
            return L"Button";
        case 0x81:
            return L"Edit";
        case 0x82:
            return L"Static";
        case 0x83:
            return L"ListBox";
        case 0x84:
            return L"ScrollBar";
        case 0x85:
            return L"ComboBox";
        default:
            return L"#" + std::to_wstring(*windowClass.ordinal);
    }
}

ResourceBytes FindResourceBytes(HMODULE module, const wchar_t* type, int id) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    if (loaded == nullptr) return {};
    return {::LockResource(loaded), ::SizeofResource(module, found)};
}

}  // namespace tamsel::win32::test
