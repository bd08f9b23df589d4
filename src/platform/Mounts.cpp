#include "platform/Mounts.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quorix::platform {

namespace {

QByteArray unescapeMountField(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size() && field.at(i + 1) >= '0' && field.at(i + 1) <= '3' &&
            field.at(i + 2) >= '0' && field.at(i + 2) <= '7' && field.at(i + 3) >= '0' &&
            field.at(i + 3) <= '7') {
            out.append(char(((field.at(i + 1) - '0') << 6) | ((field.at(i + 2) - '0') << 3) |
                            (field.at(i + 3) - '0')));
            i += 3;
        } else {
            out.append(c);
        }
    }
    return out;
}

bool isUnder(const QByteArray& path, const char* folder)
{
    const QByteArray f(folder);
    return path == f || (path.startsWith(f) && path.at(f.size()) == '/');
}

bool isSystemFolder(const QByteArray& point)
{
    if (isUnder(point, "/run/media") || isUnder(point, "/run/mount"))
        return false;
    for (const char* folder :
         {"/proc", "/sys", "/dev", "/run", "/boot", "/efi", "/snap", "/var", "/usr", "/tmp"}) {
        if (isUnder(point, folder))
            return true;
    }
    return false;
}

bool oneOf(const QByteArray& type, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (type == name)
            return true;
    }
    return false;
}

QByteArray readSmallFile(const QByteArray& path)
{
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    close(fd);
    return n > 0 ? QByteArray(buffer, n).trimmed() : QByteArray();
}

} // namespace

QList<MountEntry> parseMounts(const QByteArray& text)
{
    QList<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        mounts.append({unescapeMountField(fields[0]), unescapeMountField(fields[1]),
                       unescapeMountField(fields[2])});
    }
    return mounts;
}

std::optional<DriveKind> kindForMount(const MountEntry& mount, DriveKind blockKind)
{
    const QByteArray& type = mount.type;
    if (!mount.point.startsWith('/') || mount.point == "/" || isSystemFolder(mount.point))
        return std::nullopt;
    if (oneOf(type, {"proc",          "sysfs",
                     "cgroup",        "cgroup2",
                     "devtmpfs",      "devpts",
                     "securityfs",    "debugfs",
                     "tracefs",       "pstore",
                     "bpf",           "configfs",
                     "fusectl",       "mqueue",
                     "hugetlbfs",     "autofs",
                     "binfmt_misc",   "efivarfs",
                     "rpc_pipefs",    "nsfs",
                     "selinuxfs",     "overlay",
                     "squashfs",      "nfsd",
                     "devfs",         "fuse.gvfsd-fuse",
                     "fuse.portal",   "fuse.lxcfs",
                     "fuse.snapfuse", "fuse.xdg-document-portal"}))
        return std::nullopt;
    if (oneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs",
                     "9p", "lustre", "davfs", "fuse.sshfs", "fuse.rclone", "fuse.davfs2",
                     "fuse.s3fs", "fuse.glusterfs", "fuse.smbnetfs", "fuse.curlftpfs"}))
        return DriveKind::Remote;
    if (oneOf(type, {"tmpfs", "ramfs"}))
        return DriveKind::RamDisk;
    if (oneOf(type, {"iso9660", "udf"}))
        return DriveKind::CdRom;
    if (mount.source.startsWith("/dev/"))
        return blockKind;
    return DriveKind::Fixed;
}

DriveKind blockDeviceKind(quint64 device, bool* floppy)
{
    if (floppy)
        *floppy = false;
    const QByteArray link = "/sys/dev/block/" + QByteArray::number(major(device)) + ':' +
                            QByteArray::number(minor(device));
    char resolved[PATH_MAX];
    if (!realpath(link.constData(), resolved))
        return DriveKind::Fixed;
    QByteArray path(resolved);
    if (access(QByteArray(path + "/partition").constData(), F_OK) == 0)
        path = path.left(path.lastIndexOf('/'));
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name.startsWith("sr"))
        return DriveKind::CdRom;
    if (name.startsWith("fd")) {
        if (floppy)
            *floppy = true;
        return DriveKind::Removable;
    }
    if (name.startsWith("zram") || name.startsWith("ram"))
        return DriveKind::RamDisk;
    if (readSmallFile(QByteArray(path + "/removable")) == "1")
        return DriveKind::Removable;
    return DriveKind::Fixed;
}

} // namespace quorix::platform
