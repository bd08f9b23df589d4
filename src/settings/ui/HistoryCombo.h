#pragma once

#include "settings/HistoryList.h"

class QComboBox;

namespace quorix::settings {

// A history shown in a combo box: the box's drop-down list holds the entries, its edit
// text is what gets pushed.

// Fills the box's list from the file when the file exists (otherwise the list stays);
// the box's text is kept. Returns whether the file was there.
bool loadHistory(QComboBox* box, const HistoryList& history);
// Pushes the box's text into its list (see pushHistory) and shows entry 0 in the box.
void pushHistory(QComboBox* box, const HistoryList& history);
// Writes the box's list to the file.
FileWriteResult saveHistory(const QComboBox* box, const HistoryList& history);

QStringList historyEntries(const QComboBox* box);
// Replaces the box's list; the box's text is kept.
void setHistoryEntries(QComboBox* box, const QStringList& entries);

} // namespace quorix::settings
