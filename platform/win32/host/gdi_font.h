#pragma once
// An HFONT that is deleted when its owner goes, so a control's font lives exactly as long
// as the dialog object that created it.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tamsel::win32 {

struct FontDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// A font given in tenths of a point, as the class library's point fonts are: the
// character height for the screen's vertical resolution, every other attribute default.
// Null when it can't be created.
UniqueFont CreatePointFont(int pointTenths, const wchar_t* face);

// The character height CreatePointFont asks for at `dotsPerInch` (negative: a character
// height, not a cell height), rounded to the nearest pixel.
int PointFontHeight(int pointTenths, int dotsPerInch);

}  // namespace tamsel::win32
