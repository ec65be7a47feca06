// Compile-time proof that the resource script and the C++ code number things alike.
// Nothing here runs; a mismatch stops the build. The same list of names is expanded
// twice: once before resource.h is included (the C++ constants) and once after (the
// macros the resource compiler sees).

#include <array>
#include <cstddef>

#include "ui/control_ids.h"

#define TAMSEL_RESOURCE_NAMES(X)                                                                 \
    X(IDD_ABOUTBOX)                                                                              \
    X(IDS_ABOUTBOX)                                                                              \
    X(IDD_TAMSEL_DIALOG) X(IDR_MAINFRAME) X(IDC_STATIC) X(IDC_SET_TIME) X(IDC_QUALITY_HIGH)      \
        X(IDC_QUALITY_STANDARD) X(IDC_QUALITY_LOW) X(IDC_SET_QUALITY) X(IDC_TIME) X(IDC_VERSION) \
            X(IDC_SLIDER_BRIGHTNESS) X(IDC_EDIT_BRIGHTNESS) X(IDC_SET_COLOR) X(IDC_SLIDER_AUX)   \
                X(IDC_SLIDER_CONTRAST) X(IDC_SLIDER_HUE) X(IDC_SLIDER_SATURATION)                \
                    X(IDC_EDIT_CONTRAST) X(IDC_EDIT_HUE) X(IDC_EDIT_SATURATION)                  \
                        X(IDC_SLIDER_EARPHONE) X(IDC_SLIDER_MIC) X(IDC_EDIT_AUX)                 \
                            X(IDC_EDIT_EARPHONE) X(IDC_EDIT_MIC) X(IDC_MUTE_AUX)                 \
                                X(IDC_MUTE_EARPHONE) X(IDC_MUTE_MIC) X(IDC_SET_VOLUME)           \
                                    X(IDC_GROUP_COLOR) X(IDC_GROUP_VOLUME) X(IDC_GROUP_QUALITY)  \
                                        X(IDC_ABOUT_VERSION)

namespace tamsel::res_check {

#define TAMSEL_FROM_CPP(name) ::tamsel::ui::name,
constexpr std::array kFromCpp{TAMSEL_RESOURCE_NAMES(TAMSEL_FROM_CPP)};
#undef TAMSEL_FROM_CPP

}  // namespace tamsel::res_check

#include "res/resource.h"

namespace tamsel::res_check {

#define TAMSEL_FROM_RC(name) (name),
constexpr std::array kFromRc{TAMSEL_RESOURCE_NAMES(TAMSEL_FROM_RC)};
#undef TAMSEL_FROM_RC

constexpr std::size_t FirstDifference() {
    for (std::size_t i = 0; i < kFromCpp.size(); ++i) {
        if (kFromCpp[i] != kFromRc[i]) return i;
    }
    return kFromCpp.size();
}

static_assert(kFromCpp.size() == kFromRc.size());
static_assert(FirstDifference() == kFromCpp.size(),
              "res/resource.h and ui/control_ids.h number a resource or control differently");

}  // namespace tamsel::res_check
