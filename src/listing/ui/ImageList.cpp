#include "listing/ui/ImageList.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorix::ui {

namespace {

enum class Picture {
    Blank, Folder, FolderOpen, FolderUp, Delete, Copy, Move, FolderNew, FolderSearch, Search,
    Calculator, Window, Document, Floppy, Removable, HardDisk, Network, NetworkOff, Optical,
};

void drawFolder(QPainter& p, bool open)
{
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 214, 74));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
    if (open) {
        p.setBrush(QColor(255, 236, 150));
        QPolygonF front{{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}};
        p.drawPolygon(front);
    }
}

void drawPage(QPainter& p, QRectF r)
{
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QColor(150, 150, 150));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void drawLens(QPainter& p, QPointF centre)
{
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(centre, 3, 3);
    p.drawLine(centre + QPointF(2.2, 2.2), centre + QPointF(5, 5));
}

void drawArrow(QPainter& p, QPointF from, QPointF to, QColor colour)
{
    p.setPen(QPen(colour, 2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{to + d * 2, to - d * 2 + n * 3, to - d * 2 - n * 3});
}

void drawDisk(QPainter& p, QColor body, QColor light)
{
    p.setPen(QColor(60, 60, 60));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setBrush(light);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 8.5), 1, 1);
}

// Pictures drawn by the program itself, for roles the icon theme has no picture for.
QIcon drawn(Picture picture)
{
    QPixmap pm(ImageList::kSize, ImageList::kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case Picture::Blank:
        break;
    case Picture::Folder:
        drawFolder(p, false);
        break;
    case Picture::FolderOpen:
        drawFolder(p, true);
        break;
    case Picture::FolderUp:
        drawFolder(p, false);
        drawArrow(p, QPointF(8, 13), QPointF(8, 6), QColor(0, 110, 0));
        break;
    case Picture::Delete:
        p.setPen(QPen(QColor(200, 0, 0), 2.5));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
        break;
    case Picture::Copy:
        drawPage(p, QRectF(1.5, 1.5, 8, 10));
        drawPage(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case Picture::Move:
        drawPage(p, QRectF(1.5, 1.5, 8, 11));
        drawArrow(p, QPointF(6, 12), QPointF(13, 12), QColor(0, 80, 200));
        break;
    case Picture::FolderNew:
        drawFolder(p, false);
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.drawLine(QPointF(11, 7), QPointF(11, 13));
        p.drawLine(QPointF(8, 10), QPointF(14, 10));
        break;
    case Picture::FolderSearch:
        drawFolder(p, false);
        drawLens(p, QPointF(9, 9));
        break;
    case Picture::Search:
        drawPage(p, QRectF(1.5, 1.5, 9, 12));
        drawLens(p, QPointF(9, 9));
        break;
    case Picture::Calculator:
        p.setPen(QColor(40, 40, 40));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setBrush(QColor(170, 220, 170));
        p.drawRect(QRectF(4.5, 2.5, 7, 3));
        p.setBrush(QColor(80, 80, 80));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                p.drawRect(QRectF(4.5 + x * 2.5, 7.5 + y * 2.5, 1.5, 1.5));
        break;
    case Picture::Window:
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
        break;
    case Picture::Document:
        drawPage(p, QRectF(2.5, 0.5, 11, 15));
        break;
    case Picture::Floppy:
        p.setPen(QColor(30, 30, 30));
        p.setBrush(QColor(60, 60, 90));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case Picture::Removable:
        drawDisk(p, QColor(190, 190, 210), QColor(0, 160, 0));
        break;
    case Picture::HardDisk:
        drawDisk(p, QColor(180, 180, 180), QColor(0, 200, 0));
        break;
    case Picture::Network:
    case Picture::NetworkOff:
        drawDisk(p, QColor(180, 180, 180), QColor(0, 200, 0));
        p.setPen(QPen(picture == Picture::Network ? QColor(0, 80, 0) : QColor(200, 0, 0), 1.5));
        p.drawLine(QPointF(8, 12), QPointF(8, 15));
        p.drawLine(QPointF(3, 15), QPointF(13, 15));
        break;
    case Picture::Optical:
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(220, 220, 235));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
        break;
    }
    p.end();
    return QIcon(pm);
}

