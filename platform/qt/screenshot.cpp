#include "platform/qt/screenshot.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

namespace tamsel::qt {

bool SaveScreenshot(QWidget& window, const QString& pngPath) {
    const QFileInfo file(pngPath);
    if (!QDir().mkpath(file.absolutePath())) return false;
    return window.grab().save(file.absoluteFilePath(), "PNG");
}

}  // namespace tamsel::qt
