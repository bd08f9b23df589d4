#include "platform/DriveTable.h"
#include "platform/Mounts.h"
#include "support/TestMain.h"

#include <QTest>

#include <sys/stat.h>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(quorix::platform::DriveKind)

class tst_DriveTable : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { DriveTable::reload(); }

    void specReplacesTable()
    {
        const DriveTable table = DriveTable::fromSpec(
            "C=/home/me;d=cdrom:/media/cd/;E=removable:/media/usb;A=removable:;"
            "R=RamDisk:/mnt/ram;N=remote:/net/share;bogus;X=weird:/x;Y=relative/path;C=/");
        const QList<Drive> drives = table.drives();
        QCOMPARE(drives.size(), 6);
        QCOMPARE(drives.at(0).letter, QLatin1Char('A')); // letter order
        QCOMPARE(drives.at(0).kind, DriveKind::Removable);
        QVERIFY(drives.at(0).root.isEmpty());               // no medium
        QCOMPARE(table.drive(u'c')->root, QByteArray("/")); // the later C= wins
        QCOMPARE(table.drive(u'D')->root, QByteArray("/media/cd"));
        QCOMPARE(table.drive(u'd')->kind, DriveKind::CdRom);
        QCOMPARE(table.drive(u'E')->kind, DriveKind::Removable);
        QCOMPARE(table.drive(u'R')->kind, DriveKind::RamDisk);
        QCOMPARE(table.drive(u'N')->kind, DriveKind::Remote);
        QVERIFY(!table.drive(u'X'));
        QVERIFY(!table.drive(u'Y'));
        QVERIFY(!table.drive(u'Z'));
        QVERIFY(!table.drive(u'?'));
    }

    void environmentVariableIsRead()
    {
        qputenv("QUORIX_DRIVES", "C=/tmp;M=cdrom:");
        DriveTable::reload();
        qunsetenv("QUORIX_DRIVES");
        QCOMPARE(DriveTable::current().drives().size(), 2);
        QCOMPARE(DriveTable::current().drive(u'C')->root, QByteArray("/tmp"));
        QCOMPARE(DriveTable::current().drive(u'M')->kind, DriveKind::CdRom);
    }

    void mountsParsed()
    {
        const QList<MountEntry> mounts =
            parseMounts("/dev/sdb1 /media/me/My\\040Disk vfat rw 0 0\nbroken\n");
        QCOMPARE(mounts.size(), 1);
        QCOMPARE(mounts.at(0).point, QByteArray("/media/me/My Disk"));
        QCOMPARE(mounts.at(0).type, QByteArray("vfat"));
    }

    void mountKinds_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<DriveKind>("blockKind");
        QTest::addColumn<DriveKind>("expected"); // Unknown = not a drive
        const auto fixed = DriveKind::Fixed;
        const auto none = DriveKind::Unknown;
        QTest::newRow("proc") << QByteArray("proc /proc proc") << fixed << none;
        QTest::newRow("cgroup") << QByteArray("cgroup /sys/fs/cgroup/cpu cgroup") << fixed << none;
        QTest::newRow("devpts") << QByteArray("devpts /dev/pts devpts") << fixed << none;
        QTest::newRow("run tmpfs") << QByteArray("tmpfs /run/user/1000 tmpfs") << fixed << none;
        QTest::newRow("root") << QByteArray("/dev/sda1 / ext4") << fixed << none;
        QTest::newRow("boot") << QByteArray("/dev/sda2 /boot/efi vfat") << fixed << none;
        QTest::newRow("snap") << QByteArray("/dev/loop3 /snap/core/1 squashfs") << fixed << none;
        QTest::newRow("home disk") << QByteArray("/dev/sdb1 /home ext4") << fixed << fixed;
        QTest::newRow("usb stick") << QByteArray("/dev/sdc1 /media/me/STICK vfat")
                                   << DriveKind::Removable << DriveKind::Removable;
        QTest::newRow("udisks media") << QByteArray("/dev/sdc1 /run/media/me/STICK exfat")
                                      << DriveKind::Removable << DriveKind::Removable;
        QTest::newRow("cd") << QByteArray("/dev/sr0 /media/cdrom iso9660") << fixed
                            << DriveKind::CdRom;
        QTest::newRow("nfs") << QByteArray("srv:/export /mnt/nfs nfs4") << fixed
                             << DriveKind::Remote;
        QTest::newRow("cifs") << QByteArray("//srv/share /mnt/share cifs") << fixed
                              << DriveKind::Remote;
        QTest::newRow("sshfs") << QByteArray("me@srv: /mnt/ssh fuse.sshfs") << fixed
                               << DriveKind::Remote;
        QTest::newRow("ram disk") << QByteArray("tmpfs /mnt/ram tmpfs") << fixed
                                  << DriveKind::RamDisk;
    }
    void mountKinds()
    {
        QFETCH(QByteArray, line);
        QFETCH(DriveKind, blockKind);
        QFETCH(DriveKind, expected);
        const QList<MountEntry> mounts = parseMounts(line + " rw 0 0\n");
        QCOMPARE(mounts.size(), 1);
        QCOMPARE(kindForMount(mounts.at(0), blockKind).value_or(DriveKind::Unknown), expected);
    }

    // The table of this machine: C: is "/", every further letter is a real, distinct folder.
    void automaticTableOfThisMachine()
    {
        const DriveTable table = DriveTable::fromMounts(
            "proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\n/dev/x /etc/hostname ext4 rw 0 0\n"
            "/dev/x / ext4 rw 0 0\n");
        QCOMPARE(table.drives().size(), 1);
        QCOMPARE(table.drive(u'C')->root, QByteArray("/"));
        QCOMPARE(table.drive(u'C')->kind, DriveKind::Fixed);
        QVERIFY(!table.drive(u'A'));

        qunsetenv("QUORIX_DRIVES");
        DriveTable::reload();
        const QList<Drive> drives = DriveTable::current().drives();
        QVERIFY(!drives.isEmpty());
        QCOMPARE(DriveTable::current().drive(u'C')->root, QByteArray("/"));
        QList<dev_t> devices;
        for (const Drive& d : drives) {
            struct stat st
            {
            };
            QVERIFY(stat(d.root.constData(), &st) == 0 && S_ISDIR(st.st_mode));
            QVERIFY2(!devices.contains(st.st_dev), d.root.constData());
            devices.append(st.st_dev);
            QVERIFY(!d.root.startsWith("/proc") && !d.root.startsWith("/sys"));
            QVERIFY(d.kind != DriveKind::Unknown);
        }
    }
};

QUORIX_TEST(tst_DriveTable)
#include "tst_DriveTable.moc"
