#include "listing/RowTexts.h"

#include <QLocale>

#include <iterator>

namespace quorix {

QString sizeText(qint64 bytes)
{
    // Unsigned 32-bit on purpose: the rounding wraps for the last kilobyte below 4 GiB
    // exactly as the column always showed it.
    const quint32 low = quint32(quint64(bytes) & 0xFFFFFFFFu);
    quint32 kilobytes = quint32(low + 1023u) / 1024u;
    // Written by hand: this runs for every file of a listing.
    char16_t buffer[16];
    char16_t* end = buffer + std::size(buffer);
    char16_t* p = end;
    *--p = u'B';
    *--p = u'K';
    do {
        *--p = char16_t(u'0' + kilobytes % 10);
        kilobytes /= 10;
    } while (kilobytes);
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}

QString timeText(const QDateTime& localTime)
{
    if (!localTime.isValid())
        return {};
    const QDate d = localTime.date();
    const QTime t = localTime.time();
    const int year = d.year();
    if (year < 0 || year > 9999)
        return localTime.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    auto two = [](char16_t* at, int v) {
        at[0] = char16_t(u'0' + v / 10);
        at[1] = char16_t(u'0' + v % 10);
    };
    char16_t text[17] = u"0000-00-00 00:00";
    two(text, year / 100);
    two(text + 2, year % 100);
    two(text + 5, d.month());
    two(text + 8, d.day());
    two(text + 11, t.hour());
    two(text + 14, t.minute());
    return QString(reinterpret_cast<const QChar*>(text), 16);
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
