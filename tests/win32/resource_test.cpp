// The compiled resources of Tamsel.exe: the dialog templates against the C++ table that
// the other front end is built from, the About item's string, the icon's images, the
// version resource and the manifest. The executable is loaded as a data file, so what is
// checked is what ships.

// ui/control_ids.h names IDOK and IDCANCEL as constants, which windows.h defines as
// macros: the portable headers come first.
// clang-format off
#include "ui/control_ids.h"
#include "ui/dialog_templates.h"
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/win32/app/win32_version_source.h"
#include "tests/win32/dialog_resource_reader.h"
#include "tests/win32/test_paths.h"

namespace tamsel::win32::test {
namespace {

constexpr std::uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

const wchar_t* ExpectedClass(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::PushButton:
        case ui::ControlKind::DefaultPushButton:
        case ui::ControlKind::GroupBox:
        case ui::ControlKind::AutoRadioButton:
        case ui::ControlKind::AutoCheckBox:
            return L"button";
        case ui::ControlKind::Label:
        case ui::ControlKind::Icon:
            return L"static";
        case ui::ControlKind::Trackbar:
            return L"msctls_trackbar32";
        case ui::ControlKind::Edit:
            return L"edit";
    }
    return L"?";
}

// The type bits a kind of control must carry; the table's style must agree with its kind.
bool StyleMatchesKind(ui::ControlKind kind, std::uint32_t style) {
    const std::uint32_t buttonType = style & BS_TYPEMASK;
    const std::uint32_t staticType = style & SS_TYPEMASK;
    switch (kind) {
        case ui::ControlKind::PushButton:
            return buttonType == BS_PUSHBUTTON;
        case ui::ControlKind::DefaultPushButton:
            return buttonType == BS_DEFPUSHBUTTON;
        case ui::ControlKind::GroupBox:
            return buttonType == BS_GROUPBOX;
        case ui::ControlKind::AutoRadioButton:
            return buttonType == BS_AUTORADIOBUTTON;
        case ui::ControlKind::AutoCheckBox:
            return buttonType == BS_AUTOCHECKBOX;
        case ui::ControlKind::Label:
            return staticType == SS_LEFT || staticType == SS_RIGHT;
        case ui::ControlKind::Icon:
            return staticType == SS_ICON;
        case ui::ControlKind::Trackbar:
        case ui::ControlKind::Edit:
            return true;
    }
    return false;
}

class ShippedExecutable : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = ::LoadLibraryExW(kTamselExePath, nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "can't load " << Narrow(kTamselExePath);
    }
    void TearDown() override {
        if (module_ != nullptr) ::FreeLibrary(module_);
    }
    static std::string Narrow(const std::wstring& text) {
        return std::string(text.begin(), text.end());
    }

    HMODULE module_ = nullptr;
};

class DialogTemplateResource : public ShippedExecutable,
                               public ::testing::WithParamInterface<int> {};

