#pragma once

#include "listing/ListRow.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

class QCollator;

namespace quorix {

// Sort keys as numbers (SortKind); 0 until a valid FileSort letter has been seen.
enum SortKindValue : int {
    SortUnknown = 0,
    SortByName = 1,
    SortBySize = 2,
    SortByType = 3,
    SortByTime = 4,
    SortByAttributes = 5,
};

// SortKind for a FileSort letter ("N", "S", "T", "D", "A", compared exactly); any other
// text keeps previous.
int sortKindForLetter(const QString& fileSort, int previous);

// The collation of the user's locale that orders names: case is ignored first and decides
// only between texts that are otherwise equal.
const QCollator& listCollator();

// Row comparisons of the file rows: negative puts a first, positive b, 0 leaves the order.
int CompareAscending(const ListRow& a, const ListRow& b, int sortKind);
int CompareDescending(const ListRow& a, const ListRow& b, int sortKind);

// Sorts file rows in place as CompareAscending/CompareDescending order them; rows that
// compare equal keep their order. Collation keys are computed once per row.
void sortFileRows(std::vector<ListRow>& rows, int sortKind, bool descending);

// Sorts rows by caption ascending (the order of the folder rows).
void sortByCaption(std::vector<ListRow>& rows);

// Makes the name collation keys of a list of names on a thread of its own, so that they
// are ready when the rows built meanwhile are sorted by name.
class BackgroundNameKeys
{
public:
    explicit BackgroundNameKeys(std::vector<QString> names);
    ~BackgroundNameKeys();
    BackgroundNameKeys(const BackgroundNameKeys&) = delete;
    BackgroundNameKeys& operator=(const BackgroundNameKeys&) = delete;

    // Makes the keys not yet begun on the calling thread too, then waits for the rest;
    // key i belongs to name i. Call it on the thread that made this object.
    std::vector<std::optional<QCollatorSortKey>> take();

private:
    // Makes keys in blocks taken from m_next until none is left.
    void makeKeys(const QCollator& collator);

    std::vector<QString> m_names;
    std::vector<std::optional<QCollatorSortKey>> m_keys;
    std::atomic<size_t> m_next{0};
    std::thread m_thread;
};

// The sort label: "ソートタイプ：" + key + direction.
QString sortLabelText(int sortKind, const QString& sortMuki);

// FileSort letter of a list column (name "N", size "S", type "T", modified "D",
// attributes "A"); empty for any other column.
QString sortLetterForColumn(int column);

// Header click rule: the same column again reverses the direction; another column keeps it.
void applyColumnClick(int column, QString& fileSort, QString& sortMuki);

} // namespace quorix
