// Dialog units to pixels as the dialog manager converts them.

#include "ui/dialog_units.h"

#include <gtest/gtest.h>

namespace tamsel::ui {
namespace {

TEST(MulDivRounded, RoundsHalfAwayFromZeroLikeMulDiv) {
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {177, 6, 4, 266},                   // 265.5 rounds up
        {87, 6, 4, 131},                    // 130.5
        {30, 13, 8, 49},                    // 48.75
        {358, 13, 8, 582},                  // 581.75
        {1, 13, 8, 2},                      // 1.625
        {1, 6, 4, 2},                       // 1.5
        {3, 1, 8, 0},                       // 0.375
        {-177, 6, 4, -266},                 // symmetric below zero
        {5, 7, -2, -18},                    // -17.5
        {0, 6, 4, 0},       {5, 6, 0, -1},  // MulDiv's answer to a zero denominator
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDivRounded(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
    // The intermediate product is 64-bit: 2e9 * 3 overflows 32 bits, the result fits.
    EXPECT_EQ(MulDivRounded(2000000000, 3, 4), 1500000000);
}

TEST(AverageCharWidth, IsHalfOfTheAlphabetAdvanceOverTwentySixRoundedUp) {
    struct Case {
        int advance, expected;
    };
    // 52 letters; (advance / 26 + 1) / 2 rounds the average to the nearest pixel.
    const Case cases[] = {{312, 6}, {337, 6}, {338, 7}, {363, 7}, {364, 7}, {390, 8}, {0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(AverageCharWidthFromAlphabetAdvance(c.advance), c.expected) << c.advance;
    }
}

TEST(DialogUnitsToPixels, ConvertsEachAxisWithItsOwnBaseUnit) {
    const DialogBaseUnits base{6, 13};
    struct Case {
        int x, y, width, height;
        PixelRect expected;
    };
    const Case cases[] = {
        {177, 30, 87, 30, {266, 49, 131, 49}},    // Set Date and Time
        {15, 80, 254, 70, {23, 130, 381, 114}},   // the quality group box
        {0, 0, 291, 358, {0, 0, 437, 582}},       // the main dialog's client area
        {75, 171, 100, 12, {113, 278, 150, 20}},  // the brightness trackbar
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogUnitsToPixels(c.x, c.y, c.width, c.height, base), c.expected)
            << c.x << "," << c.y << " " << c.width << "x" << c.height;
    }
    const DialogBaseUnits wide{7, 14};
    EXPECT_EQ(DialogUnitsToPixels(177, 30, 87, 30, wide), (PixelRect{310, 53, 152, 53}));
}

}  // namespace
}  // namespace tamsel::ui
