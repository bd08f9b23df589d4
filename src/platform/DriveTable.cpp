#include "platform/DriveTable.h"

#include "platform/Mounts.h"

#include <QMutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorix::platform {

namespace {

int indexOf(QChar letter)
{
    const char16_t c = letter.toUpper().unicode();
    return c >= u'A' && c <= u'Z' ? c - u'A' : -1;
}

QByteArray withoutTrailingSlash(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

QByteArray readMountTable()
{
    const int fd = open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray text;
    char buffer[16384];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, n);
    close(fd);
    return text;
}

DriveTable buildCurrent()
{
    const QByteArray spec = qgetenv("QUORIX_DRIVES");
    if (!spec.trimmed().isEmpty())
        return DriveTable::fromSpec(spec);
    return DriveTable::fromMounts(readMountTable());
}

QMutex g_mutex;
std::optional<DriveTable> g_current;

} // namespace

DriveKind driveKindFromName(const QByteArray& name, bool* ok)
{
    static const std::pair<const char*, DriveKind> kinds[] = {{"fixed", DriveKind::Fixed},
                                                              {"removable", DriveKind::Removable},
                                                              {"remote", DriveKind::Remote},
                                                              {"cdrom", DriveKind::CdRom},
                                                              {"ramdisk", DriveKind::RamDisk}};
    const QByteArray lower = name.trimmed().toLower();
    for (const auto& [text, kind] : kinds) {
        if (lower == text) {
            if (ok)
                *ok = true;
            return kind;
        }
    }
    if (ok)
        *ok = false;
    return DriveKind::Unknown;
}

const DriveTable& DriveTable::current()
{
    QMutexLocker lock(&g_mutex);
    if (!g_current)
        g_current = buildCurrent();
    return *g_current;
}

void DriveTable::reload()
{
    QMutexLocker lock(&g_mutex);
    g_current = buildCurrent();
}

void DriveTable::setCurrentForTests(const DriveTable& table)
{
    QMutexLocker lock(&g_mutex);
    g_current = table;
}

std::optional<Drive> DriveTable::drive(QChar letter) const
{
    const int i = indexOf(letter);
    return i < 0 ? std::nullopt : m_drives[i];
}

QList<Drive> DriveTable::drives() const
{
    QList<Drive> list;
    for (const auto& d : m_drives) {
        if (d)
            list.append(*d);
    }
    return list;
}

bool DriveTable::stillMounted(QChar letter, quint64 deviceNow) const
{
    const auto it = m_devices.constFind(indexOf(letter));
    return it == m_devices.constEnd() || *it == deviceNow;
}

void DriveTable::add(const Drive& drive, quint64 device)
{
    const int i = indexOf(drive.letter);
    if (i < 0)
        return;
    m_drives[i] = Drive{QChar(u'A' + i), drive.kind, drive.root};
    if (device)
        m_devices.insert(i, device);
    else
        m_devices.remove(i);
}

DriveTable DriveTable::fromSpec(const QByteArray& spec)
{
    DriveTable table;
    for (const QByteArray& item : spec.split(';')) {
        const QByteArray entry = item.trimmed();
        const qsizetype eq = entry.indexOf('=');
        if (eq != 1)
            continue;
        const QChar letter = QLatin1Char(entry.at(0));
        if (indexOf(letter) < 0)
            continue;
        QByteArray value = entry.mid(2);
        DriveKind kind = DriveKind::Fixed;
        const qsizetype colon = value.indexOf(':');
        if (!value.startsWith('/') && colon >= 0) {
            bool known = false;
            kind = driveKindFromName(value.left(colon), &known);
            if (!known)
                continue;
            value = value.mid(colon + 1);
        }
        if (!value.isEmpty() && !value.startsWith('/'))
            continue; // a root must be absolute
        table.add(Drive{letter, kind, withoutTrailingSlash(value)});
    }
    return table;
}

DriveTable DriveTable::fromMounts(const QByteArray& mounts)
{
    DriveTable table;
    QList<quint64> devicesSeen;
    struct stat st
    {
    };
    if (stat("/", &st) == 0)
        devicesSeen.append(quint64(st.st_dev));
    table.add(Drive{QLatin1Char('C'), DriveKind::Fixed, QByteArray("/")});

    int nextLetter = 'D' - 'A';
    int nextFloppy = 0;
    for (const MountEntry& mount : parseMounts(mounts)) {
        if (!kindForMount(mount, DriveKind::Fixed))
            continue; // cheap rejection before touching the mount point
        if (stat(mount.point.constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            devicesSeen.contains(quint64(st.st_dev)))
            continue; // gone, a file bind-mounted over a file, or a volume already lettered
        const quint64 volume = quint64(st.st_dev);
        quint64 blockDevice = volume;
        struct stat dev
        {
        };
        if (mount.source.startsWith("/dev/") && stat(mount.source.constData(), &dev) == 0 &&
            S_ISBLK(dev.st_mode))
            blockDevice = quint64(dev.st_rdev);
        bool floppy = false;
        const DriveKind blockKind = blockDeviceKind(blockDevice, &floppy);
        const std::optional<DriveKind> kind = kindForMount(mount, blockKind);
        if (!kind)
            continue;
        int letter;
        if (floppy && nextFloppy < 2)
            letter = nextFloppy++;
        else if (nextLetter < 26)
            letter = nextLetter++;
        else
            continue;
        devicesSeen.append(volume);
        table.add(Drive{QChar(u'A' + letter), *kind, withoutTrailingSlash(mount.point)}, volume);
    }
    return table;
}

} // namespace quorix::platform
