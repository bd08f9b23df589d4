#include "support/TestMain.h"

#include "support/DriveSandbox.h"
#include "navigation/FolderSpelling.h"
#include "navigation/PickHistory.h"

#include <QTest>

using namespace quorix;
using namespace Qt::StringLiterals;

class PathHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void pickGoesInFrontWithoutCut_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first entry picked again")
            << QStringList{u"C:\\A"_s, u"C:\\B"_s} << u"C:\\A"_s
            << QStringList{u"C:\\A"_s, u"C:\\B"_s};
        QTest::newRow("letters a-z match A-Z") << QStringList{u"C:\\B"_s, u"c:\\a"_s} << u"C:\\A"_s
                                               << QStringList{u"C:\\A"_s, u"C:\\B"_s};
        QTest::newRow("only the first copy goes")
            << QStringList{u"X"_s, u"A"_s, u"A"_s} << u"A"_s << QStringList{u"A"_s, u"X"_s, u"A"_s};
        QTest::newRow("empties before the match go, the one after each is skipped")
            << QStringList{u""_s, u""_s, u"B"_s, u"A"_s} << u"A"_s
            << QStringList{u"A"_s, u""_s, u"B"_s};
        QTest::newRow("other characters compare exactly")
            << QStringList{u"ａ"_s} << u"Ａ"_s << QStringList{u"Ａ"_s, u"ａ"_s};
        QStringList many;
        for (int i = 0; i < 25; ++i)
            many << QString::number(i);
        QTest::newRow("no cut at twenty") << many << u"X"_s << (QStringList{u"X"_s} + many);
    }
    void pickGoesInFrontWithoutCut()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, picked);
        QFETCH(QStringList, expected);
        putPickInFront(entries, picked);
        QCOMPARE(entries, expected);
    }

    void typedPathFindsFolderOfAnyCase()
    {
        test::DriveSandbox drives;
        drives.mkdir(u'C', u"home/User/Docs"_s);
        drives.mkdir(u'C', u"HOME"_s); // exact spelling wins over a case match
        drives.write(u'C', u"home/User/file"_s);
        QCOMPARE(existingFolderSpelling(u"C:\\HOME"_s), u"C:\\HOME"_s);
        QCOMPARE(existingFolderSpelling(u"C:\\HOME\\USER\\DOCS"_s), u"C:\\home\\User\\Docs"_s);
        QCOMPARE(existingFolderSpelling(u"C:\\home\\user"_s), u"C:\\home\\User"_s);
        QCOMPARE(existingFolderSpelling(u"C:\\HOME\\USER\\FILE"_s), QString());
        QCOMPARE(existingFolderSpelling(u"C:\\HOME\\NONE"_s), QString());
        QCOMPARE(existingFolderSpelling(u"C:\\HOME\\*"_s), QString());
        QCOMPARE(existingFolderSpelling(u"Q:\\HOME"_s), QString());
    }
};

QUORIX_TEST(PathHelpersTest)
#include "tst_PathHelpers.moc"