TEST_P(DialogTemplateResource, AgreesWithTheTableControlByControl) {
    const ui::DialogTemplate* table = ui::FindDialogTemplate(GetParam());
    ASSERT_NE(table, nullptr);
    const ResourceBytes bytes =
        FindResourceBytes(module_, MAKEINTRESOURCEW(5) /* RT_DIALOG */, GetParam());
    ASSERT_NE(bytes.data, nullptr) << "no dialog " << GetParam() << " in Tamsel.exe";
    DialogResource rc;
    ASSERT_TRUE(ParseDialogTemplateEx(bytes.data, bytes.size, &rc));

    EXPECT_EQ(rc.title, table->caption);
    EXPECT_EQ(rc.x, 0);
    EXPECT_EQ(rc.y, 0);
    EXPECT_EQ(rc.width, table->width);
    EXPECT_EQ(rc.height, table->height);
    EXPECT_EQ(rc.fontFace, table->fontFace);
    EXPECT_EQ(rc.pointSize, table->fontPointSize);
    EXPECT_EQ(rc.style, table->style);
    EXPECT_EQ(rc.exStyle, table->exStyle);
    EXPECT_TRUE(rc.menu.name.empty() && !rc.menu.ordinal);
    EXPECT_TRUE(rc.windowClass.name.empty() && !rc.windowClass.ordinal);

    ASSERT_EQ(rc.controls.size(), table->controls.size());
    for (std::size_t i = 0; i < rc.controls.size(); ++i) {
        const ControlResource& got = rc.controls[i];
        const ui::ControlTemplate& want = table->controls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(Lower(ClassName(got.windowClass)), ExpectedClass(want.kind));
        EXPECT_TRUE(StyleMatchesKind(want.kind, want.style)) << "the table's style and kind differ";
        EXPECT_EQ(got.style, want.style | kChildVisible)
            << std::hex << got.style << " vs " << (want.style | kChildVisible);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.width, want.width);
        EXPECT_EQ(got.height, want.height);
        if (want.kind == ui::ControlKind::Icon) {
            ASSERT_TRUE(got.title.ordinal.has_value())
                << "an icon control names its icon by number";
            EXPECT_EQ(*got.title.ordinal, want.iconId);
        } else {
            EXPECT_FALSE(got.title.ordinal.has_value());
            EXPECT_EQ(got.title.name, want.caption);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MainAndAbout, DialogTemplateResource,
                         ::testing::Values(ui::IDD_TAMSEL_DIALOG, ui::IDD_ABOUTBOX),
                         [](const auto& param) {
                             return param.param == ui::IDD_TAMSEL_DIALOG ? std::string("Main")
                                                                         : std::string("About");
                         });

TEST_F(ShippedExecutable, AboutItemStringIsInTheStringTable) {
    wchar_t text[64] = {};
    const int length = ::LoadStringW(module_, ui::IDS_ABOUTBOX, text, 64);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)), L"&About Tamsel...");
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

TEST_F(ShippedExecutable, IconHasEverySizeInEveryDepthAndA256PixelPng) {
    const ResourceBytes group =
        FindResourceBytes(module_, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, ui::IDR_MAINFRAME);
    ASSERT_NE(group.data, nullptr);
    const auto* header = static_cast<const WORD*>(group.data);
    ASSERT_EQ(header[1], 1) << "an icon group";
    const WORD count = header[2];
    ASSERT_EQ(group.size, 6u + count * sizeof(GroupIconEntry));
    const auto* entries =
        reinterpret_cast<const GroupIconEntry*>(static_cast<const BYTE*>(group.data) + 6);

    struct Wanted {
        int size;
        int bits;
        bool png;
        bool found = false;
    };
    std::vector<Wanted> wanted;
    for (int size : {16, 24, 32, 48}) {
        for (int bits : {4, 8, 32}) wanted.push_back({size, bits, false});
    }
    wanted.push_back({256, 32, true});

    for (WORD i = 0; i < count; ++i) {
        const GroupIconEntry& entry = entries[i];
        const int size = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE("image " + std::to_string(size) + " px, " + std::to_string(entry.bitCount) +
                     " bit");
        EXPECT_EQ(entry.width, entry.height);
        const ResourceBytes image =
            FindResourceBytes(module_, MAKEINTRESOURCEW(3) /* RT_ICON */, entry.id);
        ASSERT_NE(image.data, nullptr);
        ASSERT_EQ(image.size, entry.bytesInResource);
        const auto* bytes = static_cast<const BYTE*>(image.data);
        const bool png = image.size > 24 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0;
        if (png) {
            // IHDR: width and height big-endian at 16 and 20, bit depth 8 with colour type
            // 6 (RGBA) is 32-bit colour.
            const auto bigEndian = [&](int at) {
                return (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) |
                       bytes[at + 3];
            };
            EXPECT_EQ(bigEndian(16), size);
            EXPECT_EQ(bigEndian(20), size);
            EXPECT_EQ(bytes[24], 8);
            EXPECT_EQ(bytes[25], 6);
        } else {
            const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
            EXPECT_EQ(info->biWidth, size);
            EXPECT_EQ(info->biHeight, 2 * size) << "colour bitmap and mask";
            EXPECT_EQ(info->biBitCount, entry.bitCount);
        }
        for (Wanted& w : wanted) {
            if (w.size == size && w.bits == entry.bitCount && w.png == png) w.found = true;
        }
    }
    EXPECT_EQ(count, wanted.size()) << "no images beyond the wanted ones";
    for (const Wanted& w : wanted) {
        EXPECT_TRUE(w.found) << w.size << " px " << w.bits << " bit" << (w.png ? " PNG" : "")
                             << " missing";
    }
}

