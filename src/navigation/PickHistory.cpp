#include "navigation/PickHistory.h"

#include "settings/HistoryList.h"

namespace quorix {

void putPickInFront(QStringList& entries, const QString& entry)
{
    entries.prepend(entry);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        if (settings::historyEntriesEqual(entries[i], entry,
                                          settings::HistoryMatch::AsciiCaseless)) {
            entries.removeAt(i);
            break;
        }
        if (entries[i].isEmpty())
            entries.removeAt(i); // the entry that moves up here is looked at next time only
    }
}

} // namespace quorix
