#pragma once

#include "listing/FileTypeName.h"

#include <QIcon>
#include <QList>

namespace quorix::ui {

// A list of 16 x 16 pictures addressed by index (ImageList1, ImageList2). As the main image
// list it also takes the pictures of new file types from the type cache.
class ImageList : public TypeImageSink
{
public:
    static constexpr int kSize = 16;

    int count() const { return int(m_icons.size()); }
    // The picture at index; a null icon for an index that holds none.
    QIcon icon(int index) const;
    // Appends a picture and returns its index.
    int append(const QIcon& icon);

    int appendTypeIcon(const QString& iconName, const QString& genericIconName) override;
    int appendProgramIcon(const QByteArray& icoFile) override;

private:
    QList<QIcon> m_icons;
};

// Main image list with its 17 built-in pictures, in their fixed roles: 0 browse, 1 up one
// level and the ".." row, 2 delete, 3 copy, 4 move, 5 new folder, 7 filter, 8 file search,
// 14 calculator, 15 files without an icon, 16 folder rows (6 and 9 to 13 are spare).
void fillBuiltInImages(ImageList& imageList1);

// The pictures loaded when the main window is first shown: the twelve pictures of the
// drive menu into imageList2 (unknown, document, program, folder, open folder, two
// floppies, removable, hard disk, network, network offline, optical), and the closed folder
// (the fourth of them) appended to imageList1 as picture 17.
void loadShellIcons(ImageList& imageList1, ImageList& imageList2);

// Makes sure a freedesktop icon theme with file-type pictures is in use (Adwaita when the
// desktop names none); the self-drawn pictures cover whatever it lacks.
void ensureIconTheme();

} // namespace quorix::ui
