#include "support/TestMain.h"

#include "settings/IniFile.h"

#include <QTest>

using namespace quorix::settings;
using namespace Qt::StringLiterals;

class IniFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "<none>": key not found

        const QByteArray basic = "[Main]\r\nDirPath=D:\\WORK\r\n";
        QTest::newRow("plain") << basic << u"Main"_s << u"DirPath"_s << u"D:\\WORK"_s;
        QTest::newRow("section and key without case")
            << basic << u"mAIN"_s << u"dirpath"_s << u"D:\\WORK"_s;
        QTest::newRow("blanks around key, section and value")
            << QByteArray("  [ Main ]  \n\t DirPath \t=  D:\\WORK \t\n") << u"Main"_s
            << u"DirPath"_s << u"D:\\WORK"_s;
        QTest::newRow("key in another section")
            << basic << u"Setting"_s << u"DirPath"_s << u"<none>"_s;
        QTest::newRow("key before any section")
            << QByteArray("DirPath=X\r\n[Main]\r\n") << u"Main"_s << u"DirPath"_s << u"<none>"_s;
        QTest::newRow("comment line is no key")
            << QByteArray("[Main]\r\n;DirPath=X\r\n") << u"Main"_s << u";DirPath"_s << u"<none>"_s;
        QTest::newRow("comment after the header")
            << QByteArray("[Main] ; the window\r\nLeft=5\r\n") << u"Main"_s << u"Left"_s << u"5"_s;
        QTest::newRow("line without = is skipped")
            << QByteArray("[Main]\r\nDirPath\r\nDirPath=Y\r\n") << u"Main"_s << u"DirPath"_s
            << u"Y"_s;
        QTest::newRow("first duplicate key wins")
            << QByteArray("[Main]\r\nDirPath=A\r\nDIRPATH=B\r\n") << u"Main"_s << u"DirPath"_s
            << u"A"_s;
        QTest::newRow("first duplicate section wins")
            << QByteArray("[Main]\r\nLeft=1\r\n[Setting]\r\n[main]\r\nLeft=2\r\nTop=3\r\n")
            << u"Main"_s << u"Top"_s << u"<none>"_s;
        QTest::newRow("empty value")
            << QByteArray("[Main]\nDirPath=\n") << u"Main"_s << u"DirPath"_s << u""_s;
        QTest::newRow("= inside the value")
            << QByteArray("[A]\nOutAppA=x.exe a=b\n") << u"A"_s << u"OutAppA"_s << u"x.exe a=b"_s;
        QTest::newRow("double quotes removed")
            << QByteArray("[A]\nK=\" spaced \"\n") << u"A"_s << u"K"_s << u" spaced "_s;
        QTest::newRow("single quotes removed")
            << QByteArray("[A]\nK='x'\n") << u"A"_s << u"K"_s << u"x"_s;
        QTest::newRow("unmatched quotes kept")
            << QByteArray("[A]\nK=\"x'\n") << u"A"_s << u"K"_s << u"\"x'"_s;
        QTest::newRow("inner quotes kept") << QByteArray("[A]\nK=\"C:\\A B\\x.exe\" -n\n") << u"A"_s
                                           << u"K"_s << u"\"C:\\A B\\x.exe\" -n"_s;
        QTest::newRow("missing final line break")
            << QByteArray("[Main]\r\nDirPath=E:") << u"Main"_s << u"DirPath"_s << u"E:"_s;
        QTest::newRow("LF and CR line breaks")
            << QByteArray("[Main]\rLeft=1\nDirPath=F:\r") << u"Main"_s << u"DirPath"_s << u"F:"_s;
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF[Main]\r\nDirPath=G:\r\n")
                                               << u"Main"_s << u"DirPath"_s << u"G:"_s;
        QTest::newRow("UTF-16 byte-order mark")
            << QByteArray("\xFF\xFE[\0M\0]\0\n\0K\0=\0\xC7\x30\n\0", 18) << u"M"_s << u"K"_s
            << u"デ"_s;
        QTest::newRow("header without closing bracket")
            << QByteArray("[Main\nLeft=1\n") << u"Main"_s << u"Left"_s << u"1"_s;
        QTest::newRow("empty file") << QByteArray() << u"Main"_s << u"Left"_s << u"<none>"_s;
        QTest::newRow("binary noise")
            << QByteArray("\0\xFF[\x01]=\x80\r\r\n\0", 11) << u"Main"_s << u"Left"_s << u"<none>"_s;
    }

    void readsValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const IniFile ini = IniFile::fromBytes(file);
        QCOMPARE(ini.value(section, key).value_or(u"<none>"_s), expected);
    }

    void valueReadUpTo2047Characters()
    {
        const QByteArray longValue(3000, 'x');
        const IniFile ini = IniFile::fromBytes("[A]\nK=" + longValue + "\n");
        QCOMPARE(ini.readString(u"A", u"K", {}).size(), 2047);
    }

    void parsesIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -999 stands for "not a number"
        QTest::newRow("decimal") << u"380"_s << 380;
        QTest::newRow("negative") << u"-20"_s << -20;
        QTest::newRow("plus") << u"+7"_s << 7;
        QTest::newRow("0x") << u"0x1F"_s << 31;
        QTest::newRow("0X upper") << u"0XFF"_s << 255;
        QTest::newRow("dollar") << u"$ff"_s << 255;
        QTest::newRow("negative hex") << u"-$10"_s << -16;
        QTest::newRow("hex all bits") << u"$FFFFFFFF"_s << -1;
        QTest::newRow("largest") << u"2147483647"_s << 2147483647;
        QTest::newRow("smallest") << u"-2147483648"_s << int(-2147483647 - 1);
        QTest::newRow("too large") << u"2147483648"_s << -999;
        QTest::newRow("hex too large") << u"0x100000000"_s << -999;
        QTest::newRow("letters") << u"abc"_s << -999;
        QTest::newRow("trailing text") << u"12px"_s << -999;
        QTest::newRow("empty") << u""_s << -999;
        QTest::newRow("prefix only") << u"0x"_s << -999;
        QTest::newRow("sign only") << u"-"_s << -999;
        QTest::newRow("full-width digits") << u"１２"_s << -999;
        QTest::newRow("decimal point") << u"1.5"_s << -999;
    }

    void parsesIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(IniFile::parseInteger(text).value_or(-999), expected);
    }

    void integerFallsBackToDefault()
    {
        const IniFile ini = IniFile::fromBytes("[Main]\nLeft=abc\nTop= 0x20 \nHeight=\"12\"\n");
        QCOMPARE(ini.readInteger(u"Main", u"Left", 10), 10);
        QCOMPARE(ini.readInteger(u"Main", u"Top", 10), 32);
        QCOMPARE(ini.readInteger(u"Main", u"Height", 380), 12);
        QCOMPARE(ini.readInteger(u"Main", u"Width", 560), 560);
    }

    // A write changes its own line only; everything else stays byte for byte.
    void writeKeepsEveryOtherLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const QByteArray file = "; Quorix settings, edited by hand\r\n"
                                "[Main]\r\n"
                                "  left = 3 \r\n"
                                "MyKey=kept\r\n"
                                "\r\n"
                                "; next\r\n"
                                "[Other]\r\n"
                                "x=1\r\n";
        QTest::newRow("existing key keeps its spelling")
            << file << u"Main"_s << u"Left"_s << u"10"_s
            << QByteArray(
                   "; Quorix settings, edited by hand\r\n[Main]\r\n  left = 10\r\nMyKey=kept\r\n"
                   "\r\n; next\r\n[Other]\r\nx=1\r\n");
        QTest::newRow("new key after the section's last key")
            << file << u"Main"_s << u"Top"_s << u"7"_s
            << QByteArray(
                   "; Quorix settings, edited by hand\r\n[Main]\r\n  left = 3 \r\nMyKey=kept\r\n"
                   "Top=7\r\n\r\n; next\r\n[Other]\r\nx=1\r\n");
        QTest::newRow("new section at the end") << file << u"Setting"_s << u"FileSort"_s << u"N"_s
                                                << file + "[Setting]\r\nFileSort=N\r\n";
        QTest::newRow("missing final line break is mended")
            << QByteArray("[Main]\nLeft=1") << u"Main"_s << u"Top"_s << u"2"_s
            << QByteArray("[Main]\nLeft=1\nTop=2\n");
        QTest::newRow("last line stays without break when not touched")
            << QByteArray("[Main]\nLeft=1\n[X]\ny=2") << u"Main"_s << u"Left"_s << u"5"_s
            << QByteArray("[Main]\nLeft=5\n[X]\ny=2");
        QTest::newRow("empty section gets the key after its header")
            << QByteArray("[Main]\n\n[X]\n") << u"Main"_s << u"Left"_s << u"5"_s
            << QByteArray("[Main]\nLeft=5\n\n[X]\n");
        QTest::newRow("first of duplicate keys is written")
            << QByteArray("[A]\nK=1\nK=2\n") << u"A"_s << u"K"_s << u"3"_s
            << QByteArray("[A]\nK=3\nK=2\n");
        QTest::newRow("byte-order mark kept")
            << QByteArray("\xEF\xBB\xBF[A]\r\nK=1\r\n") << u"A"_s << u"K"_s << u"2"_s
            << QByteArray("\xEF\xBB\xBF[A]\r\nK=2\r\n");
        QTest::newRow("new file uses CR LF") << QByteArray() << u"Main"_s << u"Left"_s << u"10"_s
                                             << QByteArray("[Main]\r\nLeft=10\r\n");
        QTest::newRow("value with blanks at its ends is quoted")
            << QByteArray() << u"A"_s << u"K"_s << u" x "_s << QByteArray("[A]\r\nK=\" x \"\r\n");
        QTest::newRow("line breaks in a value become spaces")
            << QByteArray() << u"A"_s << u"K"_s << u"a\r\n[B]"_s
            << QByteArray("[A]\r\nK=a  [B]\r\n");
    }

    void writeKeepsEveryOtherLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        IniFile ini = IniFile::fromBytes(before);
        ini.writeString(section, key, value);
        QCOMPARE(ini.toBytes(), after);
        // What was written reads back as it was given (line breaks aside).
        QCOMPARE(IniFile::fromBytes(after).value(section, key).value_or(u"<none>"_s),
                 QString(value).replace(u'\r', u' ').replace(u'\n', u' '));
    }

    void untouchedFileRoundTrips()
    {
        const QByteArray file = "x\r\n[A]\nK = v \r;c\r\n\r\n[B]\n=\nno equals\n\tLast";
        QCOMPARE(IniFile::fromBytes(file).toBytes(), file);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("quoted") << u"\"C:\\Program Files\\x.exe\""_s;
        QTest::newRow("single quoted") << u"'a'"_s;
        QTest::newRow("leading tab") << u"\tx"_s;
        QTest::newRow("japanese") << u"C:\\ﾌｧｲﾙ\\表示"_s;
        QTest::newRow("semicolon") << u";x"_s;
        QTest::newRow("brackets") << u"[Main]"_s;
    }

    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        IniFile ini;
        ini.writeString(u"Application"_s, u"OutAppA"_s, value);
        QCOMPARE(IniFile::fromBytes(ini.toBytes()).readString(u"Application", u"OutAppA", {}),
                 value);
    }
};

QUORIX_TEST(IniFileTest)
#include "tst_IniFile.moc"
