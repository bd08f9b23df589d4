#include "EngineFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "platform/DriveTable.h"
#include "platform/PathMapping.h"

#include <QTest>

#include <cerrno>
#include <memory>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;
using platform::FileOperationKind;
using platform::ItemOutcome;

// The logical-path entry point, on drives mapped to temporary folders.
class LogicalRequestTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NativeTempDir> m_c, m_d, m_data;

private slots:
    void init()
    {
        m_c = std::make_unique<NativeTempDir>();
        m_d = std::make_unique<NativeTempDir>(secondVolumeBase());
        m_data = std::make_unique<NativeTempDir>();
        qputenv("XDG_DATA_HOME", m_data->path());
        qputenv("QUORIX_DRIVES", "C=" + m_c->path() + ";D=ramdisk:" + m_d->path());
        platform::DriveTable::reload();
    }
    void cleanup()
    {
        qunsetenv("QUORIX_DRIVES");
        qunsetenv("XDG_DATA_HOME");
        platform::DriveTable::reload();
        m_c.reset();
        m_d.reset();
        m_data.reset();
    }

    void copiesAndMovesByLogicalPaths_data()
    {
        QTest::addColumn<FileOperationKind>("kind");
        QTest::addColumn<QString>("destination");
        QTest::newRow("copy to D:\\") << FileOperationKind::Copy << u"D:\\"_s;
        QTest::newRow("move to D:") << FileOperationKind::Move << u"d:"_s;
        QTest::newRow("copy to D:\\OUT\\") << FileOperationKind::Copy << u"D:\\OUT\\"_s;
    }
    void copiesAndMovesByLogicalPaths()
    {
        QFETCH(FileOperationKind, kind);
        QFETCH(QString, destination);
        makeDir(*m_c / "SRC");
        makeDir(*m_d / "OUT");
        writeFile(*m_c / "SRC/A.TXT", "a");
        // A native name with a backslash and a byte that is not UTF-8: its reversible
        // logical name round-trips through the request.
        const QByteArray odd = "x\\y\xff.bin";
        writeFile(*m_c / "SRC/" + odd, "odd");
        const QString oddLogical = u"C:\\SRC\\"_s + platform::nameFromNative(odd);
        const QByteArray out = destination.contains(u"OUT"_s) ? *m_d / "OUT" : m_d->path();

        ScriptedDialogs script;
        const auto r = platform::runFileOperation(
            {kind, {u"C:\\SRC\\A.TXT"_s, oddLogical}, destination, nullptr});
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(r.succeeded());
        QCOMPARE(r.items.size(), size_t(2));
        QCOMPARE(r.items[1].source, oddLogical);
        QCOMPARE(r.items[1].nativeSource, *m_c / "SRC/" + odd);
        QCOMPARE(readFile(out + "/A.TXT"), QByteArray("a"));
        QCOMPARE(readFile(out + '/' + odd), QByteArray("odd"));
        QCOMPARE(exists(*m_c / "SRC/A.TXT"), kind == FileOperationKind::Copy);
    }

    void pathWithoutDriveIsReported()
    {
        writeFile(*m_c / "A.TXT", "a");
        ScriptedDialogs script;
        script.expectMessage(IDOK);
        const auto r = platform::runFileOperation(
            {FileOperationKind::Copy, {u"Q:\\NONE.TXT"_s, u"C:\\A.TXT"_s}, u"D:\\"_s, nullptr});
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text,
                 u"'Q:\\NONE.TXT' をｺﾋﾟｰできません。\n指定されたファイルが見つかりません。"_s);
        QCOMPARE(script.lastCall().flags, int(MB_OK | MB_ICONSTOP));
        QCOMPARE(r.items[0].outcome, ItemOutcome::Failed);
        QCOMPARE(r.items[1].outcome, ItemOutcome::Done);
        QCOMPARE(r.code, ENOENT);
        QVERIFY(!r.aborted);
        QCOMPARE(readFile(*m_d / "A.TXT"), QByteArray("a"));
    }

    void deletesToTrashByLogicalPaths()
    {
        writeFile(*m_c / "A.TXT", "a");
        ScriptedDialogs script;
        script.expectMessage(IDYES);
        const auto r = platform::runFileOperation(
            {FileOperationKind::DeleteToTrash, {u"C:\\A.TXT"_s}, {}, nullptr});
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text, u"ﾌｧｲﾙ 'A.TXT' をごみ箱に移しますか？"_s);
        QVERIFY(r.succeeded());
        QVERIFY(!exists(*m_c / "A.TXT"));
        QCOMPARE(readFile(*m_data / "Trash/files/A.TXT"), QByteArray("a"));
    }
};

QUORIX_TEST(LogicalRequestTest)
#include "tst_LogicalRequest.moc"
