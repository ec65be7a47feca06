#include "ui/dialog_units.h"

#include <cstdint>
#include <cstdlib>

namespace tamsel::ui {

int MulDivRounded(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;  // MulDiv's answer to a zero denominator
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int AverageCharWidthFromAlphabetAdvance(int alphabetAdvance) {
    return (alphabetAdvance / 26 + 1) / 2;
}

int HorizontalDialogUnitsToPixels(int units, const DialogBaseUnits& base) {
    return MulDivRounded(units, base.x, 4);
}

int VerticalDialogUnitsToPixels(int units, const DialogBaseUnits& base) {
    return MulDivRounded(units, base.y, 8);
}

PixelRect DialogUnitsToPixels(int x, int y, int width, int height, const DialogBaseUnits& base) {
    return PixelRect{HorizontalDialogUnitsToPixels(x, base), VerticalDialogUnitsToPixels(y, base),
                     HorizontalDialogUnitsToPixels(width, base),
                     VerticalDialogUnitsToPixels(height, base)};
}

}  // namespace tamsel::ui
