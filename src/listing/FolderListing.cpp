#include "listing/FolderListing.h"

#include "listing/PeIconReader.h"
#include "listing/RowColourRule.h"
#include "listing/RowTexts.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"
#include "platform/ReadOnlyFile.h"

#include <array>

namespace quorix {

namespace {

class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(platform::ReadOnlyFile& file) : m_file(file) {}
    qint64 size() const override { return m_file.size(); }
    QByteArray read(qint64 offset, qint64 length) override { return m_file.read(offset, length); }

private:
    platform::ReadOnlyFile& m_file;
};

// Shares the texts that repeat from entry to entry (files of the same minute, small sizes),
// so a large folder costs far fewer string allocations.
class SharedTexts
{
public:
    const QString& time(const QDateTime& when)
    {
        if (!when.isValid())
            return m_empty;
        const qint64 local = when.toMSecsSinceEpoch() + qint64(when.offsetFromUtc()) * 1000;
        const qint64 minute = local >= 0 ? local / 60000 : (local - 59999) / 60000;
        if (minute != m_lastMinute || m_lastTime.isEmpty()) {
            m_lastMinute = minute;
            m_lastTime = timeText(when);
        }
        return m_lastTime;
    }

    QString size(qint64 bytes)
    {
        const quint32 low = quint32(quint64(bytes) & 0xFFFFFFFFu);
        const quint32 kilobytes = quint32(low + 1023u) / 1024u;
        if (kilobytes >= m_sizes.size())
            return sizeText(bytes);
        QString& text = m_sizes[kilobytes];
        if (text.isEmpty())
            text = sizeText(bytes);
        return text;
    }

private:
    QString m_empty;
    qint64 m_lastMinute = 0;
    QString m_lastTime;
    std::array<QString, 1024> m_sizes;
};

QString friendlyName(const QString& caption)
{
    QString shown = platform::displayName(caption);
    return shown.constData() == caption.constData() || shown == caption ? QString() : shown;
}

} // namespace

int buildListRows(const std::vector<platform::DirEntry>& entries, const RowBuildContext& context,
                  std::vector<ListRow>& files, FolderStaging& folders,
                  std::vector<size_t>* entryOfFile)
{
    int folderCount = 0;
    SharedTexts shared;
    files.reserve(files.size() + entries.size());
    for (size_t index = 0; index < entries.size(); ++index) {
        const platform::DirEntry& e = entries[index];
        if (e.name == u"." || e.name == u"..")
            continue;
        ListRow row;
        row.timeText = shared.time(e.lastWrite);
        row.attributeText = attributeText(e.attributes);
        // The enumeration already says which entries are folders; asking the file system
        // again for each entry would double the cost of listing a large folder.
        if (e.attributes & platform::FA_DIRECTORY) {
            row.caption = e.name;
            row.displayName = friendlyName(e.name);
            row.typeText = folderTypeText();
            row.imageIndex = context.folderImage;
            row.colour = RowColour::WindowText;
            folders.add(std::move(row));
            ++folderCount;
            continue;
        }
        if (context.mask && !context.mask->matches(e.name))
            continue;
        row.caption = e.name;
        row.displayName = friendlyName(e.name);
        row.sizeText = shared.size(e.size);
        if (context.typeCache) {
            TypeLookup type = FileTypeName(*context.typeCache, e.name, context.currentDir,
                                           context.images, context.readIcon);
            row.typeText = std::move(type.typeName);
            row.imageIndex = type.imageIndex;
        } else {
            row.imageIndex = kNoIconImage;
        }
        row.colour = rowColourFor(row.typeText, row.attributeText);
        if (entryOfFile)
            entryOfFile->push_back(index);
        files.push_back(std::move(row));
    }
    return folderCount;
}

ListRow parentRow()
{
    ListRow row;
    row.caption = QStringLiteral("..");
    row.imageIndex = kParentImage;
    return row;
}

bool IsDirectory(const QString& path)
{
    return platform::isDirectory(path);
}

QString FreeSpaceText(const QString& folder)
{
    // A drive root is held as "C:"; the volume is asked about the folder itself so that a
    // folder on another mount of the same drive reports its own volume.
    return freeSpaceText(platform::freeBytes(folder.size() == 2 ? folder + u'\\' : folder));
}

std::optional<QByteArray> readProgramIcon(const QString& logicalPath)
{
    const std::unique_ptr<platform::ReadOnlyFile> file = platform::ReadOnlyFile::open(logicalPath);
    if (!file)
        return std::nullopt;
    FileByteSource source(*file);
    return firstProgramIcon(source);
}

} // namespace quorix
