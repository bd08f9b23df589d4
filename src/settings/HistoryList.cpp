#include "settings/HistoryList.h"

#include "platform/ProgramPath.h"

namespace quorix::settings {

namespace {

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

} // namespace

bool historyEntriesEqual(const QString& a, const QString& b, HistoryMatch match)
{
    if (match == HistoryMatch::Exact)
        return a == b;
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i].unicode()) != asciiUpper(b[i].unicode()))
            return false;
    }
    return true;
}

void pushHistory(QStringList& entries, const QString& text, HistoryMatch match)
{
    entries.prepend(text);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        if (historyEntriesEqual(entries[i], entries[0], match)) {
            entries.removeAt(i);
            break;
        }
        if (entries[i].isEmpty())
            entries.removeAt(i); // the next entry moves here and is skipped
    }
    while (entries.size() > HistoryList::MaxEntries)
        entries.removeLast();
}

QStringList parseHistory(const QByteArray& bytes)
{
    const QString text = decodeStoredText(bytes);
    QStringList entries;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        entries.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        entries.append(text.mid(start));
    return entries;
}

QByteArray serializeHistory(const QStringList& entries)
{
    QByteArray bytes;
    for (const QString& entry : entries) {
        bytes += entry.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

HistoryList::HistoryList(QString fileName, HistoryMatch match)
    : m_fileName(std::move(fileName)), m_match(match)
{
}

HistoryList HistoryList::mainPath()
{
    return {QStringLiteral("MainPath.LST"), HistoryMatch::AsciiCaseless};
}

HistoryList HistoryList::mainMask()
{
    return {QStringLiteral("Mask.LST"), HistoryMatch::AsciiCaseless};
}

HistoryList HistoryList::copyDestination()
{
    return {QStringLiteral("PATH.LST"), HistoryMatch::Exact};
}

HistoryList HistoryList::findName()
{
    return {QStringLiteral("FIND.LST"), HistoryMatch::Exact};
}

QString HistoryList::nativePath() const
{
    return platform::programFolder() + QLatin1Char('/') + m_fileName;
}

std::optional<QStringList> HistoryList::load() const
{
    const FileReadResult read = readStoredFile(nativePath());
    if (read.status != FileReadResult::Read)
        return std::nullopt;
    return parseHistory(read.bytes);
}

FileWriteResult HistoryList::save(const QStringList& entries) const
{
    return writeStoredFile(nativePath(), serializeHistory(entries));
}

} // namespace quorix::settings
