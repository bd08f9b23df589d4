#include "TempDrives.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"
#include "platform/RenameFallback.h"
#include "support/TestMain.h"

#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

namespace {

QByteArray dosAttrib(const QByteArray& path)
{
    char value[64];
    const ssize_t n = getxattr(path.constData(), "user.DOSATTRIB", value, sizeof value);
    return n < 0 ? QByteArray() : QByteArray(value, n);
}

quint32 attributesOf(const QString& folderPattern, const QString& name)
{
    for (const DirEntry& e : enumerate(folderPattern).entries) {
        if (e.name == name)
            return e.attributes;
    }
    return 0xFFFFFFFF;
}

} // namespace

class tst_FileOps : public QObject
{
    Q_OBJECT
private slots:
    void renameMovesAnEntry()
    {
        TempDrives drives;
        QVERIFY(drives.file("old.txt", "data"));
        QVERIFY(drives.folder("dir"));
        QVERIFY(renameNoReplace(u"C:\\old.txt"_s, u"C:\\dir\\new.txt"_s).ok);
        QCOMPARE(drives.contents("dir/new.txt"), QByteArray("data"));
        QVERIFY(!drives.present("old.txt"));
        QVERIFY(renameNoReplace(u"C:\\dir"_s, u"C:\\Dir2"_s).ok);
        QVERIFY(drives.present("Dir2/new.txt"));
        // Changing only the letter case, and renaming onto the very same name, succeed.
        QVERIFY(renameNoReplace(u"C:\\Dir2\\new.txt"_s, u"C:\\Dir2\\NEW.TXT"_s).ok);
        QVERIFY(drives.present("Dir2/NEW.TXT"));
        QVERIFY(renameNoReplace(u"C:\\Dir2\\NEW.TXT"_s, u"C:\\Dir2\\NEW.TXT"_s).ok);
        QCOMPARE(drives.contents("Dir2/NEW.TXT"), QByteArray("data"));
    }

    void renameNeverReplaces_data()
    {
        QTest::addColumn<bool>("sourceIsFolder");
        QTest::addColumn<bool>("targetIsFolder");
        QTest::newRow("file onto file") << false << false;
        QTest::newRow("file onto folder") << false << true;
        QTest::newRow("folder onto file") << true << false;
        QTest::newRow("folder onto empty folder") << true << true;
    }
    void renameNeverReplaces()
    {
        QFETCH(bool, sourceIsFolder);
        QFETCH(bool, targetIsFolder);
        TempDrives drives;
        QVERIFY(sourceIsFolder ? drives.folder("a") : drives.file("a", "A"));
        QVERIFY(targetIsFolder ? drives.folder("b") : drives.file("b", "B"));
        const OpResult r = renameNoReplace(u"C:\\a"_s, u"C:\\b"_s);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, EEXIST);
        QCOMPARE(r.errorText, u"既に存在するファイルを作成することはできません。"_s);
        QVERIFY(drives.present("a") && drives.present("b"));
        if (!targetIsFolder)
            QCOMPARE(drives.contents("b"), QByteArray("B"));

