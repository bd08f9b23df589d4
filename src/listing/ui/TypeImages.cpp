#include "listing/ui/TypeImages.h"

#include "app/ui/MainImages.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace quorix::ui {

namespace {

enum class Device { Floppy, Removable, HardDisk, Network, NetworkOff, Optical };

void drawDrive(QPainter& p, QColor body, QColor lamp)
{
    p.setPen(QColor(60, 60, 60));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawEllipse(QPointF(12, 8.5), 1, 1);
}

// Drive pictures drawn by the program, for themes without device pictures.
QIcon drawnDevice(Device device)
{
    QPixmap pm(kImageSize, kImageSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (device) {
    case Device::Floppy:
        p.setPen(QColor(30, 30, 30));
        p.setBrush(QColor(60, 60, 90));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case Device::Removable:
        drawDrive(p, QColor(190, 190, 210), QColor(0, 160, 0));
        break;
    case Device::HardDisk:
        drawDrive(p, QColor(180, 180, 180), QColor(0, 200, 0));
        break;
    case Device::Network:
    case Device::NetworkOff:
        drawDrive(p, QColor(180, 180, 180), QColor(0, 200, 0));
        p.setPen(QPen(device == Device::Network ? QColor(0, 80, 0) : QColor(200, 0, 0), 1.5));
        p.drawLine(QPointF(8, 12), QPointF(8, 15));
        p.drawLine(QPointF(3, 15), QPointF(13, 15));
        break;
    case Device::Optical:
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

// A theme picture by its freedesktop name, or its symbolic variant (all that some themes
// ship for a name); a null icon when the theme has neither.
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

} // namespace

int ImageListSink::appendTypeIcon(const QString& iconName, const QString& genericIconName)
{
    QIcon icon = themed(iconName);
    if (icon.isNull())
        icon = themed(genericIconName);
    if (icon.isNull())
        return -1;
    m_list.append(icon);
    return int(m_list.size()) - 1;
}

int ImageListSink::appendProgramIcon(const QByteArray& icoFile)
{
    const QImage image = QImage::fromData(icoFile, "ICO");
    if (image.isNull())
        return -1;
    m_list.append(QIcon(QPixmap::fromImage(
        image.scaled(kImageSize, kImageSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    return int(m_list.size()) - 1;
}

void loadShellIcons(QList<QIcon>& imageList1, QList<QIcon>& imageList2)
{
    ensureIconTheme();
    auto or_ = [](const char16_t* name, QIcon fallback) {
        const QIcon icon = themed(QString::fromUtf16(name));
        return icon.isNull() ? fallback : icon;
    };
    const QIcon shell[12] = {
        or_(u"application-x-generic", drawnImage(6)),
        or_(u"x-office-document", drawnImage(6)),
        or_(u"application-x-executable", drawnImage(15)),
        or_(u"folder", drawnImage(16)),
        or_(u"folder-open", drawnImage(0)),
        or_(u"media-floppy", drawnDevice(Device::Floppy)),
        or_(u"media-floppy", drawnDevice(Device::Floppy)),
        or_(u"drive-removable-media", drawnDevice(Device::Removable)),
        or_(u"drive-harddisk", drawnDevice(Device::HardDisk)),
        or_(u"folder-remote", drawnDevice(Device::Network)),
        or_(u"network-offline", drawnDevice(Device::NetworkOff)),
        or_(u"media-optical", drawnDevice(Device::Optical)),
    };
    for (int i = 0; i < 12; ++i) {
        imageList2.append(shell[i]);
        if (i == 3)
            imageList1.append(shell[i]);
    }
}

void ensureIconTheme()
{
    if (QIcon::hasThemeIcon(QStringLiteral("folder")))
        return;
    QIcon::setThemeName(QStringLiteral("Adwaita"));
}

} // namespace quorix::ui
