#include "support/TestMain.h"

#include "settings/HistoryList.h"
#include "settings/ui/HistoryCombo.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

using namespace quorix::settings;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(HistoryMatch)

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList numbered(const QString& prefix, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << prefix + QString::number(i);
    return list;
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (const HistoryList& h : {HistoryList::mainPath(), HistoryList::mainMask(),
                                     HistoryList::copyDestination(), HistoryList::findName()})
            QFile::remove(h.nativePath());
    }

    void push_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<HistoryMatch>("match");
        QTest::addColumn<QStringList>("after");
        const auto caseless = HistoryMatch::AsciiCaseless;
        const auto exact = HistoryMatch::Exact;

        QTest::newRow("main: case of a-z ignored, pushed form kept")
            << QStringList{u"D:\\X"_s, u"C:\\Data"_s} << u"C:\\DATA"_s << caseless
            << QStringList{u"C:\\DATA"_s, u"D:\\X"_s};
        QTest::newRow("dialog: case counts")
            << QStringList{u"D:\\X"_s, u"C:\\Data"_s} << u"C:\\DATA"_s << exact
            << QStringList{u"C:\\DATA"_s, u"D:\\X"_s, u"C:\\Data"_s};
        QTest::newRow("main: other letters compared exactly")
            << QStringList{u"C:\\ａ"_s, u"C:\\ä"_s} << u"C:\\Ä"_s << caseless
            << QStringList{u"C:\\Ä"_s, u"C:\\ａ"_s, u"C:\\ä"_s};
        QTest::newRow("main: full-width letters compared exactly")
            << QStringList{u"C:\\ａ"_s} << u"C:\\Ａ"_s << caseless
            << QStringList{u"C:\\Ａ"_s, u"C:\\ａ"_s};
        QTest::newRow("entry at position 5 moves to 0")
            << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"X"_s, u"f"_s} << u"X"_s
            << exact << QStringList{u"X"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s};
        QTest::newRow("only the first duplicate is removed")
            << QStringList{u"X"_s, u"a"_s, u"X"_s} << u"X"_s << exact
            << QStringList{u"X"_s, u"a"_s, u"X"_s};
        QTest::newRow("empty line after a removed one survives")
            << QStringList{u"a"_s, u""_s, u""_s, u"b"_s, u""_s, u"c"_s} << u"n"_s << exact
            << QStringList{u"n"_s, u"a"_s, u""_s, u"b"_s, u"c"_s};
        QTest::newRow("duplicate after a removed empty line survives")
            << QStringList{u""_s, u"x"_s, u""_s, u"y"_s} << u"x"_s << exact
            << QStringList{u"x"_s, u"x"_s, u"y"_s};
        QTest::newRow("empty text: empty entry 0, first empty line is its duplicate")
            << QStringList{u"a"_s, u""_s, u"b"_s, u""_s} << u""_s << caseless
            << QStringList{u""_s, u"a"_s, u"b"_s, u""_s};
        QTest::newRow("empty text into an empty list")
            << QStringList{} << u""_s << caseless << QStringList{u""_s};
        QTest::newRow("first push")
            << QStringList{} << u"*.*"_s << caseless << QStringList{u"*.*"_s};
        QTest::newRow("same text again") << QStringList{u"C:"_s, u"D:"_s} << u"c:"_s << caseless
                                         << QStringList{u"c:"_s, u"D:"_s};
        QTest::newRow("more than 20 cut after the scan")
            << numbered(u"e"_s, 22) + QStringList{u"X"_s, u"t"_s} << u"X"_s << exact
            << QStringList{u"X"_s} + numbered(u"e"_s, 19);
        QTest::newRow("21 become 20") << numbered(u"e"_s, 20) << u"new"_s << exact
                                      << QStringList{u"new"_s} + numbered(u"e"_s, 19);
    }

    void push()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, text);
        QFETCH(HistoryMatch, match);
        QFETCH(QStringList, after);
        pushHistory(before, text, match);
        QCOMPARE(before, after);
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("CR LF") << QByteArray("C:\r\nD:\\X\r\n") << QStringList{u"C:"_s, u"D:\\X"_s};
        QTest::newRow("LF") << QByteArray("C:\nD:\n") << QStringList{u"C:"_s, u"D:"_s};
        QTest::newRow("CR") << QByteArray("C:\rD:\r") << QStringList{u"C:"_s, u"D:"_s};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd")
                               << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty lines are entries")
            << QByteArray("\r\na\r\n\r\n\n\r") << QStringList{u""_s, u"a"_s, u""_s, u""_s, u""_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{u""_s};
        QTest::newRow("CP932") << QByteArray::fromHex("433a5c8366815b835e0d0a2a2e5458540d0a")
                               << QStringList{u"C:\\データ"_s, u"*.TXT"_s};
        QTest::newRow("UTF-8") << u"C:\\データ\r\n"_s.toUtf8() << QStringList{u"C:\\データ"_s};
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                             "C:\r\n")
                                               << QStringList{u"C:"_s};
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QCOMPARE(parseHistory(bytes), entries);
    }

    void serializeEndsEveryLineWithCrLf()
    {
        QCOMPARE(serializeHistory({u"C:"_s, u""_s, u"D:\\ﾃﾞｰﾀ"_s}),
                 QByteArray("C:\r\n\r\n") + u"D:\\ﾃﾞｰﾀ"_s.toUtf8() + "\r\n");
        QCOMPARE(serializeHistory({}), QByteArray());
        QCOMPARE(serializeHistory({u""_s}), QByteArray("\r\n"));
    }

    void fourFilesBesideTheProgram()
    {
        const QString folder = quorix::test::programFolder() + u'/';
        QCOMPARE(HistoryList::mainPath().nativePath(), folder + u"MainPath.LST"_s);
        QCOMPARE(HistoryList::mainMask().nativePath(), folder + u"Mask.LST"_s);
        QCOMPARE(HistoryList::copyDestination().nativePath(), folder + u"PATH.LST"_s);
        QCOMPARE(HistoryList::findName().nativePath(), folder + u"FIND.LST"_s);
        QCOMPARE(HistoryList::mainPath().match(), HistoryMatch::AsciiCaseless);
        QCOMPARE(HistoryList::mainMask().match(), HistoryMatch::AsciiCaseless);
        QCOMPARE(HistoryList::copyDestination().match(), HistoryMatch::Exact);
        QCOMPARE(HistoryList::findName().match(), HistoryMatch::Exact);
    }

    void loadReplacesTheListOnlyWhenTheFileExists()
    {
        const HistoryList history = HistoryList::copyDestination();
        QComboBox box;
        box.setEditable(true);
        box.addItems({u"old1"_s, u"old2"_s});
        box.setEditText(u"typed"_s);

        QVERIFY(!loadHistory(&box, history));
        QCOMPARE(historyEntries(&box), (QStringList{u"old1"_s, u"old2"_s}));

        writeAll(history.nativePath(), "D:\\A\r\n\r\nd:\\a\r\n");
        QVERIFY(loadHistory(&box, history));
        QCOMPARE(historyEntries(&box), (QStringList{u"D:\\A"_s, u""_s, u"d:\\a"_s}));
        QCOMPARE(box.currentText(), u"typed"_s);

        // An empty file is an empty list.
        writeAll(history.nativePath(), {});
        QVERIFY(loadHistory(&box, history));
        QCOMPARE(box.count(), 0);
    }

    void pushShowsEntryZeroInTheBox()
    {
        QComboBox box;
        box.setEditable(true);
        box.addItems({u"C:\\A"_s, u"C:\\B"_s});
        box.setEditText(u"c:\\b"_s);
        pushHistory(&box, HistoryList::mainPath());
        QCOMPARE(historyEntries(&box), (QStringList{u"c:\\b"_s, u"C:\\A"_s}));
        QCOMPARE(box.currentText(), u"c:\\b"_s);

        box.setEditText({});
        pushHistory(&box, HistoryList::mainPath());
        QCOMPARE(historyEntries(&box), (QStringList{u""_s, u"c:\\b"_s, u"C:\\A"_s}));
        QVERIFY(box.currentText().isEmpty());
    }

    void twentyFiveVisitsKeepTheNewestTwenty()
    {
        const HistoryList history = HistoryList::mainPath();
        QComboBox box;
        box.setEditable(true);
        for (int i = 1; i <= 25; ++i) {
            box.setEditText(u"C:\\DIR%1"_s.arg(i));
            pushHistory(&box, history);
        }
        QVERIFY(saveHistory(&box, history).ok);
        QStringList expected;
        for (int i = 25; i > 5; --i)
            expected << u"C:\\DIR%1"_s.arg(i);
        QCOMPARE(parseHistory(readAll(history.nativePath())), expected);
        QVERIFY(readAll(history.nativePath()).endsWith("C:\\DIR6\r\n"));

        // Read back into a fresh box as the next run does.
        QComboBox next;
        next.setEditable(true);
        QVERIFY(loadHistory(&next, history));
        QCOMPARE(historyEntries(&next), expected);
    }

    void longFileKeepsItsLinesUntilAPush()
    {
        const HistoryList history = HistoryList::findName();
        writeAll(history.nativePath(), serializeHistory(numbered(u"n"_s, 30)));
        QComboBox box;
        box.setEditable(true);
        QVERIFY(loadHistory(&box, history));
        QCOMPARE(box.count(), 30);
        QVERIFY(saveHistory(&box, history).ok);
        QCOMPARE(parseHistory(readAll(history.nativePath())).size(), 30);
    }

    void saveFailureIsReported()
    {
        const HistoryList nowhere(u"no-such-folder/MainPath.LST"_s, HistoryMatch::AsciiCaseless);
        const FileWriteResult result = nowhere.save({u"C:"_s});
        QVERIFY(!result.ok);
        QVERIFY(!result.errorText.isEmpty());
    }
};

QUORIX_TEST(HistoryTest)
#include "tst_History.moc"