// A theme picture by its freedesktop name (or the symbolic variant, which is all some
// themes ship for actions); a null icon when the theme has neither.
QIcon themed(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    const QString symbolic = name + u"-symbolic";
    if (QIcon::hasThemeIcon(symbolic))
        return QIcon::fromTheme(symbolic);
    return {};
}

QIcon themedOrDrawn(const char16_t* name, Picture fallback)
{
    QIcon icon = themed(QString::fromUtf16(name));
    return icon.isNull() ? drawn(fallback) : icon;
}

} // namespace

QIcon ImageList::icon(int index) const
{
    return index >= 0 && index < m_icons.size() ? m_icons[index] : QIcon();
}

int ImageList::append(const QIcon& icon)
{
    m_icons.append(icon);
    return int(m_icons.size()) - 1;
}

int ImageList::appendTypeIcon(const QString& iconName, const QString& genericIconName)
{
    QIcon icon = themed(iconName);
    if (icon.isNull())
        icon = themed(genericIconName);
    return icon.isNull() ? -1 : append(icon);
}

int ImageList::appendProgramIcon(const QByteArray& icoFile)
{
    const QImage image = QImage::fromData(icoFile, "ICO");
    if (image.isNull())
        return -1;
    return append(QIcon(QPixmap::fromImage(
        image.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
}

void fillBuiltInImages(ImageList& imageList1)
{
    // Pictures come from the theme where it has one with the meaning of the role; the
    // folder rows and the ".." row always use the drawn ones so they read the same in any
    // theme.
    const QIcon builtIn[17] = {
        themedOrDrawn(u"document-open", Picture::FolderOpen), // 0 browse for a folder
        drawn(Picture::FolderUp),                            // 1 up one level, ".." row
        themedOrDrawn(u"edit-delete", Picture::Delete),       // 2
        themedOrDrawn(u"edit-copy", Picture::Copy),           // 3
        themedOrDrawn(u"edit-cut", Picture::Move),            // 4 move
        themedOrDrawn(u"folder-new", Picture::FolderNew),     // 5
        drawn(Picture::Blank),                               // 6
        drawn(Picture::FolderSearch),                        // 7 filter
        themedOrDrawn(u"edit-find", Picture::Search),         // 8 file search
        drawn(Picture::Blank),                               // 9
        drawn(Picture::Blank),                               // 10
        drawn(Picture::Blank),                               // 11
        drawn(Picture::Blank),                               // 12
        drawn(Picture::Blank),                               // 13
        themedOrDrawn(u"accessories-calculator", Picture::Calculator), // 14
        drawn(Picture::Window),                              // 15 files without an icon
        themedOrDrawn(u"folder", Picture::Folder),            // 16 folder rows
    };
    for (const QIcon& icon : builtIn)
        imageList1.append(icon);
}

void loadShellIcons(ImageList& imageList1, ImageList& imageList2)
{
    struct Shell
    {
        const char16_t* name;
        Picture fallback;
    };
    static const Shell shell[12] = {
        {u"application-x-generic", Picture::Document},
        {u"x-office-document", Picture::Document},
        {u"application-x-executable", Picture::Window},
        {u"folder", Picture::Folder},
        {u"folder-open", Picture::FolderOpen},
        {u"media-floppy", Picture::Floppy},
        {u"media-floppy", Picture::Floppy},
        {u"drive-removable-media", Picture::Removable},
        {u"drive-harddisk", Picture::HardDisk},
        {u"folder-remote", Picture::Network},
        {u"network-offline", Picture::NetworkOff},
        {u"media-optical", Picture::Optical},
    };
    for (int i = 0; i < 12; ++i) {
        const QIcon icon = themedOrDrawn(shell[i].name, shell[i].fallback);
        imageList2.append(icon);
        if (i == 3)
            imageList1.append(icon);
    }
}

void ensureIconTheme()
{
    if (QIcon::hasThemeIcon(QStringLiteral("folder")))
        return;
    QIcon::setThemeName(QStringLiteral("Adwaita"));
}

} // namespace quorix::ui
