#pragma once

#include "listing/FileTypeName.h"

#include <QIcon>
#include <QList>

namespace quorix::ui {

inline constexpr int kImageSize = 16;

// Appends the pictures of new file types to the main image list (TForm1::ImageList1).
class ImageListSink : public TypeImageSink
{
public:
    explicit ImageListSink(QList<QIcon>& imageList) : m_list(imageList) {}

    int appendTypeIcon(const QString& iconName, const QString& genericIconName) override;
    int appendProgramIcon(const QByteArray& icoFile) override;

private:
    QList<QIcon>& m_list;
};

// The pictures loaded when the main window is first shown: the twelve pictures of the
// drive menu into imageList2 (unknown file, document, program, folder, open folder, two
// floppies, removable, hard disk, network, network offline, optical), and the folder (the
// fourth of them) appended to imageList1 as picture 17.
void loadShellIcons(QList<QIcon>& imageList1, QList<QIcon>& imageList2);

// Makes sure a freedesktop icon theme with file-type pictures is in use (Adwaita when the
// desktop names none); drawn pictures cover whatever it lacks.
void ensureIconTheme();

} // namespace quorix::ui
