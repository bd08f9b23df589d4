#include "TempDrives.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"
#include "support/TestMain.h"

#include <QTest>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

namespace {

// Native names that a Windows path cannot spell as they are.
const QList<QByteArray>& awkwardNames()
{
    static const QList<QByteArray> names = {
        "plain.txt",
        "\x83\x5C.txt",                     // Shift-JIS ソ: its trail byte is '\'
        "\x83\x74\x83\x40\x83\x43\x83\x8B", // Shift-JIS ファイル
        "\xB6\xC0\xB6\xC5",                 // Shift-JIS half-width ｶﾀｶﾅ
        "bad\xFF\xFE",                      // no encoding at all
        "a\\b",                             // a backslash inside a name
        "q?<>|\":*",                        // every other forbidden character
        "tab\there\nnl",                    // controls
        "\xEF\x9C\x80 private",             // U+F700 itself, the escape base
        "\xEF\x9F\xBF",                     // U+F7FF
        "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", // UTF-8 text
        "\xED\xA0\x80", // an encoded surrogate is not UTF-8
        "\xC0\xAF",     // overlong '/'
        "trailing.",
    };
    return names;
}

} // namespace

class tst_PathMapping : public QObject
{
    Q_OBJECT
private slots:
    void namesRoundTrip()
    {
        for (const QByteArray& native : awkwardNames()) {
            const QString name = nameFromNative(native);
            QCOMPARE(nameToNative(name), native);
            // The reversible name never holds a character a Windows path treats specially.
            for (QChar c : name)
                QVERIFY2(!QStringView(u"\\/:*?\"<>|").contains(c) && c.unicode() >= 0x20,
                         native.toHex().constData());
        }
        // Every single byte value as a name of its own, and all of them in one name.
        QByteArray all;
        for (int b = 1; b < 256; ++b) {
            if (b == '/')
                continue;
            const QByteArray one(1, char(b));
            QCOMPARE(nameToNative(nameFromNative(one)), one);
            all.append(char(b));
        }
        QCOMPARE(nameToNative(nameFromNative(all)), all);
    }

    void validUtf8StaysReadable()
    {
        QCOMPARE(nameFromNative("REPORT.CSV"), u"REPORT.CSV"_s);
        QCOMPARE(nameFromNative(u"ﾌｧｲﾙ 日本.txt"_s.toUtf8()), u"ﾌｧｲﾙ 日本.txt"_s);
    }

    void displayName_data()
    {
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("\xE6\x97\xA5.txt") << u"日.txt"_s;
        QTest::newRow("shift-jis")
            << QByteArray("\x83\x74\x83\x40\x83\x43\x83\x8B") << u"ファイル"_s;
        QTest::newRow("shift-jis with 0x5C") << QByteArray("\x83\x5C.txt") << u"ソ.txt"_s;
        QTest::newRow("half-width") << QByteArray("\xB6\xC0") << u"ｶﾀ"_s;
        QTest::newRow("undecodable") << QByteArray("a\x80\xFF") << u"a\\x80\\xFF"_s;
        QTest::newRow("backslash") << QByteArray("a\\b") << u"a\\b"_s;
        QTest::newRow("control") << QByteArray("a\tb") << u"a\\x09b"_s;
    }
    void displayName()
    {
        QFETCH(QByteArray, native);
        QFETCH(QString, shown);
        QCOMPARE(quorix::platform::displayName(nameFromNative(native)), shown);
    }

    void logicalToNative_data()
    {
        QTest::addColumn<QString>("logical");
        QTest::addColumn<QByteArray>("relative"); // below C:'s root; "-" = not ok
        QTest::newRow("root") << u"C:"_s << QByteArray("");
        QTest::newRow("root slash") << u"C:\\"_s << QByteArray("");
        QTest::newRow("lower letter") << u"c:\\DATA\\A.TXT"_s << QByteArray("/DATA/A.TXT");
        QTest::newRow("double separators") << u"C:\\\\DATA\\\\"_s << QByteArray("/DATA");
        QTest::newRow("dots") << u"C:\\A\\.\\B\\..\\C"_s << QByteArray("/A/C");
        QTest::newRow("no climbing out") << u"C:\\..\\..\\X"_s << QByteArray("/X");
        QTest::newRow("forward slash") << u"C:/A/B"_s << QByteArray("/A/B");
        QTest::newRow("no drive") << u"Q:\\A"_s << QByteArray("-");
        QTest::newRow("no medium") << u"D:\\A"_s << QByteArray("-");
        QTest::newRow("drive-relative") << u"C:A"_s << QByteArray("-");
        QTest::newRow("relative") << u"A\\B"_s << QByteArray("-");
        QTest::newRow("empty") << QString() << QByteArray("-");
    }
    void logicalToNative()
    {
        QFETCH(QString, logical);
        QFETCH(QByteArray, relative);
        TempDrives drives;
        bool ok = false;
        const QByteArray native = toNative(logical, &ok);
        if (relative == "-") {
            QVERIFY(!ok);
            return;
        }
        QVERIFY(ok);
        QCOMPARE(native, drives.root() + relative);
    }

    void nativeToLogical()
    {
        TempDrives drives("E=");
        QCOMPARE(toLogical(drives.root()), u"C:"_s);
        QCOMPARE(toLogical(drives.native("A/B.TXT")), u"C:\\A\\B.TXT"_s);
        QCOMPARE(toLogical(drives.native("a\\b")), u"C:\\"_s + nameFromNative("a\\b"));
        QCOMPARE(toLogical("/nowhere/at/all"), QString());
        QCOMPARE(toLogical(drives.root() + "x"), QString()); // a sibling, not inside
    }

    void deepestRootWins()
    {
        TempDrives outer;
        const QByteArray inner = outer.native("inner");
        QVERIFY(outer.folder("inner"));
        TempDrives drives("F=" + inner);
        QCOMPARE(toLogical(inner + "/x"), u"F:\\x"_s);
        QCOMPARE(toLogical(drives.native("x")), u"C:\\x"_s);
    }

    // Files whose names a Windows path cannot spell are found, opened and renamed back.
    void awkwardNamesThroughRealFolder()
    {
        TempDrives drives;
        QVERIFY(drives.folder("dir"));
        for (const QByteArray& native : awkwardNames())
            QVERIFY(drives.file("dir/" + native, native));

        const EnumResult listed = enumerate(u"C:\\dir\\*.*"_s);
        QCOMPARE(listed.code, 0);
        QStringList names;
        for (const DirEntry& e : listed.entries)
            names << e.name;
        for (const QByteArray& native : awkwardNames()) {
            const QString name = nameFromNative(native);
            QVERIFY2(names.contains(name), native.toHex().constData());
            const QString logical = u"C:\\dir\\"_s + name;
            QVERIFY(exists(logical));
            QCOMPARE(drives.contents("dir/" + toNative(logical).mid(drives.root().size() + 5)),
                     native);
            QCOMPARE(toLogical(toNative(logical)), logical);
            const OpResult moved = renameNoReplace(logical, logical + u"~"_s);
            QVERIFY2(moved.ok, qPrintable(moved.errorText));
            QVERIFY(drives.present("dir/" + native + "~"));
        }
    }
};

QUORIX_TEST(tst_PathMapping)
#include "tst_PathMapping.moc"
