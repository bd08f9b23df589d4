#pragma once

#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QList>

#include <optional>

namespace quorix::platform {

enum class DriveKind { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

struct Drive
{
    QChar letter; // upper case, 'A'..'Z'
    DriveKind kind;
    QByteArray root; // native folder without trailing '/' (except "/"); empty = no medium
};

// The letters of the logical file system. Built once, from QUORIX_DRIVES when that is set
// and not empty, otherwise from the mount table; letters never change while it lives.
class DriveTable
{
public:
    static const DriveTable& current();
    static void reload();

    std::optional<Drive> drive(QChar letter) const; // letter case does not matter
    QList<Drive> drives() const;                    // in letter order

    // Parses the QUORIX_DRIVES form ("C=/home/me;D=cdrom:/media/cd;A=removable:").
    static DriveTable fromSpec(const QByteArray& spec);
    // Builds the automatic table from a mount table in the /proc/self/mounts format.
    static DriveTable fromMounts(const QByteArray& mounts);
    // Makes current() return table until the next reload().
    static void setCurrentForTests(const DriveTable& table);

    // True while the volume that was mounted on the drive's root when the table was built
    // is still mounted there (always true for drives without such a record).
    bool stillMounted(QChar letter, quint64 deviceNow) const;

private:
    void add(const Drive& drive, quint64 device = 0);

    std::optional<Drive> m_drives[26];
    QHash<int, quint64> m_devices; // letter index -> st_dev at build time (mounted drives)
};

DriveKind driveKindFromName(const QByteArray& name, bool* ok = nullptr);

} // namespace quorix::platform
