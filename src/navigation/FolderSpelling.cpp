#include "navigation/FolderSpelling.h"

#include "platform/FileSystem.h"

#include <QStringList>

namespace quorix {

namespace {

// The folders in parent whose names equal name regardless of case, the exact spelling
// first.
QStringList foldersNamed(const QString& parent, const QString& name)
{
    QStringList names;
    if (platform::isDirectory(parent + u'\\' + name))
        names << name;
    if (name.contains(u'*') || name.contains(u'?') || name == u"." || name == u"..")
        return names;
    // A wildcard makes the enumeration scan the folder instead of looking up the one
    // name; the scan's hits are narrowed to the name again below.
    const platform::EnumResult found = platform::enumerate(parent + u'\\' + name.chopped(1) + u'?');
    for (const platform::DirEntry& e : found.entries) {
        if ((e.attributes & platform::FA_DIRECTORY) && e.name != name &&
            e.name.compare(name, Qt::CaseInsensitive) == 0)
            names << e.name;
    }
    return names;
}

// Depth first, so that a folder spelled exactly but holding no match further down does
// not hide one that differs in case.
QString resolveFrom(const QString& resolved, const QStringList& names, qsizetype next)
{
    if (next == names.size())
        return resolved;
    for (const QString& onDisk : foldersNamed(resolved, names[next])) {
        const QString found = resolveFrom(resolved + u'\\' + onDisk, names, next + 1);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace

QString existingFolderSpelling(const QString& logical)
{
    if (platform::isDirectory(logical))
        return logical;
    if (logical.size() < 3 || logical[1] != u':' || logical[2] != u'\\')
        return {};
    const QStringList names = logical.mid(3).split(u'\\', Qt::SkipEmptyParts);
    return resolveFrom(logical.left(2), names, 0);
}

} // namespace quorix
