#pragma once

#include <QDateTime>

#include <ctime>

namespace quorix::platform {

// Converts file times to local QDateTime values.
class LocalClock
{
public:
    QDateTime fromUnix(time_t seconds, long nanoseconds) const
    {
        if (seconds == 0 && nanoseconds == 0)
            return {};
        return QDateTime::fromMSecsSinceEpoch(qint64(seconds) * 1000 + nanoseconds / 1000000,
                                              Qt::LocalTime);
    }
};

} // namespace quorix::platform
