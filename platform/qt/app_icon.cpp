#include "platform/qt/app_icon.h"

#include <QDir>

namespace tamsel::qt {

QIcon ApplicationIcon() {
    // Every image under the prefix is one size of the same icon; QIcon picks the size
    // each use asks for.
    static const QIcon icon = [] {
        QIcon images;
        const QDir folder(QStringLiteral(":/tamsel/icon"));
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
            images.addFile(folder.filePath(name));
        }
        return images;
    }();
    return icon;
}

}  // namespace tamsel::qt
