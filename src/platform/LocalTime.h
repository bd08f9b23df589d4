#pragma once

#include <QDateTime>

#include <ctime>

namespace quorix::platform {

// Converts file times to local date-times. The value carries the local UTC offset of that
// instant (Qt::OffsetFromUTC): the same wall-clock time as Qt::LocalTime, but made and
// formatted several times faster, which matters for folders of 100 000 entries.
class LocalClock
{
public:
    QDateTime fromUnix(time_t seconds, long nanoseconds) const
    {
        if (seconds == 0 && nanoseconds == 0)
            return {};
        struct tm parts
        {
        };
        if (!localtime_r(&seconds, &parts))
            return {};
        return QDateTime::fromMSecsSinceEpoch(qint64(seconds) * 1000 + nanoseconds / 1000000,
                                              Qt::OffsetFromUTC, int(parts.tm_gmtoff));
    }
};

} // namespace quorix::platform
