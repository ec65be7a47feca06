#include "platform/win32/host/gdi_font.h"

#include <cwchar>

namespace tamsel::win32 {

int PointFontHeight(int pointTenths, int dotsPerInch) {
    // 720 tenths of a point make an inch; MulDiv rounds to the nearest pixel.
    return -::MulDiv(pointTenths, dotsPerInch, 720);
}

UniqueFont CreatePointFont(int pointTenths, const wchar_t* face) {
    // With no device context of its own the point size is measured on the screen. The
    // program is DPI-aware, so this is the screen's true resolution.
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return UniqueFont();
    const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);

    LOGFONTW logFont{};
    logFont.lfHeight = PointFontHeight(pointTenths, dotsPerInch);
    logFont.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&logFont));
}

}  // namespace tamsel::win32
