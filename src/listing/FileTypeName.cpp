#include "listing/FileTypeName.h"

#include "listing/FileMask.h"
#include "listing/RowColourRule.h"

#include <QMimeDatabase>

namespace quorix {

QString mimeTypeName(const QString& key, QString* iconName, QString* genericIconName)
{
    if (key.isEmpty())
        return {};
    static const QMimeDatabase db;
    // The key alone (".TXT") reads as a hidden name without extension; a neutral base name
    // makes only the extension decide.
    const QMimeType type = db.mimeTypeForFile(u"file" + key, QMimeDatabase::MatchExtension);
    // The fallback type only says "some bytes": that is no type name.
    if (!type.isValid() || type.isDefault() || type.name() == u"application/octet-stream")
        return {};
    if (iconName)
        *iconName = type.iconName();
    if (genericIconName)
        *genericIconName = type.genericIconName();
    return type.comment();
}

namespace {

// The picture number a cache entry holds as text. Plain digits, as the cache writes them,
// are read by hand (this runs for every file of a listing); anything else as toInt() reads it.
int imageNumber(const QString& text)
{
    const qsizetype size = text.size();
    const bool negative = size > 1 && text.front() == u'-';
    if (size == 0 || size > 9)
        return text.toInt();
    int value = 0;
    for (qsizetype i = negative ? 1 : 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return text.toInt();
        value = value * 10 + int(c - u'0');
    }
    return negative ? -value : value;
}

} // namespace

TypeLookup FileTypeName(TypeCache& cache, const QString& fileName, const QString& folder,
                        TypeImageSink* images, const ProgramIconReader& readIcon)
{
    const QString key = typeCacheKey(fileName);
    if (const int number = cache.find(key)) {
        const TypeCacheEntry& e = cache.entry(number);
        return {number, imageNumber(e.imageIndex), e.typeName};
    }

    // A full cache stores nothing more, and its types get no new picture either, so the
    // image list stays bounded like the cache.
    const bool store = !cache.isFull();
    TypeLookup found;
    int image = -1;
    if (extensionKey(key) == u".EXE") {
        // The file is opened by its real name: the upper-case key need not exist on a
        // file system that tells case apart.
        std::optional<QByteArray> icon;
        if (store && readIcon)
            icon = readIcon(folder + u'\\' + fileName);
        if (icon && images)
            image = images->appendProgramIcon(*icon);
        found.typeName = image >= 0 ? programTypeText() : programWithoutIconText();
    } else {
        QString iconName, genericIconName;
        found.typeName = mimeTypeName(key, &iconName, &genericIconName);
        if (store && images && !found.typeName.isEmpty())
            image = images->appendTypeIcon(iconName, genericIconName);
        if (found.typeName.isEmpty() || image < 0)
            found.typeName = key.mid(1) + generatedTypeSuffix();
    }
    found.imageIndex = image >= 0 ? image : kNoIconImage;
    if (store)
        found.number = cache.add({key, QString::number(found.imageIndex), found.typeName});
    return found;
}

} // namespace quorix
