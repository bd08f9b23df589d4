// The drive menu: one item per drive, rebuilt each time it opens.

#include "app/ui/TForm1.h"

#include "navigation/DriveMenu.h"
#include "platform/DriveTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QMenu>
#include <QStyle>

namespace quorix {

namespace {

// Theme pictures for the drive kinds, for slots the drive image list does not fill; the
// style's own drive pictures where the theme has none.
QIcon themeDriveIcon(int imageIndex)
{
    struct Picture
    {
        const char* themeName;
        QStyle::StandardPixmap fallback;
    };
    Picture p{"drive-harddisk", QStyle::SP_DriveHDIcon};
    switch (imageIndex) {
    case 6:
        p = {"media-floppy", QStyle::SP_DriveFDIcon};
        break;
    case 7:
        p = {"drive-removable-media", QStyle::SP_DriveFDIcon};
        break;
    case 9:
        p = {"folder-remote", QStyle::SP_DriveNetIcon};
        break;
    case 11:
        p = {"drive-optical", QStyle::SP_DriveCDIcon};
        break;
    default:
        break;
    }
    return QIcon::fromTheme(QString::fromLatin1(p.themeName),
                            QApplication::style()->standardIcon(p.fallback));
}

} // namespace

void TForm1::BuildDriveMenu()
{
    PopupMenu1->clear();
    for (const DriveMenuItem& item : driveMenuItems(platform::DriveTable::current().drives())) {
        const QIcon listed =
            item.iconIndex < ImageList2.size() ? ImageList2[item.iconIndex] : QIcon();
        QAction* action = PopupMenu1->addAction(
            listed.isNull() ? themeDriveIcon(item.iconIndex) : listed, item.caption);
        connect(action, &QAction::triggered, this, [this, action] { DriveMenuClick(action); });
    }
}

void TForm1::DriveMenuClick(QAction* Sender)
{
    CurrentDir = driveOfMenuCaption(Sender->text());
    ComboBox1->setEditText(CurrentDir);
    PushPathHistory();
    RefreshFileList(false, false, false);
}

} // namespace quorix
