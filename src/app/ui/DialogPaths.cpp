#include "app/ui/DialogPaths.h"

#include <QFile>

#if __has_include("platform/PathMapping.h")
#include "platform/PathMapping.h"
#define QUORIX_HAVE_PATH_MAPPING 1
#endif

namespace quorix {

QString nativeFolderForDialog(const QString& logical)
{
#ifdef QUORIX_HAVE_PATH_MAPPING
    bool ok = false;
    const QByteArray native = platform::toNative(logical, &ok);
    return ok ? QFile::decodeName(native) : QString();
#else
    return logical.size() >= 2 && logical.at(1) == u':' ? QStringLiteral("/") : QString();
#endif
}

QString logicalPathFromDialog(const QString& native)
{
#ifdef QUORIX_HAVE_PATH_MAPPING
    return platform::toLogical(QFile::encodeName(native));
#else
    QString s = native;
    s.replace(u'/', u'\\');
    return QStringLiteral("C:") + (s == QStringLiteral("\\") ? QString() : s);
#endif
}

} // namespace quorix
