#include "platform/ProgramPath.h"

#include <QCoreApplication>

namespace quorix::platform {

namespace {
QString g_override;
}

QString programFilePath()
{
    if (!g_override.isEmpty())
        return g_override;
    return QCoreApplication::applicationFilePath();
}

QString programFolder()
{
    const QString path = programFilePath();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

void setProgramFilePathForTests(const QString& path)
{
    g_override = path;
}

} // namespace quorix::platform
