#pragma once
// Renders a window to a PNG file, for the demo on machines without a display and for
// the tests' record of what the dialog looked like.

#include <QString>

class QWidget;

namespace tamsel::qt {

// Creates the file's folder when it is missing. False when the image can't be written.
bool SaveScreenshot(QWidget& window, const QString& pngPath);

}  // namespace tamsel::qt
