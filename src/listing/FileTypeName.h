#pragma once

#include "listing/TypeCache.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace quorix {

// Image of files whose type has no icon, and of every folder row.
inline constexpr int kNoIconImage = 15;
inline constexpr int kFolderImage = 16;
inline constexpr int kParentImage = 1;

// Where the pictures of new types go: the main image list of the window. Each call appends
// at most one picture and returns its index, or -1 when there is no picture.
class TypeImageSink
{
public:
    virtual ~TypeImageSink() = default;
    // The theme icon of a file type (freedesktop icon names).
    virtual int appendTypeIcon(const QString& iconName, const QString& genericIconName) = 0;
    // An icon taken out of a program file, as the bytes of an ".ico" file.
    virtual int appendProgramIcon(const QByteArray& icoFile) = 0;
};

// Reads the first icon of a program file given by its logical path.
using ProgramIconReader = std::function<std::optional<QByteArray>(const QString& logicalPath)>;

struct TypeLookup
{
    int number = 0; // the cache entry; 0 when the cache was full and nothing was stored
    int imageIndex = kNoIconImage;
    QString typeName;
};

// The type name and image of a file name (without folder), from the cache or found and
// stored on first sight: programs by their first icon, other files through the MIME
// database by name alone (no file is opened). folder is the logical folder holding the
// file; readIcon and images may be null (no icons then).
TypeLookup FileTypeName(TypeCache& cache, const QString& fileName, const QString& folder,
                        TypeImageSink* images, const ProgramIconReader& readIcon);

// The type name the MIME database gives for a cache key used as a file name, in the
// language of the default locale; empty for unknown types. iconName/genericIconName
// receive the type's icon names when not null.
QString mimeTypeName(const QString& key, QString* iconName = nullptr,
                     QString* genericIconName = nullptr);

} // namespace quorix