        // The same through the way taken where the file system refuses the flag.
        QCOMPARE(renameWithoutReplaceFlag(drives.native("a").constData(),
                                          drives.native("b").constData()),
                 EEXIST);
        QVERIFY(drives.present("a") && drives.present("b"));
        if (!targetIsFolder)
            QCOMPARE(drives.contents("b"), QByteArray("B"));
    }

    void fallbackRenames()
    {
        TempDrives drives;
        QVERIFY(drives.file("f", "F"));
        QVERIFY(drives.folder("d"));
        QCOMPARE(renameWithoutReplaceFlag(drives.native("f").constData(),
                                          drives.native("g").constData()),
                 0);
        QCOMPARE(drives.contents("g"), QByteArray("F"));
        QVERIFY(!drives.present("f"));
        QCOMPARE(renameWithoutReplaceFlag(drives.native("d").constData(),
                                          drives.native("e").constData()),
                 0);
        QVERIFY(drives.present("e") && !drives.present("d"));
    }

    void renameErrors_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("text");
        QTest::newRow("no source")
            << u"C:\\none"_s << u"C:\\x"_s << u"指定されたファイルが見つかりません。"_s;
        QTest::newRow("no target folder")
            << u"C:\\f"_s << u"C:\\none\\x"_s << u"指定されたパスが見つかりません。"_s;
        QTest::newRow("no medium")
            << u"C:\\f"_s << u"D:\\x"_s << u"デバイスの準備ができていません。"_s;
    }
    void renameErrors()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, text);
        TempDrives drives;
        QVERIFY(drives.file("f"));
        const OpResult r = renameNoReplace(from, to);
        QVERIFY(!r.ok);
        QCOMPARE(r.errorText, text);
        QVERIFY(drives.present("f"));
    }

    void makeFolderOnce()
    {
        TempDrives drives;
        QVERIFY(makeFolder(u"C:\\New"_s));
        QVERIFY(isDirectory(u"C:\\New"_s));
        QVERIFY(!makeFolder(u"C:\\New"_s));
        QVERIFY(!makeFolder(u"C:\\none\\New"_s));
        QVERIFY(!makeFolder(u"D:\\New"_s));
    }

    void freeSpaceAndVolumes()
    {
        TempDrives drives;
        struct statvfs vfs
        {
        };
        QVERIFY(statvfs(drives.root().constData(), &vfs) == 0);
        const std::optional<quint64> free = freeBytes(u"C:\\"_s);
        QVERIFY(free.has_value());
        // Total free bytes of the volume, which include the blocks kept for root.
        const quint64 total = quint64(vfs.f_blocks) * vfs.f_frsize;
        QVERIFY(*free >= quint64(vfs.f_bavail) * vfs.f_frsize);
        QVERIFY(*free <= total);
        QVERIFY(freeBytes(u"C:"_s).has_value());
        QVERIFY(!freeBytes(u"D:\\"_s).has_value());
        QVERIFY(!freeBytes(u"Q:\\"_s).has_value());
        QVERIFY(volumePresent(u"C:\\"_s));
        QVERIFY(volumePresent(u"c:"_s));
        QVERIFY(!volumePresent(u"D:\\"_s));
        QVERIFY(!volumePresent(u"Q:\\"_s));
    }

    void readOnlyFromPermissions()
    {
        TempDrives drives;
        QVERIFY(drives.file("f"));
        QVERIFY(setAttributes(u"C:\\f"_s, FA_READONLY).ok);
        struct stat st
        {
        };
        QVERIFY(stat(drives.native("f").constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0222, 0u);
        QCOMPARE(attributesOf(u"C:\\*.*"_s, u"f"_s), quint32(FA_READONLY));
        QVERIFY(setAttributes(u"C:\\f"_s, 0).ok);
        QVERIFY(stat(drives.native("f").constData(), &st) == 0);
        QVERIFY(st.st_mode & S_IWUSR);
        QCOMPARE(attributesOf(u"C:\\*.*"_s, u"f"_s), 0u);
    }

    void hiddenSystemArchiveInExtendedAttribute()
    {
        TempDrives drives;
        QVERIFY(drives.file("f"));
        if (!drives.userXattrsWork())
            QSKIP("no user extended attributes on this file system");
        const quint32 all = FA_READONLY | FA_HIDDEN | FA_SYSTEM | FA_ARCHIVE;
        const OpResult r = setAttributes(u"C:\\f"_s, all);
        QVERIFY2(r.ok, qPrintable(r.errorText));
        QCOMPARE(dosAttrib(drives.native("f")), QByteArray("0x26"));
        QCOMPARE(attributesOf(u"C:\\*.*"_s, u"f"_s), all);
        // Read-only is cleared first, so the attribute can be written again.
        QVERIFY(setAttributes(u"C:\\f"_s, FA_ARCHIVE).ok);
        QCOMPARE(dosAttrib(drives.native("f")), QByteArray("0x20"));
        QVERIFY(setAttributes(u"C:\\f"_s, 0).ok);
        QCOMPARE(dosAttrib(drives.native("f")), QByteArray());
        QCOMPARE(attributesOf(u"C:\\*.*"_s, u"f"_s), 0u);
    }

    void lastWriteTime()
    {
        TempDrives drives;
        QVERIFY(drives.file("f"));
        struct stat before
        {
        };
        QVERIFY(stat(drives.native("f").constData(), &before) == 0);
        const QDateTime local(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::LocalTime);
        QVERIFY(setLastWriteTime(u"C:\\f"_s, local).ok);
        struct stat after
        {
        };
        QVERIFY(stat(drives.native("f").constData(), &after) == 0);
        QCOMPARE(qint64(after.st_mtim.tv_sec), local.toSecsSinceEpoch());
        QCOMPARE(after.st_atim.tv_sec, before.st_atim.tv_sec); // access time untouched
        for (const DirEntry& e : enumerate(u"C:\\f"_s).entries)
            QCOMPARE(e.lastWrite, local);
        QVERIFY(!setLastWriteTime(u"C:\\none"_s, local).ok);
        QVERIFY(!setLastWriteTime(u"C:\\f"_s, QDateTime()).ok);
    }

    void errorTexts()
    {
        QCOMPARE(systemErrorText(windowsErrorFromErrno(ENOENT)),
                 u"指定されたファイルが見つかりません。"_s);
        QCOMPARE(systemErrorText(windowsErrorFromErrno(EACCES)), u"アクセスが拒否されました。"_s);
        QCOMPARE(systemErrorText(windowsErrorFromErrno(ENOMEDIUM)),
                 u"デバイスの準備ができていません。"_s);
        QVERIFY(!systemErrorText(99999).isEmpty());
    }
};

QUORIX_TEST(tst_FileOps)
#include "tst_FileOps.moc"
