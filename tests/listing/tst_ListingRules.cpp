#include "support/TestMain.h"

#include "listing/FileMask.h"
#include "listing/RowColourRule.h"
#include "listing/RowTexts.h"

#include <QTest>

using namespace quorix;

class ListingRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void maskPatterns_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("patterns");
        QTest::newRow("comma before bar") << u"A|B,C"_qs << QStringList{u"A|B"_qs, u"C"_qs};
        QTest::newRow("bars") << u"*.TXT|*.DOC"_qs << QStringList{u"*.TXT"_qs, u"*.DOC"_qs};
        QTest::newRow("commas") << u"*.TXT,*.DOC"_qs << QStringList{u"*.TXT"_qs, u"*.DOC"_qs};
        QTest::newRow("empty between")
            << u"*.TXT,,*.DOC"_qs << QStringList{u"*.TXT"_qs, u""_qs, u"*.DOC"_qs};
        QTest::newRow("trailing separator") << u"*.TXT,"_qs << QStringList{u"*.TXT"_qs};
        QTest::newRow("more than five")
            << u"*.A,*.B,*.C,*.D,*.E,*.F,*.G"_qs
            << QStringList{u"*.A"_qs, u"*.B"_qs, u"*.C"_qs, u"*.D"_qs, u"*.E"_qs};
    }

    void maskPatterns()
    {
        QFETCH(QString, mask);
        QFETCH(QStringList, patterns);
        QCOMPARE(splitMaskPatterns(mask), patterns);
    }

    void maskMatching_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("skipped");
        QTest::newRow("all") << u"*.*"_qs << QStringList{u"a.txt"_qs, u"t"_qs, u".x"_qs}
                             << QStringList{};
        QTest::newRow("star dot txt") << u"*.TXT"_qs << QStringList{u"x.txt"_qs, u"Y.TXT"_qs}
                                      << QStringList{u"z.text"_qs, u"t"_qs, u"a.txt.bak"_qs};
        QTest::newRow("question mark")
            << u"?.TXT"_qs << QStringList{u"long name.txt"_qs} << QStringList{u"x.doc"_qs};
        QTest::newRow("single star")
            << u"*"_qs << QStringList{u"t"_qs, u"README"_qs} << QStringList{u"x.txt"_qs};
        QTest::newRow("second char no dot")
            << u"A*.TXT"_qs << QStringList{} << QStringList{u"a.txt"_qs, u"A.TXT"_qs};
        QTest::newRow("multi with empty")
            << u"*.TXT,,*.DOC"_qs << QStringList{u"a.txt"_qs, u"b.DOC"_qs, u"c"_qs}
            << QStringList{u"d.xls"_qs};
        QTest::newRow("bar inside pattern")
            << u"*.A|*.B,*.C"_qs << QStringList{u"x.c"_qs} << QStringList{u"x.a"_qs, u"x.b"_qs};
    }

    void maskMatching()
    {
        QFETCH(QString, mask);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, skipped);
        const FileMaskMatcher matcher(mask);
        for (const QString& name : listed)
            QVERIFY2(matcher.matches(name), qPrintable(name));
        for (const QString& name : skipped)
            QVERIFY2(!matcher.matches(name), qPrintable(name));
    }

    void sizes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << u"0KB"_qs;
        QTest::newRow("1") << qint64(1) << u"1KB"_qs;
        QTest::newRow("1024") << qint64(1024) << u"1KB"_qs;
        QTest::newRow("1025") << qint64(1025) << u"2KB"_qs;
        QTest::newRow("4 GiB - 1 wraps") << qint64(0xFFFFFFFFLL) << u"0KB"_qs;
        QTest::newRow("4 GiB + 2048: low word") << qint64(0x100000800LL) << u"2KB"_qs;
    }

    void sizes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(sizeText(bytes), text);
    }

    void attributesAndTimes()
    {
        QCOMPARE(attributeText(0x01 | 0x20), u"RA"_qs);
        QCOMPARE(attributeText(0x02 | 0x04), u"HS"_qs);
        QCOMPARE(attributeText(0x27 | 0x10), u"RHSA"_qs);
        QCOMPARE(attributeText(0x10), QString());
        QCOMPARE(timeText(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 59))), u"2024-03-09 07:05"_qs);
        QCOMPARE(timeText(QDateTime()), QString());
    }

    void freeSpace_data()
    {
        QTest::addColumn<std::optional<quint64>>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("500 bytes") << std::optional<quint64>(500) << u"/ 500ﾊﾞｲﾄ Free"_qs;
        QTest::newRow("1536 bytes") << std::optional<quint64>(1536) << u"/ 1.500KB Free"_qs;
        QTest::newRow("12.5 MB") << std::optional<quint64>(12.5 * 1024 * 1024)
                                 << u"/ 12.500MB Free"_qs;
        QTest::newRow("1000 GB no grouping")
            << std::optional<quint64>(1000ull << 30) << u"/ 1000.000GB Free"_qs;
        QTest::newRow("2 TB") << std::optional<quint64>(2ull << 40) << QString();
        QTest::newRow("query failed") << std::optional<quint64>() << QString();
    }

    void freeSpace()
    {
        QFETCH(std::optional<quint64>, bytes);
        QFETCH(QString, text);
        QCOMPARE(freeSpaceText(bytes), text);
    }

    void freeSpaceUsesLocaleDecimalSeparator()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(freeSpaceText(1536), u"/ 1,500KB Free"_qs);
        QLocale::setDefault(saved);
    }

    void rowColours_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<RowColour>("colour");
        const QString folder = folderTypeText(), program = programTypeText();
        const QString text = u"TXT"_qs + generatedTypeSuffix();
        QTest::newRow("hidden folder") << folder << u"HS"_qs << RowColour::WindowText;
        QTest::newRow("program") << program << u"RHSA"_qs << RowColour::Navy;
        QTest::newRow("program without icon")
            << programWithoutIconText() << u"R"_qs << RowColour::MaroonStruck;
        QTest::newRow("system beats hidden") << text << u"RHS"_qs << RowColour::Purple;
        QTest::newRow("hidden read-only") << text << u"RH"_qs << RowColour::Grey;
        QTest::newRow("read-only archive") << text << u"RA"_qs << RowColour::MaroonStruck;
        QTest::newRow("archive") << text << u"A"_qs << RowColour::WindowText;
        QTest::newRow("parent row") << QString() << QString() << RowColour::WindowText;
    }

    void rowColours()
    {
        QFETCH(QString, type);
        QFETCH(QString, attributes);
        QFETCH(RowColour, colour);
        QCOMPARE(rowColourFor(type, attributes), colour);
    }
};

QUORIX_TEST(ListingRulesTest)
#include "tst_ListingRules.moc"
