#pragma once

#include "platform/DriveTable.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace quorix::platform {

struct MountEntry
{
    QByteArray source; // device or share, octal escapes decoded
    QByteArray point;  // mount point, octal escapes decoded
    QByteArray type;   // file system type
};

// Lines of /proc/self/mounts, in order.
QList<MountEntry> parseMounts(const QByteArray& text);

// The drive kind a mount gets, or nullopt when a user would not call it a drive (pseudo file
// systems, system folders). blockKind is what the block device says about itself
// (Fixed, Removable, CdRom or RamDisk); it is used for mounts of block devices.
std::optional<DriveKind> kindForMount(const MountEntry& mount, DriveKind blockKind);

// What /sys/block says about the block device with that device number; floppy is set for
// a floppy disk drive.
DriveKind blockDeviceKind(quint64 device, bool* floppy = nullptr);

} // namespace quorix::platform
