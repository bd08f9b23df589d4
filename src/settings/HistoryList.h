#pragma once

#include "settings/StoredFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorix::settings {

// How a pushed entry is matched against the older ones.
enum class HistoryMatch {
    AsciiCaseless, // the main window's boxes: a-z equal A-Z, every other character exact
    Exact,         // the dialogs' boxes
};

bool historyEntriesEqual(const QString& a, const QString& b, HistoryMatch match);

// Puts text in front of entries and tidies the list: only the first older entry equal to
// it is removed (and the scan ends there); empty entries met before it are removed, but
// the entry that moves into a removed place is not looked at in this push; then the list
// is cut to MaxEntries. An empty text becomes an empty entry 0.
void pushHistory(QStringList& entries, const QString& text, HistoryMatch match);

// The file's bytes as entries: one per line, a line break being CR LF, LF or CR; a break
// at the very end starts no further entry.
QStringList parseHistory(const QByteArray& bytes);
// The entries as the file holds them: each followed by CR LF, the last one included.
QByteArray serializeHistory(const QStringList& entries);

// One history file beside the program file and the matching rule of its box.
class HistoryList
{
public:
    static constexpr int MaxEntries = 20;

    HistoryList(QString fileName, HistoryMatch match);

    // The four histories of the program.
    static HistoryList mainPath();        // "MainPath.LST", the main window's path box
    static HistoryList mainMask();        // "Mask.LST", the main window's mask box
    static HistoryList copyDestination(); // "PATH.LST", the copy / move dialog
    static HistoryList findName();        // "FIND.LST", the find dialog

    const QString& fileName() const { return m_fileName; }
    HistoryMatch match() const { return m_match; }
    QString nativePath() const;

    // The entries of the file, or nothing when there is no file (or it cannot be read):
    // the box then keeps its list.
    std::optional<QStringList> load() const;
    // Replaces the file in one step.
    FileWriteResult save(const QStringList& entries) const;
    void push(QStringList& entries, const QString& text) const
    {
        pushHistory(entries, text, m_match);
    }

private:
    QString m_fileName;
    HistoryMatch m_match;
};

} // namespace quorix::settings
