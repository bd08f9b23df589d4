#include "EngineFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include <QTest>

#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;
using platform::FileOperationKind;
using platform::ItemOutcome;
namespace fo = platform::fileops;

namespace {

enum Answer { Yes = 0, YesToAll = 1, No = 2, Cancel = 3 };
enum ErrorAnswer { Retry = 0, Skip = 1, Stop = 2 };

const QStringList YesAllNoCancel = {u"はい(&Y)"_s, u"すべてはい(&A)"_s, u"いいえ(&N)"_s,
                                    u"ｷｬﾝｾﾙ"_s};
const QStringList RetrySkipCancel = {u"再試行(&R)"_s, u"ｽｷｯﾌﾟ(&S)"_s, u"ｷｬﾝｾﾙ"_s};

QByteArray bigContent(char seed, int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(seed + i * 7 + i / 4096);
    return data;
}

// Hooks that make data go in small chunks, so a test can act between them.
fo::TestHooks smallChunks()
{
    fo::TestHooks h;
    h.chunkBytes = 64 * 1024;
    h.allowClone = false;
    return h;
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT

private slots:
    void copyKeepsDataAttributesAndLinks()
    {
        NativeTempDir src, dst;
        makeDir(src / "tree");
        writeFile(src / "tree/a.txt", "alpha", 0640);
        setTimes(src / "tree/a.txt", 1000000000);
        QCOMPARE(::setxattr((src / "tree/a.txt").constData(), "user.DOSATTRIB", "0x21", 4, 0), 0);
        writeFile(src / "tree/shared.txt", "", 0666); // more than the creation mask lets through
        makeDir(src / "tree/sub");
        writeFile(src / "tree/sub/big.bin", bigContent('b', 3 * 1024 * 1024 + 17));
        QCOMPARE(::symlink("../a.txt", (src / "tree/sub/link").constData()), 0);
        ::chmod((src / "tree/sub").constData(), 0555);
        setTimes(src / "tree/sub", 1100000000);

        ScriptedDialogs script;
        const auto r = runNative(FileOperationKind::Copy, {src / "tree"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QCOMPARE(r.items.size(), size_t(1));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Done);

        QCOMPARE(tree(dst.path()),
                 QList<QByteArray>({"tree", "tree/a.txt", "tree/shared.txt", "tree/sub",
                                    "tree/sub/big.bin", "tree/sub/link"}));
        QCOMPARE(lstatOf(dst / "tree/shared.txt").st_mode & 07777, mode_t(0666));
        QCOMPARE(readFile(dst / "tree/a.txt"), QByteArray("alpha"));
        QCOMPARE(lstatOf(dst / "tree/a.txt").st_mode & 07777, mode_t(0640));
        QCOMPARE(qint64(lstatOf(dst / "tree/a.txt").st_mtim.tv_sec), qint64(1000000000));
        char attr[16] = {};
        QCOMPARE(::getxattr((dst / "tree/a.txt").constData(), "user.DOSATTRIB", attr, sizeof attr),
                 ssize_t(4));
        QCOMPARE(QByteArray(attr), QByteArray("0x21"));
        QCOMPARE(readFile(dst / "tree/sub/big.bin"), readFile(src / "tree/sub/big.bin"));
        QVERIFY(S_ISLNK(lstatOf(dst / "tree/sub/link").st_mode));
        char link[64] = {};
        QCOMPARE(::readlink((dst / "tree/sub/link").constData(), link, sizeof link), ssize_t(8));
        QCOMPARE(QByteArray(link), QByteArray("../a.txt"));
        QCOMPARE(lstatOf(dst / "tree/sub").st_mode & 07777, mode_t(0555));
        QCOMPARE(qint64(lstatOf(dst / "tree/sub").st_mtim.tv_sec), qint64(1100000000));
        // The sources are untouched and no progress window opened for quick work.
        QCOMPARE(readFile(src / "tree/a.txt"), QByteArray("alpha"));
        QVERIFY(script.progressCaptions().isEmpty());
    }

    void namesOfAnyByteValue_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::newRow("copy") << FileOperationKind::Copy;
        QTest::newRow("move") << FileOperationKind::Move;
    }
    void namesOfAnyByteValue()
    {
        QFETCH(FileOperationKind, kind);
        NativeTempDir src, dst;
        const QList<QByteArray> names = {"back\\slash.txt", "\xff\xfe-latin1.bin",
                                         "\x82\xa0\x82\xa2"};
        for (const QByteArray& n : names)
            writeFile(src / n, "data of " + n);
        makeDir(src / "dir\x81\\");
        writeFile(src / "dir\x81\\/in\x80side", "inner");
        QList<QByteArray> sources;
        for (const QByteArray& n : names)
            sources << src / n;
        sources << src / "dir\x81\\";

        ScriptedDialogs script;
        const auto r = runNative(kind, sources, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        for (const QByteArray& n : names)
            QCOMPARE(readFile(dst / n), "data of " + n);
        QCOMPARE(readFile(dst / "dir\x81\\/in\x80side"), QByteArray("inner"));
        QCOMPARE(entries(src.path()).isEmpty(), kind == FileOperationKind::Move);
    }

    void folderNeverIntoItself_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<QByteArray>("destination"); // relative to the temporary folder
        QTest::newRow("copy into itself") << FileOperationKind::Copy << QByteArray("top");
        QTest::newRow("copy below itself") << FileOperationKind::Copy << QByteArray("top/sub");
        QTest::newRow("copy through a link") << FileOperationKind::Copy << QByteArray("link");
        QTest::newRow("move below itself") << FileOperationKind::Move << QByteArray("top/sub");
        QTest::newRow("move through a link") << FileOperationKind::Move << QByteArray("link/deep");
    }
    void folderNeverIntoItself()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(QByteArray, destination);
        NativeTempDir dir;
        makeDir(dir / "top");
        makeDir(dir / "top/sub");
        makeDir(dir / "top/sub/deep");
        writeFile(dir / "top/file", "x");
        QCOMPARE(::symlink("top/sub", (dir / "link").constData()), 0);
        const QList<QByteArray> before = tree(dir.path());

        ScriptedDialogs script;
        script.expectMessage(IDOK);
        const auto r = runNative(kind, {dir / "top"}, dir / destination);
        QUORIX_VERIFY_SCRIPT(script);
        const QString verb = kind == FileOperationKind::Move ? u"移動"_s : u"ｺﾋﾟｰ"_s;
        QCOMPARE(script.lastCall().text,
                 u"ﾌｫﾙﾀﾞ 'top' は、そのﾌｫﾙﾀﾞ自身の中へは"_s + verb + u"できません。"_s);
        QCOMPARE(script.lastCall().caption, u"確認"_s);
        QCOMPARE(script.lastCall().flags, int(MB_OK | MB_ICONSTOP));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Failed);
        QVERIFY(!r.succeeded());
        QCOMPARE(tree(dir.path()), before);
    }

    void neverOntoItself_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<QByteArray>("setup");
        for (auto kind : {FileOperationKind::Copy, FileOperationKind::Move}) {
            const char* k = kind == FileOperationKind::Copy ? "copy" : "move";
            QTest::addRow("%s, same name", k) << kind << QByteArray("name");
            QTest::addRow("%s, hard link", k) << kind << QByteArray("hardlink");
            QTest::addRow("%s, linked folder", k) << kind << QByteArray("folderlink");
            QTest::addRow("%s, target links to source", k) << kind << QByteArray("filelink");
        }
    }
    void neverOntoItself()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(QByteArray, setup);
        NativeTempDir dir;
        makeDir(dir / "a");
        makeDir(dir / "b");
        const QByteArray content = bigContent('s', 200000);
        writeFile(dir / "a/f.txt", content);
        QByteArray destination = dir / "b";
        if (setup == "name")
            destination = dir / "a";
        else if (setup == "hardlink")
            QCOMPARE(::link((dir / "a/f.txt").constData(), (dir / "b/f.txt").constData()), 0);
        else if (setup == "folderlink")
            QCOMPARE(::symlink("a", (destination = dir / "alias").constData()), 0);
        else
            QCOMPARE(::symlink("../a/f.txt", (dir / "b/f.txt").constData()), 0);

        ScriptedDialogs script;
        script.expectMessage(IDOK);
        const auto r = runNative(kind, {dir / "a/f.txt"}, destination);
        QUORIX_VERIFY_SCRIPT(script);
        const QString verb = kind == FileOperationKind::Move ? u"移動"_s : u"ｺﾋﾟｰ"_s;
        QCOMPARE(script.lastCall().text,
                 u"'f.txt': "_s + verb + u"元と"_s + verb + u"先が同じﾌｧｲﾙです。"_s);
        QCOMPARE(r.items[0].outcome, ItemOutcome::Failed);
        QCOMPARE(readFile(dir / "a/f.txt"), content);
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QByteArray>("expectA");
        QTest::addColumn<QByteArray>("expectB");
        QTest::addColumn<bool>("aborted");
        QTest::newRow("no, no") << QList<int>{No, No} << QByteArray("old a") << QByteArray("old b")
                                << false;
        QTest::newRow("yes, no") << QList<int>{Yes, No} << QByteArray("new a")
                                 << QByteArray("old b") << false;
        QTest::newRow("yes to all")
            << QList<int>{YesToAll} << QByteArray("new a") << QByteArray("new b") << false;
        QTest::newRow("cancel") << QList<int>{Cancel} << QByteArray("old a") << QByteArray("old b")
                                << true;
        QTest::newRow("closed") << QList<int>{-1} << QByteArray("old a") << QByteArray("old b")
                                << true;
    }
    void overwriteQuestion()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QByteArray, expectA);
        QFETCH(QByteArray, expectB);
        QFETCH(bool, aborted);
        NativeTempDir src, dst;
        writeFile(src / "a", "new a");
        writeFile(src / "b", "new b");
        writeFile(dst / "a", "old a");
        writeFile(dst / "b", "old b");
        setTimes(dst / "a", 1000000000);

        ScriptedDialogs script;
        for (int a : answers)
            script.expectChoice(a);
        const auto r = runNative(FileOperationKind::Copy, {src / "a", src / "b"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        const DialogCall& first = script.calls().front();
        QCOMPARE(first.caption, u"確認"_s);
        QCOMPARE(first.buttons, YesAllNoCancel);
        QVERIFY2(first.text.startsWith(u"このﾌｫﾙﾀﾞには既に 'a' という名前のﾌｧｲﾙがあります。"_s),
                 qPrintable(first.text));
        QVERIFY(first.text.contains(u"既存のﾌｧｲﾙ:  5 ﾊﾞｲﾄ  2001-09-09"_s));
        QVERIFY(first.text.endsWith(u"既存のﾌｧｲﾙを置き換えますか？"_s));
        QCOMPARE(readFile(dst / "a"), expectA);
        QCOMPARE(readFile(dst / "b"), expectB);
        QCOMPARE(r.aborted, aborted);
        QCOMPARE(r.succeeded(), expectA == "new a" && expectB == "new b");
        QCOMPARE(entries(dst.path()), QList<QByteArray>({"a", "b"}));
    }

    // Observers of the target see the old complete file until the new one is complete.
    void replaceIsAtomic_data()
    {
        QTest::addColumn<bool>("unnamed");
        QTest::newRow("unnamed") << true;
        QTest::newRow("temporary name") << false;
    }
    void replaceIsAtomic()
    {
        QFETCH(bool, unnamed);
        NativeTempDir src, dst;
        const QByteArray oldData = bigContent('o', 1024 * 1024);
        const QByteArray newData = bigContent('n', 1024 * 1024 + 5);
        writeFile(src / "f", newData);
        writeFile(dst / "f", oldData);
        const ino_t oldInode = lstatOf(dst / "f").st_ino;
        int observations = 0, bad = 0;
        fo::TestHooks hooks = smallChunks();
        hooks.allowUnnamed = unnamed;
        hooks.fault = [&](fo::FaultPoint, const QByteArray&, const std::atomic<bool>&) {
            ++observations;
            if (readFile(dst / "f") != oldData)
                ++bad;
            return 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        script.expectChoice(Yes);
        const auto r = runNative(FileOperationKind::Copy, {src / "f"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QVERIFY(observations > 10);
        QCOMPARE(bad, 0);
        QCOMPARE(readFile(dst / "f"), newData);
        QVERIFY(lstatOf(dst / "f").st_ino != oldInode);
        QCOMPARE(entries(dst.path()), QList<QByteArray>({"f"}));
    }

    void cancelMidFileLeavesNoPartialFile_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("otherVolume");
        QTest::addColumn<bool>("unnamed");
        for (bool unnamed : {true, false}) {
            const char* how = unnamed ? "unnamed" : "temporary name";
            QTest::addRow("copy, new, %s", how)
                << FileOperationKind::Copy << false << false << unnamed;
            QTest::addRow("copy, replacing, %s", how)
                << FileOperationKind::Copy << true << false << unnamed;
            QTest::addRow("move across volumes, %s", how)
                << FileOperationKind::Move << false << true << unnamed;
        }
    }
    void cancelMidFileLeavesNoPartialFile()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(bool, targetExists);
        QFETCH(bool, otherVolume);
        QFETCH(bool, unnamed);
        const QByteArray base = otherVolume ? secondVolumeBase() : QByteArray();
        if (otherVolume && base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir src, dst(base);
        const QByteArray data = bigContent('c', 1024 * 1024);
        writeFile(src / "first", "complete");
        writeFile(src / "big", data);
        if (targetExists)
            writeFile(dst / "big", "old");
        int chunks = 0;
        fo::TestHooks hooks = smallChunks();
        hooks.allowUnnamed = unnamed;
        hooks.fault = [&](fo::FaultPoint p, const QByteArray& name, const std::atomic<bool>&) {
            return p == fo::FaultPoint::DataChunk && name == "big" && ++chunks == 3
                       ? fo::CancelFault
                       : 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        if (targetExists)
            script.expectChoice(Yes);
        const auto r = runNative(kind, {src / "first", src / "big"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.aborted);
        QCOMPARE(r.code, ECANCELED);
        QCOMPARE(r.items[0].outcome, ItemOutcome::Done);
        QCOMPARE(r.items[1].outcome, ItemOutcome::Cancelled);
        QCOMPARE(entries(dst.path()),
                 targetExists ? QList<QByteArray>({"big", "first"}) : QList<QByteArray>({"first"}));
        if (targetExists)
            QCOMPARE(readFile(dst / "big"), QByteArray("old"));
        QCOMPARE(readFile(src / "big"), data);
    }

    // A new folder appears under its name only when complete; a cancel leaves nothing.
    void folderCopyAppearsWhole_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("completed") << false;
        QTest::newRow("cancelled") << true;
    }
    void folderCopyAppearsWhole()
    {
        QFETCH(bool, cancel);
        NativeTempDir src, dst;
        makeDir(src / "tree");
        makeDir(src / "tree/sub");
        writeFile(src / "tree/a", "a");
        writeFile(src / "tree/sub/big", bigContent('w', 512 * 1024));
        int chunks = 0;
        bool visibleEarly = false;
        fo::TestHooks hooks = smallChunks();
        hooks.fault = [&](fo::FaultPoint p, const QByteArray&, const std::atomic<bool>&) {
            if (p != fo::FaultPoint::DataChunk)
                return 0;
            visibleEarly = visibleEarly || exists(dst / "tree");
            return cancel && ++chunks == 3 ? fo::CancelFault : 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        const auto r = runNative(FileOperationKind::Copy, {src / "tree"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(!visibleEarly);
        QCOMPARE(r.aborted, cancel);
        QCOMPARE(tree(dst.path()),
                 cancel ? QList<QByteArray>()
                        : QList<QByteArray>({"tree", "tree/a", "tree/sub", "tree/sub/big"}));
    }

    // The progress window opens for long work, and its cancel button stops the request;
    // the main thread's event loop runs meanwhile (the window is polled from it).
    void progressWindowCancels()
    {
        NativeTempDir src, dst;
        writeFile(src / "big", bigContent('p', 1024 * 1024));
        fo::TestHooks hooks = smallChunks();
        hooks.progressDelayMs = 0;
        bool sawCancel = false;
        hooks.fault = [&](fo::FaultPoint, const QByteArray&, const std::atomic<bool>& cancel) {
            QDeadlineTimer deadline(10000);
            while (!cancel && !deadline.hasExpired())
                QThread::yieldCurrentThread();
            sawCancel = cancel;
            return 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        script.setCancelProgress(true);
        const auto r = runNative(FileOperationKind::Copy, {src / "big"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(sawCancel);
        QVERIFY(r.aborted);
        QCOMPARE(script.progressCaptions(), QStringList{u"ﾌｧｲﾙをｺﾋﾟｰしています..."_s});
        QVERIFY(entries(dst.path()).isEmpty());
    }

    void sameNameSourcesAsk_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("copy, keep first") << FileOperationKind::Copy << 1 << QByteArray("first");
        QTest::newRow("copy, replace") << FileOperationKind::Copy << 0 << QByteArray("second");
        QTest::newRow("move, keep first") << FileOperationKind::Move << 1 << QByteArray("first");
    }
    void sameNameSourcesAsk()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(int, answer);
        QFETCH(QByteArray, result);
        NativeTempDir a, b, dst;
        writeFile(a / "x.txt", "first");
        writeFile(b / "x.txt", "second");
        ScriptedDialogs script;
        // "Yes to all" for other clashes does not cover entries of this request.
        script.expectChoice(answer);
        const auto r = runNative(kind, {a / "x.txt", b / "x.txt"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        const QString verb = kind == FileOperationKind::Move ? u"移動"_s : u"ｺﾋﾟｰ"_s;
        QCOMPARE(script.lastCall().text,
                 u"'x.txt' は、この操作で先に"_s + verb +
                     u"した同じ名前の項目と重なります。\n置き換えますか？"_s);
        QCOMPARE(script.lastCall().buttons,
                 QStringList({u"はい(&Y)"_s, u"いいえ(&N)"_s, u"ｷｬﾝｾﾙ"_s}));
        QCOMPARE(readFile(dst / "x.txt"), result);
        QCOMPARE(r.items[1].outcome, answer == 0 ? ItemOutcome::Done : ItemOutcome::Skipped);
        if (kind == FileOperationKind::Move)
            QCOMPARE(readFile(b / "x.txt"), QByteArray("second"));
    }

    void mergeAsksOnceAndFilesEach_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("copy") << FileOperationKind::Copy << false;
        QTest::newRow("move") << FileOperationKind::Move << false;
        QTest::newRow("move across volumes") << FileOperationKind::Move << true;
    }
    void mergeAsksOnceAndFilesEach()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(bool, otherVolume);
        const QByteArray base = otherVolume ? secondVolumeBase() : QByteArray();
        if (otherVolume && base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir src, dst(base);
        makeDir(src / "D");
        makeDir(src / "D/sub");
        writeFile(src / "D/same", "new");
        writeFile(src / "D/kept", "new kept");
        writeFile(src / "D/sub/g", "g");
        makeDir(dst / "D");
        makeDir(dst / "D/sub");
        writeFile(dst / "D/same", "old");
        writeFile(dst / "D/kept", "old kept");
        writeFile(dst / "D/sub/other", "other");

        ScriptedDialogs script;
        script.expectChoice(Yes); // merge D (sub merges without a question)
        script.expectChoice(No);  // keep the old "kept" (listing order decides which is first)
        script.expectChoice(Yes); // replace "same"
        // The file questions come in the order of the folder's entries; answer by name.
        const auto r = runNative(kind, {src / "D"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.calls().size(), 3);
        QVERIFY(script.calls()[0].text.contains(u"という名前のﾌｫﾙﾀﾞがあります。"_s));
        const bool keptFirst = script.calls()[1].text.contains(u"'kept'"_s);
        QCOMPARE(readFile(dst / "D/same"), keptFirst ? QByteArray("new") : QByteArray("old"));
        QCOMPARE(readFile(dst / "D/kept"),
                 keptFirst ? QByteArray("old kept") : QByteArray("new kept"));
        QCOMPARE(readFile(dst / "D/sub/g"), QByteArray("g"));
        QCOMPARE(readFile(dst / "D/sub/other"), QByteArray("other"));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Partial);
        QCOMPARE(r.items[0].error, EEXIST);
        if (kind == FileOperationKind::Move) {
            // Only the declined file stays behind, with the folders that hold it.
            QCOMPARE(tree(src.path()), QList<QByteArray>({"D", keptFirst ? "D/kept" : "D/same"}));
        }
    }

    void moveWithinVolumeRenames()
    {
        NativeTempDir src, dst;
        writeFile(src / "f", "file");
        makeDir(src / "d");
        writeFile(src / "d/in", "in");
        ::mkfifo((src / "d/pipe").constData(), 0600); // renamed, never read
        const ino_t fileInode = lstatOf(src / "f").st_ino;
        const ino_t dirInode = lstatOf(src / "d").st_ino;
        ScriptedDialogs script;
        const auto r = runNative(FileOperationKind::Move, {src / "f", src / "d"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QCOMPARE(lstatOf(dst / "f").st_ino, fileInode);
        QCOMPARE(lstatOf(dst / "d").st_ino, dirInode);
        QVERIFY(S_ISFIFO(lstatOf(dst / "d/pipe").st_mode));
        QVERIFY(entries(src.path()).isEmpty());
    }

    void moveAcrossVolumes()
    {
        const QByteArray base = secondVolumeBase();
        if (base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir src, dst(base);
        writeFile(src / "single", bigContent('m', 300000), 0600);
        setTimes(src / "single", 1200000000);
        makeDir(src / "tree");
        makeDir(src / "tree/sub");
        writeFile(src / "tree/sub/leaf", "leaf");
        QCOMPARE(::symlink("sub/leaf", (src / "tree/link").constData()), 0);
        const QByteArray single = readFile(src / "single");

        ScriptedDialogs script;
        const auto r =
            runNative(FileOperationKind::Move, {src / "single", src / "tree"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QVERIFY(entries(src.path()).isEmpty());
        QCOMPARE(readFile(dst / "single"), single);
        QCOMPARE(lstatOf(dst / "single").st_mode & 07777, mode_t(0600));
        QCOMPARE(qint64(lstatOf(dst / "single").st_mtim.tv_sec), qint64(1200000000));
        QCOMPARE(tree(dst / "tree"), QList<QByteArray>({"link", "sub", "sub/leaf"}));
        QCOMPARE(readFile(dst / "tree/link"), QByteArray("leaf"));
    }

    // A failure part-way through a move across volumes keeps every source; cancelling
    // leaves no target at all, skipping moves the rest.
    void moveAcrossVolumesFailsPartWay_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancel") << int(Stop);
        QTest::newRow("skip") << int(Skip);
    }
    void moveAcrossVolumesFailsPartWay()
    {
        QFETCH(int, answer);
        const QByteArray base = secondVolumeBase();
        if (base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir src, dst(base);
        makeDir(src / "tree");
        for (const char* n : {"a", "b", "c"})
            writeFile(src / "tree/" + n, bigContent(n[0], 300000));
        const QList<QByteArray> before = tree(src.path());
        const QByteArray bData = readFile(src / "tree/b");
        fo::TestHooks hooks = smallChunks();
        hooks.fault = [](fo::FaultPoint p, const QByteArray& name, const std::atomic<bool>&) {
            return p == fo::FaultPoint::DataChunk && name == "b" ? EIO : 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        script.expectChoice(answer);
        const auto r = runNative(FileOperationKind::Move, {src / "tree"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(
            script.lastCall().text,
            u"'b' を移動できません。\nI/O デバイス エラーが発生したため、要求を実行できませんでした。"_s);
        QCOMPARE(script.lastCall().buttons, RetrySkipCancel);
        QCOMPARE(script.lastCall().flags, int(MB_ICONSTOP));
        if (answer == Stop) {
            QVERIFY(r.aborted);
            QCOMPARE(tree(src.path()), before);
            QVERIFY(entries(dst.path()).isEmpty());
        } else {
            QVERIFY(!r.aborted);
            QCOMPARE(r.items[0].outcome, ItemOutcome::Partial);
            QCOMPARE(r.items[0].error, EIO);
            QCOMPARE(tree(src.path()), QList<QByteArray>({"tree", "tree/b"}));
            QCOMPARE(tree(dst.path()), QList<QByteArray>({"tree", "tree/a", "tree/c"}));
        }
        QCOMPARE(readFile(src / "tree/b"), bData);
    }

    void retryAfterFailureCopies()
    {
        NativeTempDir src, dst;
        writeFile(src / "f", bigContent('r', 200000));
        int failures = 1;
        fo::TestHooks hooks = smallChunks();
        hooks.fault = [&](fo::FaultPoint p, const QByteArray&, const std::atomic<bool>&) {
            return p == fo::FaultPoint::Publish && failures-- > 0 ? ENOSPC : 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        script.expectChoice(Retry);
        const auto r = runNative(FileOperationKind::Copy, {src / "f"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(script.lastCall().text.endsWith(u"ディスクに十分な空き領域がありません。"_s));
        QVERIFY(r.succeeded());
        QCOMPARE(readFile(dst / "f"), readFile(src / "f"));
        QCOMPARE(entries(dst.path()), QList<QByteArray>({"f"}));
    }

    void readOnlyTargetFolderReports()
    {
        NativeTempDir src, dst;
        writeFile(src / "f", "data");
        makeDir(dst / "ro", 0555);
        WithoutPermissionOverride asUser;
        ScriptedDialogs script;
        script.expectChoice(Retry).expectChoice(Skip);
        const auto r = runNative(FileOperationKind::Copy, {src / "f"}, dst / "ro");
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text, u"'f' をｺﾋﾟｰできません。\nアクセスが拒否されました。"_s);
        QCOMPARE(script.lastCall().caption, u"確認"_s);
        QCOMPARE(r.items[0].outcome, ItemOutcome::Skipped);
        QCOMPARE(r.items[0].error, EACCES);
        QVERIFY(!r.aborted);
        QVERIFY(entries(dst / "ro").isEmpty());
    }

    void sourceThatCannotBeRemovedStays()
    {
        const QByteArray base = secondVolumeBase();
        if (base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir src, dst(base);
        makeDir(src / "ro");
        writeFile(src / "ro/f", "data");
        ::chmod((src / "ro").constData(), 0555);
        WithoutPermissionOverride asUser;
        ScriptedDialogs script;
        script.expectChoice(Skip);
        const auto r = runNative(FileOperationKind::Move, {src / "ro/f"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text, u"'f' を移動できません。\nアクセスが拒否されました。"_s);
        // Copied and kept: the file now exists twice, never zero times.
        QCOMPARE(readFile(src / "ro/f"), QByteArray("data"));
        QCOMPARE(readFile(dst / "f"), QByteArray("data"));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Partial);
    }

    void folderAndFileOfOneNameReport_data()
    {
        QTest::addColumn<bool>("sourceIsFolder");
        QTest::newRow("folder onto file") << true;
        QTest::newRow("file onto folder") << false;
    }
    void folderAndFileOfOneNameReport()
    {
        QFETCH(bool, sourceIsFolder);
        NativeTempDir src, dst;
        if (sourceIsFolder) {
            makeDir(src / "x");
            writeFile(dst / "x", "file");
        } else {
            writeFile(src / "x", "file");
            makeDir(dst / "x");
        }
        ScriptedDialogs script;
        script.expectChoice(Skip);
        const auto r = runNative(FileOperationKind::Copy, {src / "x"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text,
                 sourceIsFolder
                     ? u"'x' をｺﾋﾟｰできません。\n同じ名前のﾌｧｲﾙがあるため、ﾌｫﾙﾀﾞを置けません。"_s
                     : u"'x' をｺﾋﾟｰできません。\n同じ名前のﾌｫﾙﾀﾞがあるため、ﾌｧｲﾙを置けません。"_s);
        QCOMPARE(r.items[0].outcome, ItemOutcome::Skipped);
        QCOMPARE(S_ISDIR(lstatOf(dst / "x").st_mode), !sourceIsFolder);
    }

    void specialFilesAndVanishedSourcesReport()
    {
        NativeTempDir src, dst;
        QCOMPARE(::mkfifo((src / "pipe").constData(), 0600), 0);
        ScriptedDialogs script;
        script.expectChoice(Skip).expectChoice(Skip);
        const auto r = runNative(FileOperationKind::Copy, {src / "pipe", src / "gone"}, dst.path());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(
            script.calls()[0].text,
            u"'pipe' をｺﾋﾟｰできません。\n名前付きﾊﾟｲﾌﾟやﾃﾞﾊﾞｲｽなどの特殊なﾌｧｲﾙは読み込みません。"_s);
        QCOMPARE(script.calls()[1].text,
                 u"'gone' をｺﾋﾟｰできません。\n指定されたファイルが見つかりません。"_s);
        QCOMPARE(r.items[0].outcome, ItemOutcome::Skipped);
        QCOMPARE(r.items[1].outcome, ItemOutcome::Skipped);
        QCOMPARE(r.code, EINVAL);
        QVERIFY(entries(dst.path()).isEmpty());
    }
};

QUORIX_TEST(TransferTest)
#include "tst_Transfer.moc"
