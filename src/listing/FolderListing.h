#pragma once

#include "listing/FileMask.h"
#include "listing/FileTypeName.h"
#include "listing/FolderStaging.h"
#include "listing/ListRow.h"

#include <QString>

#include <vector>

namespace quorix {

namespace platform {
struct DirEntry;
}

// What the rows of one folder are built from, besides the entries themselves.
struct RowBuildContext
{
    QString currentDir; // logical folder, no trailing "\"
    const FileMaskMatcher* mask = nullptr;
    TypeCache* typeCache = nullptr;
    TypeImageSink* images = nullptr; // may be null: no pictures
    ProgramIconReader readIcon;      // may be empty: programs have no icon
    int folderImage = kFolderImage;
};

// Turns enumerated entries into rows: folders (never filtered) into folders, files that
// pass the mask into files in enumeration order; "." and ".." are skipped. Returns the
// number of folders added. entryOfFile, when given, receives for each file row the index
// of its entry.
int buildListRows(const std::vector<platform::DirEntry>& entries, const RowBuildContext& context,
                  std::vector<ListRow>& files, FolderStaging& folders,
                  std::vector<size_t>* entryOfFile = nullptr);

// The ".." row at the top of every folder that is not a drive root.
ListRow parentRow();

// True when the attribute query of a logical path succeeds and says folder.
bool IsDirectory(const QString& path);

// Free-space text of the volume holding a folder (a logical path such as "C:\DATA").
QString FreeSpaceText(const QString& folder);

// Reads the first icon of a program file through the platform layer, reading only the
// parts of the file the icon needs; nothing for files that are not plain files.
std::optional<QByteArray> readProgramIcon(const QString& logicalPath);

} // namespace quorix
