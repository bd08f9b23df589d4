#pragma once

#include "platform/DriveTable.h"

#include <QByteArray>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// A temporary folder mapped as drive C: (plus a D: without medium) for the time the
// fixture lives; files are made with native byte names so that any name can be tested.
class TempDrives
{
public:
    explicit TempDrives(const QByteArray& extraSpec = {})
    {
        QByteArray spec = "C=" + root() + ";D=cdrom:";
        if (!extraSpec.isEmpty())
            spec += ';' + extraSpec;
        quorix::platform::DriveTable::setCurrentForTests(
            quorix::platform::DriveTable::fromSpec(spec));
    }
    ~TempDrives()
    {
        quorix::platform::DriveTable::reload();
        // QTemporaryDir cannot see names that are not UTF-8: remove the tree natively.
        nftw(
            root().constData(),
            [](const char* path, const struct stat*, int, struct FTW*) {
                chmod(path, 0700);
                remove(path);
                return 0;
            },
            16, FTW_DEPTH | FTW_PHYS);
    }

    QByteArray root() const { return m_dir.path().toLocal8Bit(); }
    QByteArray native(const QByteArray& relative) const { return root() + '/' + relative; }

    bool file(const QByteArray& relative, const QByteArray& contents = {}) const
    {
        const int fd = open(native(relative).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const bool ok =
            write(fd, contents.constData(), size_t(contents.size())) == ssize_t(contents.size());
        return close(fd) == 0 && ok;
    }
    bool folder(const QByteArray& relative) const
    {
        return mkdir(native(relative).constData(), 0755) == 0;
    }
    bool present(const QByteArray& relative) const
    {
        struct stat st
        {
        };
        return lstat(native(relative).constData(), &st) == 0;
    }
    QByteArray contents(const QByteArray& relative) const
    {
        const int fd = open(native(relative).constData(), O_RDONLY);
        QByteArray data;
        if (fd < 0)
            return data;
        char buffer[4096];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            data.append(buffer, n);
        close(fd);
        return data;
    }

    // Whether the file system of the fixture keeps user extended attributes.
    bool userXattrsWork() const
    {
        const QByteArray path = root();
        if (setxattr(path.constData(), "user.quorix-probe", "1", 1, 0) != 0)
            return false;
        removexattr(path.constData(), "user.quorix-probe");
        return true;
    }

private:
    QTemporaryDir m_dir;
};