TEST_F(ShippedExecutable, IconLoadsAtTheSizesWindowsAsksFor) {
    for (int size : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(module_, MAKEINTRESOURCEW(ui::IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour{};
        ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

std::wstring QueryString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!::VerQueryValueW(info.data(), path.c_str(), &value, &length) || value == nullptr) {
        return L"<missing>";
    }
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(VersionResource, FixedPartStringsAndTranslation) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(kTamselExePath, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(kTamselExePath, 0, size, info.data()));

    void* fixedData = nullptr;
    UINT fixedLength = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &fixedData, &fixedLength));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedData);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x40004u);
    EXPECT_EQ(fixed->dwFileType, 1u);

    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"Tamsel"},      {L"FileVersion", L"1.2.0.0"},
        {L"ProductVersion", L"1.2.0.0"},      {L"InternalName", L"Tamsel.exe"},
        {L"OriginalFilename", L"Tamsel.exe"},
    };
    for (const auto& s : strings) {
        EXPECT_EQ(QueryString(info, s.name), s.value)
            << std::string(s.name, s.name + wcslen(s.name));
    }
    for (const wchar_t* free : {L"CompanyName", L"LegalCopyright", L"ProductName"}) {
        EXPECT_NE(QueryString(info, free), L"<missing>");
    }

    void* translation = nullptr;
    UINT translationLength = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &translation,
                                 &translationLength));
    ASSERT_EQ(translationLength, 4u);
    EXPECT_EQ(static_cast<const WORD*>(translation)[0], 0x0409);
    EXPECT_EQ(static_cast<const WORD*>(translation)[1], 1200);
}

TEST(VersionResource, ReadThroughTheVersionSeam) {
    std::uint32_t ms = 0, ls = 0xFFFFFFFF;
    ASSERT_TRUE(ReadFileVersionOf(kTamselExePath, &ms, &ls));
    EXPECT_EQ(ms, 0x00010002u);
    EXPECT_EQ(ls, 0u);
}

TEST(VersionResource, FileWithoutVersionInformationIsReported) {
    std::uint32_t ms = 7, ls = 7;
    // A file that exists but has no version resource, and one that doesn't exist.
    const std::wstring readme = std::wstring(kSourceDir) + L"\\README.md";
    EXPECT_FALSE(ReadFileVersionOf(readme.c_str(), &ms, &ls));
    EXPECT_FALSE(ReadFileVersionOf(L"Z:\\no\\such\\file.exe", &ms, &ls));
    EXPECT_EQ(ms, 7u);
    EXPECT_EQ(ls, 7u);
}

TEST_F(ShippedExecutable, ManifestAsksForCommonControls6AsInvokerAndDpiAware) {
    const ResourceBytes manifest =
        FindResourceBytes(module_, MAKEINTRESOURCEW(24) /* RT_MANIFEST */, 1);
    ASSERT_NE(manifest.data, nullptr);
    const std::string text(static_cast<const char*>(manifest.data), manifest.size);
    // Find the common-controls dependency's element and its version inside it.
    const std::size_t controls = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    const std::size_t elementEnd = text.find("/>", controls);
    const std::size_t version = text.find("version=\"6.0.0.0\"", controls);
    EXPECT_TRUE(version != std::string::npos && version < elementEnd);
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

}  // namespace
}  // namespace tamsel::win32::test
