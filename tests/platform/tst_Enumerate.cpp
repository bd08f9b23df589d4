#include "TempDrives.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <ctime>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <sys/xattr.h>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

namespace {

QStringList namesOf(const EnumResult& result)
{
    QStringList names;
    for (const DirEntry& e : result.entries)
        names << e.name;
    return names;
}

const DirEntry* find(const EnumResult& result, const QString& name)
{
    for (const DirEntry& e : result.entries) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

} // namespace

class tst_Enumerate : public QObject
{
    Q_OBJECT
private slots:
    void wildcards_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("match");
        QTest::newRow("star dot star, no dot") << u"*.*"_s << u"README"_s << true;
        QTest::newRow("star dot star") << u"*.*"_s << u"a.b.c"_s << true;
        QTest::newRow("star") << u"*"_s << u"x"_s << true;
        QTest::newRow("case") << u"*.txt"_s << u"A.TXT"_s << true;
        QTest::newRow("suffix") << u"*.txt"_s << u"a.text"_s << false;
        QTest::newRow("prefix") << u"rep*"_s << u"REPORT.CSV"_s << true;
        QTest::newRow("middle") << u"a*b*c"_s << u"aXXbYYc"_s << true;
        QTest::newRow("middle fails") << u"a*b*c"_s << u"aXXbYY"_s << false;
        QTest::newRow("question") << u"?.txt"_s << u"a.txt"_s << true;
        QTest::newRow("question needs one") << u"?.txt"_s << u".txt"_s << false;
        QTest::newRow("exact") << u"report.csv"_s << u"REPORT.CSV"_s << true;
        QTest::newRow("exact differs") << u"report.csv"_s << u"REPORT.CSV2"_s << false;
        QTest::newRow("name dot star") << u"rep*.*"_s << u"REPORT"_s << true;
        QTest::newRow("empty run") << u"a*"_s << u"a"_s << true;
        QTest::newRow("full-width case") << u"ａ*"_s << u"Ａｂ"_s << true;
        QTest::newRow("dot") << u"*.*"_s << u"."_s << true;
    }
    void wildcards()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, match);
        QCOMPARE(wildcardMatch(pattern, name), match);
    }

    void subFolderListing()
    {
        TempDrives drives;
        QVERIFY(drives.folder("sub"));
        QVERIFY(drives.folder("sub/Folder"));
        QVERIFY(drives.file("sub/a.txt", "12345"));
        QVERIFY(drives.file("sub/A.TXT")); // two names differing only in case
        QVERIFY(drives.file("sub/b.csv"));
        const EnumResult all = enumerate(u"c:\\sub\\*.*"_s);
        QCOMPARE(all.code, 0);
        QVERIFY(all.errorText.isEmpty());
        const QStringList names = namesOf(all);
        QCOMPARE(names.mid(0, 2), (QStringList{u"."_s, u".."_s}));
        QCOMPARE(names.size(), 6);
        QVERIFY(find(all, u"Folder"_s)->attributes & FA_DIRECTORY);
        QCOMPARE(find(all, u"a.txt"_s)->size, 5);
        QVERIFY(!(find(all, u"a.txt"_s)->attributes & FA_DIRECTORY));

        const EnumResult txt = enumerate(u"C:\\sub\\*.TXT"_s);
        QCOMPARE(txt.code, 0);
        QCOMPARE(namesOf(txt).size(), 2); // a.txt and A.TXT, no dots

        const EnumResult one = enumerate(u"C:\\sub\\B.CSV"_s); // exact, other case
        QCOMPARE(namesOf(one), QStringList{u"b.csv"_s});
        const EnumResult exact = enumerate(u"C:\\sub\\a.txt"_s);
        QCOMPARE(namesOf(exact), QStringList{u"a.txt"_s});
    }

    void rootHasNoDots()
    {
        TempDrives drives;
        QVERIFY(drives.file("x"));
        QCOMPARE(namesOf(enumerate(u"C:\\*.*"_s)), QStringList{u"x"_s});
        QCOMPARE(namesOf(enumerate(u"C:*.*"_s)), QStringList{u"x"_s});
    }

    void resultCodes_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const QString noFile = u"指定されたファイルが見つかりません。"_s;
        const QString noPath = u"指定されたパスが見つかりません。"_s;
        const QString notReady = u"デバイスの準備ができていません。"_s;
        QTest::newRow("empty root") << u"E:\\*.*"_s << 2 << noFile;
        QTest::newRow("filter without hit") << u"C:\\dir\\zz*"_s << 2 << noFile;
        QTest::newRow("empty last part") << u"C:\\dir\\"_s << 2 << noFile;
        QTest::newRow("missing folder") << u"C:\\nothere\\*.*"_s << 3 << noPath;
        QTest::newRow("file as folder") << u"C:\\dir\\f\\*.*"_s << 3 << noPath;
        QTest::newRow("unknown drive") << u"Q:\\*.*"_s << 3 << noPath;
        QTest::newRow("no medium") << u"D:\\*.*"_s << 21 << notReady;
        QTest::newRow("no medium, sub") << u"D:\\x\\*.*"_s << 21 << notReady;
    }
    void resultCodes()
    {
        QFETCH(QString, pattern);
        QFETCH(int, code);
        QFETCH(QString, text);
        QTemporaryDir empty;
        TempDrives drives("E=" + empty.path().toLocal8Bit());
        QVERIFY(drives.folder("dir") && drives.file("dir/f"));
        const EnumResult r = enumerate(pattern);
        QCOMPARE(r.code, code);
        QCOMPARE(r.errorText, text);
        QVERIFY(r.entries.empty());
    }

    void accessDenied()
    {
        TempDrives drives;
        QVERIFY(drives.folder("locked"));
        QVERIFY(chmod(drives.native("locked").constData(), 0700) == 0);
        QVERIFY(chmod(drives.root().constData(), 0755) == 0);
        int code = -1;
        if (geteuid() == 0) {
            // Root reads every folder: ask from a child that has become another user.
            const pid_t pid = fork();
            if (pid == 0) {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(99);
                const EnumResult r = enumerate(u"C:\\locked\\*.*"_s);
                _exit(r.errorText == u"アクセスが拒否されました。"_s ? r.code : 98);
            }
            int status = 0;
            QVERIFY(waitpid(pid, &status, 0) == pid && WIFEXITED(status));
            code = WEXITSTATUS(status);
        } else {
            QVERIFY(chmod(drives.native("locked").constData(), 0) == 0);
            const EnumResult r = enumerate(u"C:\\locked\\*.*"_s);
            chmod(drives.native("locked").constData(), 0700);
            QCOMPARE(r.errorText, u"アクセスが拒否されました。"_s);
            code = r.code;
        }
        QCOMPARE(code, 5);
    }

    void attributesAndTimes()
    {
        TempDrives drives;
        QVERIFY(drives.folder("d"));
        QVERIFY(drives.file("d/ro"));
        QVERIFY(drives.file("d/.hidden"));
        QVERIFY(drives.file("d/big"));
        QVERIFY(chmod(drives.native("d/ro").constData(), 0444) == 0);
        QVERIFY(truncate(drives.native("d/big").constData(), 5'000'000'000LL) == 0);
        const struct timeval times[2] = {{1'000'000'000, 0}, {1'234'567'890, 0}};
        QVERIFY(utimes(drives.native("d/big").constData(), times) == 0);

        const EnumResult r = enumerate(u"C:\\d\\*.*"_s);
        QCOMPARE(r.code, 0);
        QCOMPARE(find(r, u"ro"_s)->attributes, quint32(FA_READONLY));
        QCOMPARE(find(r, u".hidden"_s)->attributes, quint32(FA_HIDDEN));
        QCOMPARE(find(r, u"."_s)->attributes, quint32(FA_DIRECTORY));
        const DirEntry* big = find(r, u"big"_s);
        QCOMPARE(big->size, 5'000'000'000LL); // beyond 32 bits
        QCOMPARE(big->lastWrite.toSecsSinceEpoch(), 1'234'567'890LL);
        QCOMPARE(big->lastWrite, QDateTime::fromSecsSinceEpoch(1'234'567'890LL).toLocalTime());
        QCOMPARE(big->lastWrite.toString(u"yyyy-MM-dd hh:mm:ss"_s),
                 QDateTime::fromSecsSinceEpoch(1'234'567'890LL, Qt::LocalTime)
                     .toString(u"yyyy-MM-dd hh:mm:ss"_s));

        // The wall-clock time of the zone in force.
        const QByteArray savedZone = qgetenv("TZ");
        qputenv("TZ", "Asia/Tokyo");
        tzset();
        const EnumResult tokyo = enumerate(u"C:\\d\\big"_s);
        savedZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", savedZone);
        tzset();
        QCOMPARE(tokyo.entries.size(), size_t(1));
        QCOMPARE(tokyo.entries[0].lastWrite.toString(u"yyyy-MM-dd hh:mm:ss"_s),
                 u"2009-02-14 08:31:30"_s);

        if (!drives.userXattrsWork())
            QSKIP("no user extended attributes on this file system");
        QVERIFY(setxattr(drives.native("d/big").constData(), "user.DOSATTRIB", "0x26", 4, 0) == 0);
        const QByteArray samba("0x4\0\x03\x00\x03\x00", 9); // hex text, NUL, binary block
        QVERIFY(setxattr(drives.native("d/ro").constData(), "user.DOSATTRIB", samba.constData(),
                         size_t(samba.size()), 0) == 0);
        const EnumResult again = enumerate(u"C:\\d\\*.*"_s);
        QCOMPARE(find(again, u"big"_s)->attributes, quint32(FA_HIDDEN | FA_SYSTEM | FA_ARCHIVE));
        QCOMPARE(find(again, u"ro"_s)->attributes, quint32(FA_READONLY | FA_SYSTEM));
    }

    void entriesThatCannotBeStatted()
    {
        TempDrives drives;
        QVERIFY(drives.folder("l"));
        QVERIFY(symlink("missing-target", drives.native("l/dangling").constData()) == 0);
        QVERIFY(symlink(".", drives.native("l/self").constData()) == 0);
        const EnumResult r = enumerate(u"C:\\l\\*.*"_s);
        QCOMPARE(r.code, 0);
        QVERIFY(find(r, u"dangling"_s));
        QVERIFY(!(find(r, u"dangling"_s)->attributes & FA_DIRECTORY));
        QVERIFY(find(r, u"self"_s)->attributes & FA_DIRECTORY); // links are followed
        QVERIFY(isDirectory(u"C:\\l\\self"_s));
        QVERIFY(!isDirectory(u"C:\\l\\dangling"_s));
        QVERIFY(exists(u"C:\\l\\dangling"_s));
    }

    void isDirectoryAndExists()
    {
        TempDrives drives;
        QVERIFY(drives.folder("f"));
        QVERIFY(drives.file("f/x"));
        QVERIFY(isDirectory(u"C:"_s));
        QVERIFY(isDirectory(u"c:\\"_s));
        QVERIFY(isDirectory(u"c:\\f"_s));
        QVERIFY(!isDirectory(u"C:\\f\\x"_s));
        QVERIFY(exists(u"C:\\f\\x"_s));
        QVERIFY(!exists(u"C:\\f\\y"_s));
        QVERIFY(!isDirectory(u"D:"_s)); // no medium
        QVERIFY(!exists(u"Q:\\"_s));
    }

    // A large folder is read on two threads: every entry keeps its place in folder order
    // and its own size, attributes and time, in both halves.
    void largeFolderKeepsOrderAndDetails()
    {
        TempDrives drives;
        QVERIFY(drives.folder("wide"));
        const int count = 3001;
        for (int i = 0; i < count; ++i) {
            const QByteArray name = (i % 11 == 0 ? "." : "") + QByteArray::number(i);
            if (i % 13 == 0) {
                QVERIFY(drives.folder("wide/" + name));
                continue;
            }
            QVERIFY(drives.file("wide/" + name, QByteArray(i % 50, 'x')));
            if (i % 7 == 0)
                QVERIFY(chmod(drives.native("wide/" + name).constData(), 0444) == 0);
            const struct timeval times[2] = {{1'000'000'000 + i, 0}, {1'000'000'000 + i, 0}};
            QVERIFY(utimes(drives.native("wide/" + name).constData(), times) == 0);
        }
        QDir native(QString::fromLocal8Bit(drives.native("wide")));
        QStringList inFolderOrder = native.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
        inFolderOrder.prepend(u".."_s);
        inFolderOrder.prepend(u"."_s);

        const EnumResult r = enumerate(u"C:\\wide\\*.*"_s);
        QCOMPARE(r.code, 0);
        QCOMPARE(namesOf(r), inFolderOrder);
        for (const DirEntry& e : r.entries) {
            if (e.name == u"." || e.name == u"..")
                continue;
            const int i = QStringView(e.name).mid(e.name.startsWith(u'.') ? 1 : 0).toInt();
            QCOMPARE(bool(e.attributes & FA_HIDDEN), i % 11 == 0);
            QCOMPARE(bool(e.attributes & FA_DIRECTORY), i % 13 == 0);
            if (i % 13 == 0)
                continue;
            QCOMPARE(bool(e.attributes & FA_READONLY), i % 7 == 0);
            QCOMPARE(e.size, qint64(i % 50));
            QCOMPARE(e.lastWrite.toSecsSinceEpoch(), 1'000'000'000LL + i);
        }
    }

    // Listing a big folder costs about what `ls -l` costs for it.
    void bigFolderIsFast()
    {
        TempDrives drives;
        QVERIFY(drives.folder("many"));
        const int count = 20000;
        for (int i = 0; i < count; ++i)
            QVERIFY(drives.file("many/file" + QByteArray::number(i) + ".txt"));
        QElapsedTimer timer;
        timer.start();
        const EnumResult r = enumerate(u"C:\\many\\*.*"_s);
        const qint64 ms = timer.elapsed();
        QCOMPARE(int(r.entries.size()), count + 2);
        QVERIFY2(ms < 2000, qPrintable(QString::number(ms)));
    }
};

QUORIX_TEST(tst_Enumerate)
#include "tst_Enumerate.moc"
