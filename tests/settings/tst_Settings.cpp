#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "settings/FloppyCheck.h"
#include "settings/Settings.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorix;
using namespace quorix::settings;
using namespace Qt::StringLiterals;

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

// "[Section]" and "Key" of every line of the file, in file order.
QStringList layout(const QByteArray& bytes)
{
    QStringList names;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray l = line.trimmed();
        if (l.isEmpty())
            continue;
        names.append(QString::fromUtf8(l.startsWith('[') ? l : l.left(l.indexOf('='))));
    }
    return names;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString iniPath() const { return m_dir.filePath(u"quorix.INI"_s); }

private slots:
    void init() { QFile::remove(iniPath()); }

    void fileNameFollowsTheProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("ini");
        QTest::newRow("no extension") << u"/opt/q/quorix"_s << u"/opt/q/quorix.INI"_s;
        QTest::newRow("exe") << u"/opt/q/Quorix.exe"_s << u"/opt/q/Quorix.INI"_s;
        QTest::newRow("two dots") << u"/opt/q/quorix.1.06.bin"_s << u"/opt/q/quorix.1.06.INI"_s;
        QTest::newRow("dot in folder only") << u"/opt/q.d/quorix"_s << u"/opt/q.d/quorix.INI"_s;
        QTest::newRow("leading dot") << u"/opt/q/.quorix"_s << u"/opt/q/.quorix.INI"_s;
    }

    void fileNameFollowsTheProgram()
    {
        QFETCH(QString, program);
        QFETCH(QString, ini);
        QCOMPARE(settingsFilePathFor(program), ini);
    }

    void settingsFileIsBesideTheProgram()
    {
        QCOMPARE(settingsFilePath(), quorix::test::programFolder() + u"/quorix.INI"_s);
    }

    void firstRunGivesDefaultsAndWritesEveryKeyInOrder()
    {
        const Settings s = loadSettings(iniPath());
        QCOMPARE(s, Settings());
        QCOMPARE(s.left, 10);
        QCOMPARE(s.top, 10);
        QCOMPARE(s.width, 560);
        QCOMPARE(s.height, 380);
        QCOMPARE(s.dirPath, u"C:\\"_s);
        QCOMPARE(s.fileMask, u"*.*"_s);
        QCOMPARE(s.fileSort, u"N"_s);
        QCOMPARE(s.sortMuki, u"U"_s);
        QCOMPARE(s.externalCommands[25].argFlag, u"N"_s);
        QVERIFY(s.externalCommands[0].commandLine.isEmpty());

        QVERIFY(saveSettings(s, iniPath()).ok);
        QStringList expected{u"[Main]"_s,        u"Top"_s,          u"Left"_s,     u"Height"_s,
                             u"Width"_s,         u"Name_w"_s,       u"Size_w"_s,   u"Type_w"_s,
                             u"Modified_w"_s,    u"Attributes_w"_s, u"DirPath"_s,  u"FileMask"_s,
                             u"[Setting]"_s,     u"FileSort"_s,     u"SortMuki"_s, u"NoChgChar"_s,
                             u"[Application]"_s, u"EditApp"_s};
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
            const QString key = u"OutApp"_s + QChar(letter);
            expected << key << key + u"_F"_s << key + u"_N"_s;
        }
        const QByteArray bytes = readAll(iniPath());
        QCOMPARE(layout(bytes), expected);
        QVERIFY(bytes.contains("\r\nOutAppZ_F=N\r\nOutAppZ_N=\r\n"));
        QVERIFY(bytes.startsWith("[Main]\r\nTop=10\r\nLeft=10\r\nHeight=380\r\nWidth=560\r\n"
                                 "Name_w=180\r\nSize_w=60\r\nType_w=140\r\nModified_w=120\r\n"
                                 "Attributes_w=40\r\nDirPath=C:\\\r\nFileMask=*.*\r\n"));
        QCOMPARE(loadSettings(iniPath()), s);
    }

    void onlyDirPathGivesDefaultsForTheRest()
    {
        writeAll(iniPath(), "[Main]\r\nDirPath=D:\\WORK\\2024\r\n");
        Settings expected;
        expected.dirPath = u"D:\\WORK\\2024"_s;
        QCOMPARE(loadSettings(iniPath()), expected);
    }

    void badAndHexadecimalNumbers()
    {
        writeAll(iniPath(), "[Main]\nLeft=abc\nTop=0x20\nHeight=$1F4\nWidth=-5000\nName_w=12 px\n"
                            "Size_w=\n");
        const Settings s = loadSettings(iniPath());
        QCOMPARE(s.left, 10);
        QCOMPARE(s.top, 32);
        QCOMPARE(s.height, 500);
        QCOMPARE(s.width, -5000); // window bounds are taken as read
        QCOMPARE(s.columnWidths[0], 180);
        QCOMPARE(s.columnWidths[1], 60);
    }

    void everyFieldRoundTrips()
    {
        Settings s;
        s.left = -1200;
        s.top = 4000;
        s.height = 1;
        s.width = 2;
        s.columnWidths = {1, 2, 3, 4, 5};
        s.dirPath = u"E:\\ﾃﾞｰﾀ"_s;
        s.fileMask = u"*.TXT;*.DOC"_s;
        s.fileSort = u"T"_s;
        s.sortMuki = u"D"_s;
        s.noChgChar = u"XYZ"_s;
        s.editApp = u"/usr/bin/mousepad"_s;
        for (int i = 0; i < Settings::CommandCount; ++i)
            s.externalCommands[i] = {u"cmd%1 \"a b\""_s.arg(i), i % 2 ? u"Y"_s : u"N"_s,
                                     u"名前%1"_s.arg(i)};
        QVERIFY(saveSettings(s, iniPath()).ok);
        QCOMPARE(loadSettings(iniPath()), s);
    }

    void handEditsSurviveASave()
    {
        const QByteArray before = "; my settings\r\n"
                                  "[Main]\r\n"
                                  "dirpath = D:\\OLD\r\n"
                                  "Theme=dark\r\n"
                                  "\r\n"
                                  "[Plugins]\r\n"
                                  "; not Quorix's\r\n"
                                  "Foo=bar\r\n";
        writeAll(iniPath(), before);
        Settings s = loadSettings(iniPath());
        QCOMPARE(s.dirPath, u"D:\\OLD"_s);
        s.dirPath = u"D:\\NEW"_s;
        QVERIFY(saveSettings(s, iniPath()).ok);

        const QByteArray after = readAll(iniPath());
        QVERIFY(after.startsWith("; my settings\r\n[Main]\r\ndirpath = D:\\NEW\r\nTheme=dark\r\n"));
        QVERIFY(after.contains("\r\n\r\n[Plugins]\r\n; not Quorix's\r\nFoo=bar\r\n"));
        QCOMPARE(after.count("DirPath"), 0); // the user's own spelling of the key is kept
        QCOMPARE(loadSettings(iniPath()).dirPath, u"D:\\NEW"_s);
    }

    void windowsJapaneseFileReadsBack()
    {
        // As the Windows build writes it: code page 932, CR LF.
        const QByteArray cp932 = QByteArray::fromHex(
            "5b4d61696e5d0d0a546f703d3132300d0a4c6566743d2d33300d0a4865696768743d3630300d0a57"
            "696474683d3830300d0a446972506174683d433a5c8366815b835e5c955c8ea60d0a46696c654d61"
            "736b3d2a2e5458540d0a5b53657474696e675d0d0a46696c65536f72743d440d0a536f72744d756b"
            "693d440d0a5b4170706c69636174696f6e5d0d0a456469744170703d433a5c50726f6772616d2046"
            "696c65735c834783668342835e5c656469742e6578650d0a4f7574417070413d433a5c8f478adb5c"
            "686964656d6172752e6578650d0a4f7574417070415f463d590d0a4f7574417070415f4e3dcca7b2"
            "d9955c8ea60d0a");
        writeAll(iniPath(), cp932);
        Settings s = loadSettings(iniPath());
        QCOMPARE(s.top, 120);
        QCOMPARE(s.left, -30);
        QCOMPARE(s.dirPath, u"C:\\データ\\表示"_s);
        QCOMPARE(s.fileMask, u"*.TXT"_s);
        QCOMPARE(s.fileSort, u"D"_s);
        QCOMPARE(s.editApp, u"C:\\Program Files\\エディタ\\edit.exe"_s);
        QCOMPARE(s.externalCommands[0].commandLine, u"C:\\秀丸\\hidemaru.exe"_s);
        QCOMPARE(s.externalCommands[0].argFlag, u"Y"_s);
        QCOMPARE(s.externalCommands[0].displayName, u"ﾌｧｲﾙ表示"_s);

        // Saved again it is UTF-8 and says the same.
        QVERIFY(saveSettings(s, iniPath()).ok);
        const QByteArray utf8 = readAll(iniPath());
        QVERIFY(utf8.contains(u"DirPath=C:\\データ\\表示\r\n"_s.toUtf8()));
        QCOMPARE(loadSettings(iniPath()), s);
    }

    void failedWriteNamesItsReasonAndKeepsTheFile()
    {
        // A folder in place of the file: it can be neither read nor replaced.
        QVERIFY(QDir(m_dir.path()).mkpath(u"blocked.INI"_s));
        const FileWriteResult blocked = saveSettings(Settings(), m_dir.filePath(u"blocked.INI"_s));
        QVERIFY(!blocked.ok);
        QVERIFY(!blocked.errorText.isEmpty());
        QVERIFY(QFileInfo(m_dir.filePath(u"blocked.INI"_s)).isDir());

        const FileWriteResult noFolder = saveSettings(Settings(), m_dir.filePath(u"gone/q.INI"_s));
        QVERIFY(!noFolder.ok);
        QVERIFY(!QFile::exists(m_dir.filePath(u"gone"_s)));
    }

    void floppyCheck_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<bool>("presentAtFirst");
        QTest::addColumn<bool>("presentAfterOk");
        QTest::addColumn<int>("answer"); // 0: no question expected
        QTest::addColumn<QString>("result");

        QTest::newRow("medium present") << u"A:"_s << true << true << 0 << u"A:"_s;
        QTest::newRow("other drive") << u"C:\\DATA"_s << false << false << 0 << u"C:\\DATA"_s;
        QTest::newRow("sub-folder of A:") << u"A:\\DATA"_s << false << false << 0 << u"A:\\DATA"_s;
        QTest::newRow("A:\\ is not A:") << u"A:\\"_s << false << false << 0 << u"A:\\"_s;
        QTest::newRow("OK after inserting") << u"A:"_s << false << true << int(IDOK) << u"A:"_s;
        QTest::newRow("OK still empty") << u"A:"_s << false << false << int(IDOK) << u"c:\\"_s;
        QTest::newRow("cancel") << u"A:"_s << false << true << int(IDCANCEL) << u"c:"_s;
        QTest::newRow("lower-case a:") << u"a:"_s << false << false << int(IDCANCEL) << u"c:"_s;
    }

    void floppyCheck()
    {
        QFETCH(QString, dir);
        QFETCH(bool, presentAtFirst);
        QFETCH(bool, presentAfterOk);
        QFETCH(int, answer);
        QFETCH(QString, result);

        test::ScriptedDialogs script;
        if (answer)
            script.expectMessage(answer);
        int queries = 0;
        QStringList roots;
        auto volumePresent = [&](const QString& root) {
            roots << root;
            return ++queries == 1 ? presentAtFirst : presentAfterOk;
        };
        int lastResult = -1;
        checkFloppyStartFolder(dir, &lastResult, volumePresent);
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(dir, result);
        QCOMPARE(roots.value(0), u"A:\\"_s);
        if (answer) {
            QCOMPARE(lastResult, answer);
            QCOMPARE(script.lastCall().text, texts::floppyQuestion());
            QCOMPARE(script.lastCall().caption, u"ＦＤ確認"_s);
            QCOMPARE(script.lastCall().flags, 0x31);
            QCOMPARE(roots.size(), answer == IDOK ? 2 : 1);
        } else {
            QCOMPARE(lastResult, -1);
            QCOMPARE(roots.size(), 1);
        }
    }
};

QUORIX_TEST(SettingsTest)
#include "tst_Settings.moc"
