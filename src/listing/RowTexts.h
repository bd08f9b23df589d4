#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace quorix {

// Size column: kilobytes rounded up, computed on the low 32 bits of the size in unsigned
// 32-bit arithmetic, followed by "KB" (0 bytes 0KB, 1 to 1024 bytes 1KB).
QString sizeText(qint64 bytes);

// Modified column: "yyyy-mm-dd hh:mm" of a local time; empty when the time is unknown.
QString timeText(const QDateTime& localTime);

// Attribute column: the letters R, H, S and A, in that order, for the bits that are set.
QString attributeText(quint32 attributes);

// Free-space text of a number of free bytes ("/ 1.500KB Free"); empty from 1024 GB on and
// when the amount is unknown.
QString freeSpaceText(std::optional<quint64> freeBytes);

} // namespace quorix
