#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/ui/ErrorDisplay.h"

#include <QTest>

#include <stdexcept>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;

class ErrorDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    // An escaped error is shown once with its own text and goes no further.
    void escapedErrorShownOnce()
    {
        ScriptedDialogs script;
        script.expectMessage(IDOK);
        QVERIFY(!runShowingErrors([] { throw std::runtime_error("ディスクがいっぱいです"); }));
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.calls().size(), 1);
        QCOMPARE(script.lastCall().text, u"ディスクがいっぱいです"_s);
        QCOMPARE(script.lastCall().caption, u"Quorix"_s);
        QCOMPARE(script.lastCall().flags, int(MB_OK | MB_ICONSTOP));
    }

    void quietWhenNothingEscapes()
    {
        ScriptedDialogs script;
        bool ran = false;
        QVERIFY(runShowingErrors([&] { ran = true; }));
        QVERIFY(ran);
        QUORIX_VERIFY_SCRIPT(script);
    }
};

QUORIX_TEST(ErrorDisplayTest)
#include "tst_ErrorDisplay.moc"
