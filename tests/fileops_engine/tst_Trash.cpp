#include "EngineFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "platform/PathMapping.h"
#include "platform/fileops/Trash.h"

#include <QDateTime>
#include <QTest>

#include <cerrno>
#include <memory>
#include <unistd.h>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;
using platform::FileOperationKind;
using platform::ItemOutcome;
namespace fo = platform::fileops;

namespace {

QByteArray infoPath(const QByteArray& line)
{
    return line.mid(5);
}

// Path= and DeletionDate= lines of an info file.
QList<QByteArray> infoLines(const QByteArray& file)
{
    return readFile(file).split('\n');
}

} // namespace

class TrashTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NativeTempDir> m_data;
    QByteArray m_oldData;
    QByteArray trash() const { return *m_data / "Trash"; }

private slots:
    void init()
    {
        // The home trash of the tests lives in a temporary folder of the home volume.
        m_data = std::make_unique<NativeTempDir>();
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_data->path());
    }
    void cleanup()
    {
        qputenv("XDG_DATA_HOME", m_oldData);
        m_data.reset();
    }

    void encodesPathFromRawBytes_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("plain") << QByteArray("/home/u/a-b_c.d~") << QByteArray("/home/u/a-b_c.d~");
        QTest::newRow("space, percent") << QByteArray("/x/a b%c") << QByteArray("/x/a%20b%25c");
        QTest::newRow("backslash") << QByteArray("/x/a\\b") << QByteArray("/x/a%5Cb");
        QTest::newRow("utf-8") << QByteArray("/x/\xe3\x81\x82") << QByteArray("/x/%E3%81%82");
        QTest::newRow("invalid utf-8")
            << QByteArray("/x/\xff\x82\xa0") << QByteArray("/x/%FF%82%A0");
        QTest::newRow("marks") << QByteArray("/x/!*'()#?&=") << QByteArray("/x/!*'()%23%3F%26%3D");
        QTest::newRow("relative") << QByteArray("dir/f") << QByteArray("dir/f");
    }
    void encodesPathFromRawBytes()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, encoded);
        QCOMPARE(fo::encodeTrashPath(path), encoded);
    }

    void trashesToHomeTrash_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("folder");
        QTest::newRow("file") << QByteArray("a b.txt") << false;
        QTest::newRow("folder") << QByteArray("dir") << true;
        QTest::newRow("invalid utf-8, backslash") << QByteArray("\x82\xa0\\\xff.txt") << false;
    }
    void trashesToHomeTrash()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, folder);
        NativeTempDir dir;
        if (folder) {
            makeDir(dir / name);
            writeFile(dir / name + "/inside", "x");
        } else {
            writeFile(dir / name, "content");
        }
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        ScriptedDialogs script;
        script.expectMessage(IDYES);
        const auto r = runNative(FileOperationKind::DeleteToTrash, {dir / name});
        QUORIX_VERIFY_SCRIPT(script);
        const QString shown = platform::displayName(platform::nameFromNative(name));
        QCOMPARE(script.calls()[0].text,
                 folder ? u"ﾌｫﾙﾀﾞ '"_s + shown + u"' とその内容をすべてごみ箱に移しますか？"_s
                        : u"ﾌｧｲﾙ '"_s + shown + u"' をごみ箱に移しますか？"_s);
        QCOMPARE(script.calls()[0].caption, u"確認"_s);
        QCOMPARE(script.calls()[0].flags, int(MB_YESNO | MB_ICONQUESTION));
        QVERIFY(r.succeeded());
        QVERIFY(!exists(dir / name));
        QCOMPARE(entries(trash() + "/files"), QList<QByteArray>{name});
        if (folder)
            QCOMPARE(readFile(trash() + "/files/" + name + "/inside"), QByteArray("x"));
        const QList<QByteArray> lines = infoLines(trash() + "/info/" + name + ".trashinfo");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray("[Trash Info]"));
        QCOMPARE(infoPath(lines[1]), fo::encodeTrashPath(dir / name));
        QVERIFY(lines[2].startsWith("DeletionDate="));
        const QDateTime deleted =
            QDateTime::fromString(QString::fromLatin1(lines[2].mid(13)), Qt::ISODate);
        QVERIFY(deleted >= before && deleted <= QDateTime::currentDateTime().addSecs(1));
        QVERIFY(lines[3].isEmpty());
    }

    void confirmationDeclinedKeepsEverything()
    {
        NativeTempDir dir;
        writeFile(dir / "a", "a");
        writeFile(dir / "b", "b");
        writeFile(dir / "c", "c");
        ScriptedDialogs script;
        script.expectMessage(IDNO);
        const auto r =
            runNative(FileOperationKind::DeleteToTrash, {dir / "a", dir / "b", dir / "c"});
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text, u"これらの 3 個の項目をごみ箱に移しますか？"_s);
        QVERIFY(r.aborted);
        QCOMPARE(r.code, ECANCELED);
        QCOMPARE(entries(dir.path()), QList<QByteArray>({"a", "b", "c"}));
    }

    void clashingNamesGetOtherNames()
    {
        NativeTempDir one, two, three;
        writeFile(one / "x.txt", "1");
        writeFile(two / "x.txt", "2");
        writeFile(three / "x.txt", "3");
        // A file left in files/ without its info file still holds its name.
        makeDir(trash());
        makeDir(trash() + "/files");
        makeDir(trash() + "/info");
        writeFile(trash() + "/files/x (2).txt", "orphan");
        ScriptedDialogs script;
        script.expectMessage(IDYES);
        const auto r = runNative(FileOperationKind::DeleteToTrash,
                                 {one / "x.txt", two / "x.txt", three / "x.txt"});
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QCOMPARE(entries(trash() + "/files"),
                 QList<QByteArray>({"x (2).txt", "x (3).txt", "x (4).txt", "x.txt"}));
        QCOMPARE(
            entries(trash() + "/info"),
            QList<QByteArray>({"x (3).txt.trashinfo", "x (4).txt.trashinfo", "x.txt.trashinfo"}));
        QCOMPARE(readFile(trash() + "/files/x (2).txt"), QByteArray("orphan"));
        QCOMPARE(readFile(trash() + "/files/x (3).txt"), QByteArray("2"));
        QCOMPARE(readFile(trash() + "/files/x (4).txt"), QByteArray("3"));
        QCOMPARE(infoPath(infoLines(trash() + "/info/x (3).txt.trashinfo")[1]),
                 fo::encodeTrashPath(two / "x.txt"));
    }

    void longNamesFitTheInfoFile()
    {
        NativeTempDir dir;
        const QByteArray name = QByteArray(240, 'n') + ".txt";
        writeFile(dir / name, "long");
        ScriptedDialogs script;
        script.expectMessage(IDYES);
        const auto r = runNative(FileOperationKind::DeleteToTrash, {dir / name});
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        const QList<QByteArray> files = entries(trash() + "/files");
        QCOMPARE(files.size(), 1);
        QVERIFY(files[0].endsWith(".txt") && files[0].size() + 10 <= 255);
        QCOMPARE(entries(trash() + "/info"), QList<QByteArray>{files[0] + ".trashinfo"});
        QCOMPARE(infoPath(infoLines(trash() + "/info/" + files[0] + ".trashinfo")[1]),
                 fo::encodeTrashPath(dir / name));
    }

    void topdirTrashRules_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QByteArray>("expected"); // relative to topdir; empty: none
        const QByteArray uid = QByteArray::number(::getuid());
        QTest::newRow("nothing there") << QByteArray("") << ".Trash-" + uid;
        QTest::newRow("shared with sticky bit") << QByteArray("sticky") << ".Trash/" + uid;
        QTest::newRow("shared without sticky bit") << QByteArray("plain") << ".Trash-" + uid;
        QTest::newRow("shared is a link") << QByteArray("link") << ".Trash-" + uid;
        QTest::newRow("own is a file") << QByteArray("ownfile") << QByteArray();
        QTest::newRow("own is a link") << QByteArray("ownlink") << QByteArray();
    }
    void topdirTrashRules()
    {
        QFETCH(QByteArray, setup);
        QFETCH(QByteArray, expected);
        NativeTempDir top;
        const QByteArray own = top / ".Trash-" + QByteArray::number(::getuid());
        if (setup == "sticky")
            makeDir(top / ".Trash", 01777);
        else if (setup == "plain")
            makeDir(top / ".Trash", 0777);
        else if (setup == "link") {
            makeDir(top / "elsewhere", 01777);
            QCOMPARE(::symlink("elsewhere", (top / ".Trash").constData()), 0);
        } else if (setup == "ownfile")
            writeFile(own, "");
        else if (setup == "ownlink") {
            makeDir(top / "elsewhere", 0700);
            QCOMPARE(::symlink("elsewhere", own.constData()), 0);
        }
        const auto loc = fo::topdirTrash(top.path(), ::getuid());
        QCOMPARE(bool(loc), !expected.isEmpty());
        if (!loc)
            return;
        QCOMPARE(loc->path, top / expected);
        QCOMPARE(loc->topdir, top.path());
        QCOMPARE(entries(loc->path), QList<QByteArray>({"files", "info"}));
        QCOMPARE(lstatOf(loc->path).st_mode & 0777, mode_t(0700));
    }

    void trashesOnOtherVolumeToItsTopdir()
    {
        const QByteArray base = secondVolumeBase();
        if (base.isEmpty())
            QSKIP("no second volume (tmpfs at /dev/shm) on this machine");
        NativeTempDir dir(base);
        const QByteArray name = "\xff trash test " + QByteArray::number(::getpid());
        writeFile(dir / name, "on tmpfs");
        ScriptedDialogs script;
        script.expectMessage(IDYES);
        const auto r = runNative(FileOperationKind::DeleteToTrash, {dir / name});
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        // The topdir trash of that volume holds it, under a relative Path=.
        const QByteArray top = fo::volumeTop(base, lstatOf(base).st_dev);
        const auto loc = fo::topdirTrash(top, ::getuid());
        QVERIFY(loc);
        const QByteArray trashed = loc->path + "/files/" + name;
        const QByteArray info = loc->path + "/info/" + name + ".trashinfo";
        const QByteArray content = readFile(trashed);
        const QList<QByteArray> lines = infoLines(info);
        ::unlink(trashed.constData());
        ::unlink(info.constData());
        QCOMPARE(content, QByteArray("on tmpfs"));
        const QByteArray relative = (dir / name).mid(top.size() + 1);
        QCOMPARE(infoPath(lines[1]), fo::encodeTrashPath(relative));
        QVERIFY(!exists(dir / name));
        QVERIFY(entries(trash()).isEmpty()); // nothing went to the home trash
    }

    void noTrashAsksToDeleteForGood_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("aborted");
        QTest::newRow("yes") << 0 << true << false;
        QTest::newRow("no") << 2 << false << false;
        QTest::newRow("cancel") << 3 << false << true;
    }
    void noTrashAsksToDeleteForGood()
    {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        QFETCH(bool, aborted);
        // The home trash cannot be made: a file has its name.
        writeFile(trash(), "not a folder");
        NativeTempDir dir;
        makeDir(dir / "tree");
        makeDir(dir / "tree/sub");
        writeFile(dir / "tree/sub/f", "f");
        ScriptedDialogs script;
        script.expectMessage(IDYES).expectChoice(answer);
        const auto r = runNative(FileOperationKind::DeleteToTrash, {dir / "tree"});
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text, u"ﾌｫﾙﾀﾞ 'tree' はごみ箱に移せません。\n"_s
                                         u"完全に削除しますか？（元に戻せません）"_s);
        QCOMPARE(script.lastCall().buttons,
                 QStringList({u"はい(&Y)"_s, u"すべてはい(&A)"_s, u"いいえ(&N)"_s, u"ｷｬﾝｾﾙ"_s}));
        QCOMPARE(script.lastCall().flags, int(MB_ICONEXCLAMATION));
        QCOMPARE(exists(dir / "tree"), !deleted);
        if (!deleted)
            QCOMPARE(readFile(dir / "tree/sub/f"), QByteArray("f"));
        QCOMPARE(r.aborted, aborted);
        QCOMPARE(r.succeeded(), deleted);
    }

    void trashFailureReportsAndRetries()
    {
        NativeTempDir dir;
        writeFile(dir / "f", "f");
        writeFile(dir / "g", "g");
        int failures = 1;
        fo::TestHooks hooks;
        hooks.fault = [&](fo::FaultPoint p, const QByteArray& name, const std::atomic<bool>&) {
            if (p != fo::FaultPoint::TrashRename)
                return 0;
            return name == "g" ? EXDEV : failures-- > 0 ? EACCES : 0;
        };
        HookScope scope(hooks);
        ScriptedDialogs script;
        script.expectMessage(IDYES).expectChoice(0 /* retry */).expectChoice(2 /* no */);
        const auto r = runNative(FileOperationKind::DeleteToTrash, {dir / "f", dir / "g"});
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.calls()[1].text,
                 u"'f' をごみ箱に移動できません。\nアクセスが拒否されました。"_s);
        QCOMPARE(script.calls()[1].buttons,
                 QStringList({u"再試行(&R)"_s, u"ｽｷｯﾌﾟ(&S)"_s, u"ｷｬﾝｾﾙ"_s}));
        // A rename that would cross volumes means no trash: the question, never a copy.
        QVERIFY(script.calls()[2].text.startsWith(u"ﾌｧｲﾙ 'g' はごみ箱に移せません。"_s));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Done);
        QCOMPARE(r.items[1].outcome, ItemOutcome::Skipped);
        QCOMPARE(entries(dir.path()), QList<QByteArray>{"g"});
        QCOMPARE(entries(trash() + "/files"), QList<QByteArray>{"f"});
        QCOMPARE(entries(trash() + "/info"), QList<QByteArray>{"f.trashinfo"});
    }
};

QUORIX_TEST(TrashTest)
#include "tst_Trash.moc"
