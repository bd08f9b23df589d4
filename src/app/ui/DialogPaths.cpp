#include "app/ui/DialogPaths.h"

#include "platform/PathMapping.h"

#include <QFile>

namespace quorix {

QString nativeFolderForDialog(const QString& logical)
{
    bool ok = false;
    const QByteArray native = platform::toNative(logical, &ok);
    return ok ? QFile::decodeName(native) : QString();
}

QString logicalPathFromDialog(const QString& native)
{
    return platform::toLogical(QFile::encodeName(native));
}

} // namespace quorix
