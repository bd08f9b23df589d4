#pragma once

#include <QString>

namespace quorix {

// Native folder a file or folder chooser opens at for a logical path (its nearest
// existing folder is left to the chooser); empty when the path maps to no drive.
QString nativeFolderForDialog(const QString& logical);

// Logical path of what a chooser returned; empty when no drive holds it.
QString logicalPathFromDialog(const QString& native);

} // namespace quorix
