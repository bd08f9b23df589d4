#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "platform/ProgramPath.h"

#include <QTest>

using namespace quorix;
using namespace quorix::test;

class ScriptedDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void answersInOrderAndRecords()
    {
        ScriptedDialogs script;
        script.expectMessage(IDYES).expectWarning(IDNO).expectInput(QStringLiteral("abc"));
        auto& d = DialogService::instance();
        QCOMPARE(d.messageBox(QStringLiteral("本当に？"), QStringLiteral("確認"),
                              MB_YESNO | MB_ICONQUESTION),
                 int(IDYES));
        QCOMPARE(d.warning(QStringLiteral("w"), QPoint(150, 150), WarningButtons::YesNo),
                 int(IDNO));
        bool ok = false;
        QCOMPARE(d.inputBox(QStringLiteral("ﾌｧｲﾙ検索"), QStringLiteral("p"), {}, &ok),
                 QStringLiteral("abc"));
        QVERIFY(ok);
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.calls().size(), 3);
        QCOMPARE(script.calls()[0].caption, QStringLiteral("確認"));
        QCOMPARE(script.calls()[0].flags, 0x24);
        QCOMPARE(script.calls()[1].position, QPoint(150, 150));
    }

    void unexpectedCallIsAFailureAnsweredNo()
    {
        ScriptedDialogs script;
        script.expectInput(QStringLiteral("x"));
        QCOMPARE(DialogService::instance().messageBox(QStringLiteral("t"), QStringLiteral("c"),
                                                      MB_YESNO),
                 int(IDNO));
        QCOMPARE(script.failures().size(), 1);
        QVERIFY(!script.allAnswered());
    }

    void uninstallsOnDestruction()
    {
        {
            ScriptedDialogs script;
        }
        // The default service declines everything.
        QCOMPARE(DialogService::instance().messageBox({}, {}, MB_OKCANCEL), int(IDCANCEL));
    }

    void programPathPointsIntoTemporaryFolder()
    {
        QCOMPARE(platform::programFolder(), programFolder());
        QVERIFY(platform::programFilePath().endsWith(QStringLiteral("/quorix")));
    }
};

QUORIX_TEST(ScriptedDialogsTest)
#include "tst_ScriptedDialogs.moc"
