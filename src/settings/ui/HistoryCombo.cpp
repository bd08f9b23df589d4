#include "settings/ui/HistoryCombo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace quorix::settings {

QStringList historyEntries(const QComboBox* box)
{
    QStringList entries;
    entries.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

void setHistoryEntries(QComboBox* box, const QStringList& entries)
{
    const QString text = box->currentText();
    // Refilling the list is no choice of the user's: the box's handlers must not see it.
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(entries);
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool loadHistory(QComboBox* box, const HistoryList& history)
{
    const std::optional<QStringList> entries = history.load();
    if (!entries)
        return false;
    setHistoryEntries(box, *entries);
    return true;
}

void pushHistory(QComboBox* box, const HistoryList& history)
{
    QStringList entries = historyEntries(box);
    history.push(entries, box->currentText());
    {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(entries);
    }
    // Entry 0 is always there after a push.
    if (box->isEditable())
        box->setEditText(entries.front());
    else
        box->setCurrentIndex(0);
    box->update();
}

FileWriteResult saveHistory(const QComboBox* box, const HistoryList& history)
{
    return history.save(historyEntries(box));
}

} // namespace quorix::settings
