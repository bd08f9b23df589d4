#include "support/TestMain.h"

#include "support/DriveSandbox.h"
#include "navigation/NavigationTexts.h"
#include "navigation/PathRules.h"

#include <QFileInfo>
#include <QTest>

using namespace quorix;
using namespace Qt::StringLiterals;
namespace texts = quorix::navigation_texts;

class PathRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void normaliseMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");
        QTest::newRow("extension") << u"TXT"_s << u"*.TXT"_s;
        QTest::newRow("dot extension") << u".TXT"_s << u"*.TXT"_s;
        QTest::newRow("pattern without star first") << u"A*.TXT"_s << u"*.A*.TXT"_s;
        QTest::newRow("already a mask") << u"*.TXT"_s << u"*.TXT"_s;
        QTest::newRow("star") << u"*"_s << u"*"_s;
        QTest::newRow("several patterns") << u"TXT,*.DOC"_s << u"*.TXT,*.DOC"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void normaliseMask()
    {
        QFETCH(QString, mask);
        QFETCH(QString, expected);
        QCOMPARE(NormaliseMask(mask), expected);
    }

    void refusedCharacters_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("path box") << texts::kPathRefusedChars << u"/,;*?<>|."_s
                                  << u":\\AZaz09_-\b ｱ漢"_s;
        QTest::newRow("mask box") << texts::kMaskRefusedChars << u"/:;?<>"_s << u"*.,|\\AZ"_s;
    }
    void refusedCharacters()
    {
        QFETCH(QString, set);
        QFETCH(QString, refused);
        QFETCH(QString, accepted);
        for (QChar c : refused) {
            QVERIFY2(!IsCharAllowed(c, set), qPrintable(QString(c)));
            QVERIFY(IsCharInSet(c, set));
        }
        for (QChar c : accepted) {
            QVERIFY2(IsCharAllowed(c, set), qPrintable(QString(c)));
            QVERIFY(!IsCharInSet(c, set));
        }
    }

    void pathParts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("last");
        QTest::newRow("two below") << u"C:\\A\\B"_s << u"C:\\A"_s << u"B"_s;
        QTest::newRow("one below") << u"C:\\A"_s << u"C:"_s << u"A"_s;
        QTest::newRow("long names")
            << u"D:\\データ\\報告 2024"_s << u"D:\\データ"_s << u"報告 2024"_s;
    }
    void pathParts()
    {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QFETCH(QString, last);
        QCOMPARE(parentFolder(path), parent);
        QCOMPARE(lastNamePart(path), last);
    }

    void makeFolderChainCreatesEveryMissingFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("native");
        QTest::newRow("two levels") << u"C:\\NEW\\SUB"_s << u"NEW/SUB"_s;
        QTest::newRow("trailing backslash") << u"C:\\NEW\\SUB\\"_s << u"NEW/SUB"_s;
        QTest::newRow("below an existing folder") << u"C:\\OLD\\X\\Y\\Z"_s << u"OLD/X/Y/Z"_s;
    }
    void makeFolderChainCreatesEveryMissingFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, native);
        test::DriveSandbox drives;
        drives.mkdir(u'C', u"OLD"_s);
        drives.write(u'C', u"OLD/keep.txt"_s, "kept");
        QVERIFY(MakeFolderChain(path));
        QVERIFY(QFileInfo(drives.native(u'C', native)).isDir());
        QVERIFY(QFileInfo(drives.native(u'C', u"OLD/keep.txt"_s)).isFile());
    }

    void makeFolderChainRefusesDrives()
    {
        test::DriveSandbox drives;
        QVERIFY(!MakeFolderChain(u"C:"_s));
        QVERIFY(!MakeFolderChain(u"C:\\"_s));
        QVERIFY(!MakeFolderChain(u"C"_s));
    }

    // A file in the way is not replaced; the call still reports that it tried.
    void makeFolderChainLeavesFilesAlone()
    {
        test::DriveSandbox drives;
        drives.write(u'C', u"F"_s, "data");
        QVERIFY(MakeFolderChain(u"C:\\F\\SUB"_s));
        QFile f(drives.native(u'C', u"F"_s));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("data"));
    }
};

QUORIX_TEST(PathRulesTest)
#include "tst_PathRules.moc"
