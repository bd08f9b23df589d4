#include "listing/PeIconReader.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace quorix {

QByteArray MemoryByteSource::read(qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0 || offset >= m_bytes.size())
        return {};
    return m_bytes.mid(offset, qMin(length, m_bytes.size() - offset));
}

namespace {

constexpr quint32 kGroupIconType = 14; // RT_GROUP_ICON
constexpr quint32 kIconType = 3;       // RT_ICON
constexpr int kMaxSections = 96;
constexpr int kMaxDirectoryEntries = 4096;
constexpr int kMaxGroupEntries = 256;

quint16 u16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

struct Section
{
    quint32 virtualAddress;
    quint32 virtualSize;
    quint32 rawSize;
    quint32 rawOffset;
};

struct ResourceEntry
{
    quint32 name;   // id, or a name offset with the high bit set
    quint32 offset; // high bit set: a further directory
};

class PeFile
{
public:
    explicit PeFile(ByteSource& file) : m_file(file) {}

    bool open()
    {
        const QByteArray dos = exact(0, 64);
        if (dos.isEmpty() || dos.at(0) != 'M' || dos.at(1) != 'Z')
            return false;
        const qint64 pe = u32(dos, 0x3C);
        const QByteArray head = exact(pe, 24);
        if (head.isEmpty() || !head.startsWith(QByteArrayView("PE\0\0", 4)))
            return false;
        const int sectionCount = u16(head, 6);
        const quint16 optionalSize = u16(head, 20);
        if (sectionCount == 0 || sectionCount > kMaxSections)
            return false;
        const QByteArray opt = exact(pe + 24, optionalSize);
        if (opt.size() < 2)
            return false;
        qsizetype dirCountAt = 0;
        switch (u16(opt, 0)) {
        case 0x10B:
            dirCountAt = 92;
            break; // 32-bit image
        case 0x20B:
            dirCountAt = 108;
            break; // 64-bit image
        default:
            return false;
        }
        const qsizetype resourceDirAt = dirCountAt + 4 + 2 * 8;
        if (opt.size() < resourceDirAt + 8 || u32(opt, dirCountAt) < 3)
            return false;
        const quint32 resourceRva = u32(opt, resourceDirAt);
        if (resourceRva == 0)
            return false;

        const QByteArray table = exact(pe + 24 + optionalSize, qint64(sectionCount) * 40);
        if (table.isEmpty())
            return false;
        for (int i = 0; i < sectionCount; ++i) {
            const qsizetype s = qsizetype(i) * 40;
            m_sections.push_back(
                {u32(table, s + 12), u32(table, s + 8), u32(table, s + 16), u32(table, s + 20)});
        }
        const std::optional<qint64> base = fileOffset(resourceRva);
        if (!base)
            return false;
        m_resourceBase = *base;
        return true;
    }

    // The icon group's bytes and the file position of a resource given by type and index.
    std::optional<QByteArray> resourceData(quint32 type, std::optional<quint32> id, qint64 maxBytes)
    {
        const std::optional<ResourceEntry> typeEntry = findEntry(0, type);
        if (!typeEntry || !(typeEntry->offset & 0x80000000u))
            return std::nullopt;
        // Second level: the first group in directory order, or the one with the given id.
        std::optional<ResourceEntry> nameEntry = id ? findEntry(typeEntry->offset & 0x7FFFFFFF, *id)
                                                    : firstEntry(typeEntry->offset & 0x7FFFFFFF);
        if (!nameEntry || !(nameEntry->offset & 0x80000000u))
            return std::nullopt;
        // Third level: the first language.
        const std::optional<ResourceEntry> language = firstEntry(nameEntry->offset & 0x7FFFFFFF);
        if (!language || (language->offset & 0x80000000u))
            return std::nullopt;
        const QByteArray dataEntry = exact(m_resourceBase + language->offset, 16);
        if (dataEntry.isEmpty())
            return std::nullopt;
        const quint32 size = u32(dataEntry, 4);
        if (size == 0 || size > maxBytes)
            return std::nullopt;
        const std::optional<qint64> at = fileOffset(u32(dataEntry, 0), size);
        if (!at)
            return std::nullopt;
        QByteArray data = exact(*at, size);
        if (data.isEmpty())
            return std::nullopt;
        return data;
    }

private:
    // Reads exactly length bytes or nothing.
    QByteArray exact(qint64 offset, qint64 length)
    {
        if (offset < 0 || length <= 0 || offset > m_file.size() - length)
            return {};
        QByteArray b = m_file.read(offset, length);
        return b.size() == length ? b : QByteArray();
    }

