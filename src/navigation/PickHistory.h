#pragma once

#include <QStringList>

namespace quorix {

// The history update after a pick from a main-window box's list: entry goes in front,
// then the first older entry equal to it (a-z compared as A-Z) is removed, which ends the
// scan, and empty entries met before it are removed. Unlike a push the list is not cut.
void putPickInFront(QStringList& entries, const QString& entry);

} // namespace quorix
