#pragma once
// Dialog units to pixels, the way the Windows dialog manager converts a template: the
// horizontal base unit is the dialog font's average character width, the vertical one its
// height; a horizontal unit is a quarter of the first, a vertical unit an eighth of the
// second, each rounded as MulDiv rounds.

namespace tamsel::ui {

struct DialogBaseUnits {
    int x = 0;  // average character width of the dialog font, pixels
    int y = 0;  // character height of the dialog font, pixels
    friend bool operator==(const DialogBaseUnits&, const DialogBaseUnits&) = default;
};

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// MulDiv: number * numerator / denominator, rounded half away from zero.
int MulDivRounded(int number, int numerator, int denominator);

// The average character width from the advance of "A".."Z" followed by "a".."z", the way
// the dialog manager derives it: (advance / 26 + 1) / 2.
int AverageCharWidthFromAlphabetAdvance(int alphabetAdvance);

int HorizontalDialogUnitsToPixels(int units, const DialogBaseUnits& base);
int VerticalDialogUnitsToPixels(int units, const DialogBaseUnits& base);
PixelRect DialogUnitsToPixels(int x, int y, int width, int height, const DialogBaseUnits& base);

}  // namespace tamsel::ui
