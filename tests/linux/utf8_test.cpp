// USB product strings and paths arrive as UTF-8 of any quality; names must still come out.

#include "platform/linux/utf8.h"

#include <gtest/gtest.h>

#include "app/text_decoding.h"

namespace tamsel::linux_platform {
namespace {

TEST(Utf8, DecodesAndReplacesWhatIsNotUtf8) {
    const struct {
        const char* name;
        std::string utf8;
        std::wstring wide;
    } cases[] = {
        {"ascii", "SD Camera", L"SD Camera"},
        {"two, three and four bytes", "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x93\xB7",
         L"\u00FC\u20AC\U0001F4F7"},
        {"stray continuation byte", "a\x80z", L"a\uFFFDz"},
        {"invalid lead byte", "a\xFFz", L"a\uFFFDz"},
        {"sequence cut by the end", "cam\xE2\x82", L"cam\uFFFD"},
        {"sequence cut by a plain byte", "\xE2\x82z", L"\uFFFDz"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD"},
        {"empty", "", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(WideFromUtf8(c.utf8), c.wide) << c.name;
}

TEST(Utf8, WideTextRoundTrips) {
    const std::wstring text = L"/home/\u00E9l\u00E8ve/\u20AC/\U0001F4F7/Device.ini";
    EXPECT_EQ(WideFromUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(EncodeUtf8(L"\u00FC"), "\xC3\xBC");
}

}  // namespace
}  // namespace tamsel::linux_platform
