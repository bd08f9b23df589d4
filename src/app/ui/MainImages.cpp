#include "app/ui/MainImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorix {

namespace {

constexpr int kImageCount = 17;

// Freedesktop names tried for each slot; empty for slots the list never shows.
const char* const kThemeNames[kImageCount] = {
    "folder-open",   // 0 browse for a folder
    "go-up",         // 1 up one level, ".." row
    "edit-delete",   // 2 delete
    "edit-copy",     // 3 copy
    "edit-cut",      // 4 move
    "folder-new",    // 5 new folder
    nullptr,         // 6
    "system-search", // 7 filter
    "edit-find",     // 8 find a row
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,                    // 9 .. 13
    "accessories-calculator",   // 14 calculator
    "application-x-executable", // 15 files without an icon
    "folder",                   // 16 folder rows
};

const QColor kFolderYellow(0xF0, 0xC8, 0x40);
const QColor kFolderEdge(0x9A, 0x7A, 0x10);

void drawFolder(QPainter& p, bool open)
{
    p.setPen(kFolderEdge);
    p.setBrush(kFolderYellow);
    p.drawRect(1, 4, 13, 10);
    p.drawRect(1, 2, 5, 2);
    if (open) {
        p.setBrush(kFolderYellow.lighter(120));
        QPolygon flap({QPoint(3, 8), QPoint(15, 8), QPoint(13, 14), QPoint(1, 14)});
        p.drawPolygon(flap);
    }
}

void drawPage(QPainter& p, int x, int y)
{
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.setBrush(Qt::white);
    p.drawRect(x, y, 8, 10);
    p.setPen(QColor(0x90, 0x90, 0x90));
    for (int i = 0; i < 3; ++i)
        p.drawLine(x + 2, y + 3 + 2 * i, x + 6, y + 3 + 2 * i);
}

void drawArrowRight(QPainter& p, int y, const QColor& c)
{
    p.setPen(QPen(c, 2));
    p.drawLine(3, y, 12, y);
    p.drawLine(9, y - 3, 12, y);
    p.drawLine(9, y + 3, 12, y);
}

void drawMagnifier(QPainter& p, int x, int y)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(QColor(0xC8, 0xE4, 0xFF));
    p.drawEllipse(QRectF(x, y, 7, 7));
    p.setPen(QPen(QColor(0x60, 0x40, 0x20), 2.5));
    p.drawLine(QPointF(x + 6.5, y + 6.5), QPointF(x + 9.5, y + 9.5));
}

void paintImage(QPainter& p, int index)
{
    switch (index) {
    case 0: // open folder
        drawFolder(p, true);
        break;
    case 1: // folder with an up arrow
        drawFolder(p, false);
        p.setPen(QPen(QColor(0x10, 0x60, 0x10), 2));
        p.drawLine(8, 13, 8, 6);
        p.drawLine(5, 9, 8, 6);
        p.drawLine(11, 9, 8, 6);
        break;
    case 2: // delete: a red cross over a page
        drawPage(p, 2, 2);
        p.setPen(QPen(QColor(0xD0, 0x10, 0x10), 2.5));
        p.drawLine(6, 6, 14, 14);
        p.drawLine(14, 6, 6, 14);
        break;
    case 3: // copy: two pages
        drawPage(p, 1, 1);
        drawPage(p, 6, 5);
        break;
    case 4: // move: page with an arrow
        drawPage(p, 1, 1);
        drawArrowRight(p, 12, QColor(0x10, 0x50, 0xC0));
        break;
    case 5: // new folder: folder with a star
        drawFolder(p, false);
        p.setPen(QPen(QColor(0xE0, 0x20, 0x20), 1.5));
        p.drawLine(12, 0, 12, 6);
        p.drawLine(9, 3, 15, 3);
        break;
    case 7: // filter: folder with a magnifier
        drawFolder(p, false);
        drawMagnifier(p, 5, 5);
        break;
    case 8: // find: page with a magnifier
        drawPage(p, 1, 1);
        drawMagnifier(p, 5, 5);
        break;
    case 14: { // calculator
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.setBrush(QColor(0xD8, 0xD8, 0xD8));
        p.drawRect(2, 1, 11, 14);
        p.setBrush(QColor(0xB0, 0xE0, 0xB0));
        p.drawRect(4, 3, 7, 3);
        p.setBrush(QColor(0x50, 0x50, 0x50));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(4 + 3 * c, 8 + 2 * r, 1, 1);
        break;
    }
    case 15: // plain program window
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.setBrush(Qt::white);
        p.drawRect(1, 2, 14, 12);
        p.setBrush(QColor(0x10, 0x24, 0x90));
        p.drawRect(1, 2, 14, 3);
        break;
    case 16: // closed yellow folder
        drawFolder(p, false);
        break;
    default: // unused slots: a neutral page
        drawPage(p, 4, 3);
        break;
    }
}

} // namespace

QIcon drawnImage(int index)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintImage(p, index);
    p.end();
    return QIcon(pm);
}

QList<QIcon> mainImages()
{
    QList<QIcon> images;
    images.reserve(kImageCount);
    for (int i = 0; i < kImageCount; ++i) {
        QIcon icon;
        if (kThemeNames[i])
            icon = QIcon::fromTheme(QString::fromLatin1(kThemeNames[i]));
        if (icon.isNull() || icon.pixmap(16).isNull())
            icon = drawnImage(i);
        images.append(icon);
    }
    return images;
}

} // namespace quorix
