#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/StartFolder.h"
#include "app/ui/TForm1.h"

#include "platform/DriveTable.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;

// The show sequence's check of the saved start folder, on drives in a temporary folder.
class StartFolderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_c;

private slots:
    void initTestCase()
    {
        QVERIFY(m_c.isValid());
        QVERIFY(QDir(m_c.path()).mkpath(u"DATA"_s));
        qputenv("QUORIX_DRIVES", QString(u"C="_s + m_c.path() + u";A=removable:"_s).toUtf8());
        platform::DriveTable::reload();
    }
    void cleanupTestCase()
    {
        qunsetenv("QUORIX_DRIVES");
        platform::DriveTable::reload();
    }

    // Drives and existing folders are taken as they are, without a question.
    void presentOrDriveAsksNothing_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("existing folder") << u"C:\\DATA"_s;
        QTest::newRow("drive") << u"C:"_s;
        QTest::newRow("drive without medium") << u"A:"_s;
        QTest::newRow("unknown drive") << u"Q:"_s;
    }
    void presentOrDriveAsksNothing()
    {
        QFETCH(QString, folder);
        ScriptedDialogs script;
        int result = -1;
        QCOMPARE(checkStartFolder(folder, QPoint(), &result), StartFolder::Keep);
        QCOMPARE(result, -1);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void missingFolderYesCreatesIt()
    {
        ScriptedDialogs script;
        script.expectWarning(IDYES);
        TForm1 form;
        form.move(200, 150);
        form.CurrentDir = u"C:\\GONE\\DEEPER"_s;
        form.show();
        QUORIX_VERIFY_SCRIPT(script);
        const DialogCall& call = script.calls().constFirst();
        QCOMPARE(call.text, u"ディレクトリが見つかりません。ディレクトリを作成しますか？"_s);
        // The offscreen platform settles the frame (2 px margins) only after the show
        // event, so the position taken then may lie that much off the final one.
        QVERIFY((call.position - QPoint(form.x() + 50, form.y() + 50)).manhattanLength() <= 4);
        QCOMPARE(call.flags, int(WarningButtons::YesNo));
        QCOMPARE(form.LastDialogResult, int(IDYES));
        QVERIFY(QDir(m_c.filePath(u"GONE/DEEPER"_s)).exists());
        QCOMPARE(form.CurrentDir, u"C:\\GONE\\DEEPER"_s);
    }

    void missingFolderNoShowsDriveC()
    {
        ScriptedDialogs script;
        script.expectWarning(IDNO);
        TForm1 form;
        form.CurrentDir = u"C:\\NOWHERE"_s;
        form.show();
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(form.LastDialogResult, int(IDNO));
        QCOMPARE(form.CurrentDir, u"c:"_s);
        QCOMPARE(form.ComboBox1->currentText(), u"c:"_s);
        QCOMPARE(form.LastDrive, u"c:"_s);
        QVERIFY(!QDir(m_c.filePath(u"NOWHERE"_s)).exists());
    }
};

QUORIX_TEST(StartFolderTest)
#include "tst_StartFolder.moc"
