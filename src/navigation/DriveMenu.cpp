#include "navigation/DriveMenu.h"

#include "navigation/NavigationTexts.h"

namespace quorix {

using platform::DriveKind;
namespace texts = navigation_texts;

namespace {

struct KindEntry
{
    QString text;
    int icon;
};

// Indexes into the drive image list: the shell's stock pictures of each drive kind.
KindEntry kindEntry(QChar letter, DriveKind kind)
{
    switch (kind) {
    case DriveKind::Removable:
        if (letter.toUpper() == u'A')
            return {texts::kDriveFloppy, 6};
        return {texts::kDriveRemovable, 7};
    case DriveKind::Fixed:
        return {texts::kDriveFixed, 8};
    case DriveKind::Remote:
        return {texts::kDriveRemote, 9};
    case DriveKind::CdRom:
        return {texts::kDriveCdRom, 11};
    case DriveKind::RamDisk:
        return {texts::kDriveRamDisk, 12};
    case DriveKind::Unknown:
        break;
    }
    return {QString(), -1};
}

} // namespace

QString driveMenuCaption(QChar letter, DriveKind kind)
{
    const KindEntry e = kindEntry(letter, kind);
    if (e.icon < 0)
        return {};
    return u'&' + QString(letter.toUpper()) + e.text;
}

int driveMenuIcon(QChar letter, DriveKind kind)
{
    return kindEntry(letter, kind).icon;
}

QList<DriveMenuItem> driveMenuItems(const QList<platform::Drive>& drives)
{
    QList<DriveMenuItem> items;
    for (char16_t l = u'A'; l <= u'Z'; ++l) {
        for (const platform::Drive& d : drives) {
            if (d.letter.toUpper() != QChar(l))
                continue;
            const QString caption = driveMenuCaption(QChar(l), d.kind);
            if (!caption.isEmpty())
                items.append({caption, driveMenuIcon(QChar(l), d.kind)});
            break;
        }
    }
    return items;
}

QString driveOfMenuCaption(const QString& caption)
{
    return caption.mid(1, 2);
}

QPoint driveMenuPosition(const QRect& frame, int listHeight)
{
    return {frame.left() + 30, frame.top() + frame.height() - listHeight / 2};
}

} // namespace quorix
