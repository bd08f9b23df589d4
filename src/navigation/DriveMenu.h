#pragma once

// The drive menu's items, built from the drive table each time the menu opens.

#include "platform/DriveTable.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

namespace quorix {

struct DriveMenuItem
{
    QString caption; // "&C: (固定ﾃﾞｨｽｸ)": "&" + letter + kind text
    int iconIndex;   // index into the drive image list
};

// Caption of the item of a drive; empty when a drive of that kind gets no item.
QString driveMenuCaption(QChar letter, platform::DriveKind kind);
// Image index of a drive of that kind; -1 when it gets no item.
int driveMenuIcon(QChar letter, platform::DriveKind kind);

// One item per drive letter A to Z whose kind is known, in letter order.
QList<DriveMenuItem> driveMenuItems(const QList<platform::Drive>& drives);

// The drive an item's caption names: its second and third characters ("C:").
QString driveOfMenuCaption(const QString& caption);

// Top-left corner of the drive menu on screen: left + 30, and top + height minus half the
// list's height (the half truncated toward zero). frame is the main window's outer
// rectangle.
QPoint driveMenuPosition(const QRect& frame, int listHeight);

} // namespace quorix
