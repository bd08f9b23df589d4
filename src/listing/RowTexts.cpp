#include "listing/RowTexts.h"

#include <QLocale>

namespace quorix {

QString sizeText(qint64 bytes)
{
    // Unsigned 32-bit on purpose: the rounding wraps for the last kilobyte below 4 GiB
    // exactly as the column always showed it.
    const quint32 low = quint32(quint64(bytes) & 0xFFFFFFFFu);
    const quint32 kilobytes = quint32(low + 1023u) / 1024u;
    return QString::number(kilobytes) + u"KB";
}

QString timeText(const QDateTime& localTime)
{
    if (!localTime.isValid())
        return {};
    return localTime.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

QString attributeText(quint32 attributes)
{
    QString letters;
    if (attributes & 0x01)
        letters += u'R';
    if (attributes & 0x02)
        letters += u'H';
    if (attributes & 0x04)
        letters += u'S';
    if (attributes & 0x20)
        letters += u'A';
    return letters;
}

QString freeSpaceText(std::optional<quint64> freeBytes)
{
    if (!freeBytes)
        return {};
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    double f = double(*freeBytes);
    if (f < 1024)
        return u"/ " + locale.toString(f, 'f', 0) + u"ﾊﾞｲﾄ Free";
    static const char16_t* const units[] = {u"KB Free", u"MB Free", u"GB Free"};
    for (const char16_t* unit : units) {
        f /= 1024;
        if (f < 1024)
            return u"/ " + locale.toString(f, 'f', 3) + QString::fromUtf16(unit);
    }
    return {};
}

} // namespace quorix
