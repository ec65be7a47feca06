#pragma once
// Reads a compiled dialog template (DLGTEMPLATEEX, as the resource compiler writes a
// DIALOGEX) back into plain fields, so tests can compare the .rc file's dialogs with the
// C++ table control by control.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamsel::win32::test {

// A name-or-ordinal field of a template: a class, a title, a menu.
struct NameOrOrdinal {
    std::wstring name;
    std::optional<std::uint16_t> ordinal;
};

struct ControlResource {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::int32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
};

struct DialogResource {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::wstring fontFace;
    std::vector<ControlResource> controls;
};

// False when the bytes aren't an extended dialog template or run short.
bool ParseDialogTemplateEx(const void* data, std::size_t size, DialogResource* dialog);

// The class a predefined ordinal stands for ("Button" for 0x80, ...); the name otherwise.
std::wstring ClassName(const NameOrOrdinal& windowClass);

// The bytes of one resource of `module`, or an empty view when it's missing.
struct ResourceBytes {
    const void* data = nullptr;
    std::size_t size = 0;
};
ResourceBytes FindResourceBytes(HMODULE module, const wchar_t* type, int id);

}  // namespace tamsel::win32::test
