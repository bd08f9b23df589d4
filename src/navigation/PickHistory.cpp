#include "navigation/PickHistory.h"

namespace quorix {

namespace {

QChar asciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
}

bool equalAsciiCaseless(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

} // namespace

void putPickInFront(QStringList& entries, const QString& entry)
{
    entries.prepend(entry);
    for (qsizetype i = 1; i < entries.size();) {
        if (equalAsciiCaseless(entries[i], entry)) {
            entries.removeAt(i);
            break;
        }
        if (entries[i].isEmpty()) {
            // The entry that moves up into this place is looked at next time only.
            entries.removeAt(i);
            ++i;
            continue;
        }
        ++i;
    }
}

} // namespace quorix
