#pragma once
// Icon resource 128, the program's icon, as built into the executable from res/. Null
// when the build found no icon image.

#include <QIcon>

namespace tamsel::qt {

QIcon ApplicationIcon();

}  // namespace tamsel::qt
