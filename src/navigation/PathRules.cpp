#include "navigation/PathRules.h"

#include "platform/FileSystem.h"

namespace quorix {

bool IsCharAllowed(QChar ch, const QString& set)
{
    return !IsCharInSet(ch, set);
}

bool IsCharInSet(QChar ch, const QString& set)
{
    return set.contains(ch);
}

QString NormaliseMask(const QString& mask)
{
    if (mask.isEmpty() || mask.startsWith(u'*'))
        return mask;
    if (mask.startsWith(u'.'))
        return u'*' + mask;
    return QStringLiteral("*.") + mask;
}

namespace {

qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u':'));
}

} // namespace

QString parentFolder(const QString& path)
{
    return withoutTrailingBackslash(path.left(lastSeparator(path) + 1));
}

QString lastNamePart(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString withoutTrailingBackslash(const QString& path)
{
    return path.endsWith(u'\\') ? path.chopped(1) : path;
}

bool MakeFolderChain(const QString& path)
{
    const QString target = withoutTrailingBackslash(path);
    if (target.size() <= 2)
        return false;
    // Positions are 1-based in the rule: a "\" at position p closes the folder made of the
    // first p - 1 characters; the first one that can close a folder below the drive is 3.
    for (qsizetype i = 2; i < target.size() - 1; ++i) {
        if (target[i] != u'\\')
            continue;
        const QString folder = target.left(i);
        if (!platform::isDirectory(folder))
            platform::makeFolder(folder);
    }
    if (!platform::isDirectory(target))
        platform::makeFolder(target);
    return true;
}

} // namespace quorix