    std::optional<qint64> fileOffset(quint32 rva, quint32 length = 1) const
    {
        for (const Section& s : m_sections) {
            if (rva < s.virtualAddress)
                continue;
            const quint64 into = quint64(rva) - s.virtualAddress;
            if (into + length <= s.rawSize)
                return qint64(s.rawOffset) + qint64(into);
        }
        return std::nullopt;
    }

    std::vector<ResourceEntry> entries(quint32 directory)
    {
        std::vector<ResourceEntry> list;
        const QByteArray head = exact(m_resourceBase + directory, 16);
        if (head.isEmpty())
            return list;
        const int count = qMin(int(u16(head, 12)) + int(u16(head, 14)), kMaxDirectoryEntries);
        const QByteArray raw = exact(m_resourceBase + directory + 16, qint64(count) * 8);
        if (raw.isEmpty())
            return list;
        list.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            list.push_back({u32(raw, i * 8), u32(raw, i * 8 + 4)});
        return list;
    }

    std::optional<ResourceEntry> firstEntry(quint32 directory)
    {
        const std::vector<ResourceEntry> list = entries(directory);
        if (list.empty())
            return std::nullopt;
        return list.front();
    }

    std::optional<ResourceEntry> findEntry(quint32 directory, quint32 id)
    {
        for (const ResourceEntry& e : entries(directory)) {
            if (!(e.name & 0x80000000u) && (e.name & 0xFFFF) == id)
                return e;
        }
        return std::nullopt;
    }

    ByteSource& m_file;
    std::vector<Section> m_sections;
    qint64 m_resourceBase = 0;
};

// Picks the image to show at 16 pixels: 16 wide with the most colours, else the smallest
// larger one, else the largest smaller one.
const char* chooseImage(const QByteArray& group, int count)
{
    const char* best = nullptr;
    int bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const char* e = group.constData() + 6 + i * 14;
        const int width = quint8(e[0]) == 0 ? 256 : quint8(e[0]);
        const int bits = qMin<int>(qFromLittleEndian<quint16>(e + 6), 32);
        int score;
        if (width == 16)
            score = 100000 + bits;
        else if (width > 16)
            score = 50000 - width * 64 + bits;
        else
            score = width * 64 + bits;
        if (!best || score > bestScore) {
            best = e;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

std::optional<QByteArray> firstProgramIcon(ByteSource& file)
{
    PeFile pe(file);
    if (!pe.open())
        return std::nullopt;
    const std::optional<QByteArray> group =
        pe.resourceData(kGroupIconType, std::nullopt, 6 + 14 * kMaxGroupEntries);
    if (!group || group->size() < 6 || u16(*group, 2) != 1)
        return std::nullopt;
    const int count = qMin<int>(u16(*group, 4), int((group->size() - 6) / 14));
    if (count <= 0)
        return std::nullopt;
    const char* chosen = chooseImage(*group, count);
    const quint16 iconId = qFromLittleEndian<quint16>(chosen + 12);
    const std::optional<QByteArray> image = pe.resourceData(kIconType, iconId, kMaxIconImageBytes);
    if (!image)
        return std::nullopt;

    // A one-image icon file: directory, one entry, the image.
    QByteArray ico(6 + 16, '\0');
    char* d = ico.data();
    qToLittleEndian<quint16>(1, d + 2);
    qToLittleEndian<quint16>(1, d + 4);
    memcpy(d + 6, chosen, 8); // width, height, colours, reserved, planes, bit count
    qToLittleEndian<quint32>(quint32(image->size()), d + 14);
    qToLittleEndian<quint32>(22, d + 18);
    ico += *image;
    return ico;
}

} // namespace quorix
