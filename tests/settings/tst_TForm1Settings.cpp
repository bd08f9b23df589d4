#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/ui/TForm1.h"
#include "platform/DriveTable.h"
#include "settings/HistoryList.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsTexts.h"
#include "settings/ui/HistoryCombo.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorix;
using namespace quorix::settings;
using namespace Qt::StringLiterals;

namespace {

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void removeProgramFiles()
{
    QDir(settingsFilePath()).removeRecursively();
    QFile::remove(settingsFilePath());
    for (const HistoryList& h : {HistoryList::mainPath(), HistoryList::mainMask()}) {
        QDir(h.nativePath()).removeRecursively();
        QFile::remove(h.nativePath());
    }
}

} // namespace

// The main window's settings and histories: read at creation, histories shown at show,
// everything written at close.
class TForm1SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { removeProgramFiles(); }
    void cleanup() { removeProgramFiles(); }

    void firstRunUsesDefaultsAndCloseWritesEverything()
    {
        test::ScriptedDialogs script;
        TForm1 form;
        QCOMPARE(form.pos(), QPoint(10, 10));
        QCOMPARE(form.width(), 560);
        QCOMPARE(form.CurrentDir, u"C:\\"_s);
        QCOMPARE(form.FileMask, u"*.*"_s);
        QCOMPARE(form.FileSort, u"N"_s);
        QCOMPARE(form.SortMuki, u"U"_s);
        QCOMPARE(form.NoChgChar, u"ONGMSDHTP"_s);
        QVERIFY(form.EditApp.isEmpty());
        QCOMPARE(form.ExternalCommand[0].ArgFlag, u"N"_s);
        QVERIFY(form.ExternalCommand[25].CommandLine.isEmpty());
        const std::array<int, 5> widths{180, 60, 140, 120, 40};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(form.ListView1->columnWidth(i), widths[i]);

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.ComboBox1->currentText(), u"C:\\"_s);
        QCOMPARE(form.ComboBox1->count(), 0); // shown, not pushed
        QCOMPARE(form.ComboBox2->currentText(), u"*.*"_s);

        form.ListView1->setColumnWidth(2, 99);
        form.ExternalCommand[3] = {u"/usr/bin/gimp"_s, u"Y"_s, u"画像"_s};
        QVERIFY(form.close());
        QUORIX_VERIFY_SCRIPT(script);

        const IniFile ini = IniFile::load(settingsFilePath());
        QCOMPARE(ini.readInteger(u"Main", u"Type_w", 0), 99);
        QCOMPARE(ini.readString(u"Main", u"DirPath", {}), u"C:\\"_s);
        QCOMPARE(ini.readString(u"Application", u"OutAppD", {}), u"/usr/bin/gimp"_s);
        QCOMPARE(ini.readString(u"Application", u"OutAppD_N", {}), u"画像"_s);
        QCOMPARE(ini.value(u"Application", u"OutAppZ_F"), std::optional<QString>(u"N"_s));
        QCOMPARE(ini.value(u"Application", u"OutAppZ_N"), std::optional<QString>(u""_s));
        QCOMPARE(readAll(HistoryList::mainPath().nativePath()), QByteArray("C:\\\r\n"));
        QCOMPARE(readAll(HistoryList::mainMask().nativePath()), QByteArray("*.*\r\n"));
    }

    void savedValuesComeBack()
    {
        writeAll(settingsFilePath(), "[Main]\r\nLeft=-40\r\nTop=3000\r\nWidth=900\r\nHeight=700\r\n"
                                     "Name_w=$100\r\nDirPath=D:\\WORK\r\nFileMask=*.TXT\r\n"
                                     "[Setting]\r\nFileSort=T\r\nSortMuki=D\r\n"
                                     "[Application]\r\nEditApp=/usr/bin/vi\r\nOutAppB=x\r\n"
                                     "OutAppB_F=Y\r\nOutAppB_N=ｴｸｽ\r\n");
        test::ScriptedDialogs script;
        TForm1 form;
        QCOMPARE(form.pos(), QPoint(-40, 3000)); // no range check
        QCOMPARE(form.size(), QSize(900, 700));
        QCOMPARE(form.ListView1->columnWidth(0), 256);
        QCOMPARE(form.ListView1->columnWidth(1), 60);
        QCOMPARE(form.CurrentDir, u"D:\\WORK"_s);
        QCOMPARE(form.FileMask, u"*.TXT"_s);
        QCOMPARE(form.FileSort, u"T"_s);
        QCOMPARE(form.SortMuki, u"D"_s);
        QCOMPARE(form.EditApp, u"/usr/bin/vi"_s);
        QCOMPARE(form.ExternalCommand[1].CommandLine, u"x"_s);
        QCOMPARE(form.ExternalCommand[1].ArgFlag, u"Y"_s);
        QCOMPARE(form.ExternalCommand[1].DisplayName, u"ｴｸｽ"_s);
        QCOMPARE(form.ExternalCommand[2].ArgFlag, u"N"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void floppyQuestionAtCreation_data()
    {
        QTest::addColumn<QString>("dirPath");
        QTest::addColumn<bool>("medium");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QString>("currentDir");
        QTest::newRow("cancel") << u"A:"_s << false << int(IDCANCEL) << u"c:"_s;
        QTest::newRow("OK, still no medium") << u"a:"_s << false << int(IDOK) << u"c:\\"_s;
        QTest::newRow("medium present") << u"A:"_s << true << 0 << u"A:"_s;
        QTest::newRow("sub-folder of A:") << u"A:\\DATA"_s << false << 0 << u"A:\\DATA"_s;
    }

    void floppyQuestionAtCreation()
    {
        QFETCH(QString, dirPath);
        QFETCH(bool, medium);
        QFETCH(int, answer);
        QFETCH(QString, currentDir);
        QTemporaryDir drives;
        // Drive A: is removable; an empty root is a drive without its medium.
        const QByteArray root = QFile::encodeName(drives.path());
        platform::DriveTable::setCurrentForTests(platform::DriveTable::fromSpec(
            "C=" + root + ";A=removable:" + (medium ? root : QByteArray())));
        const auto restore = qScopeGuard([] { platform::DriveTable::reload(); });
        writeAll(settingsFilePath(), "[Main]\r\nDirPath=" + dirPath.toUtf8() + "\r\n");
        test::ScriptedDialogs script;
        if (answer)
            script.expectMessage(answer);
        TForm1 form;
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(form.CurrentDir, currentDir);
        if (answer) {
            QCOMPARE(form.LastDialogResult, answer);
            QCOMPARE(script.lastCall().caption, texts::floppyCaption());
            QCOMPARE(script.lastCall().text, texts::floppyQuestion());
            QCOMPARE(script.lastCall().flags, 0x31);
        }
    }

    void showLoadsHistoriesWithoutPushing()
    {
        writeAll(HistoryList::mainPath().nativePath(), "D:\\B\r\nC:\\\r\n\r\nE:\r\n");
        writeAll(HistoryList::mainMask().nativePath(), "*.TXT\n*.*\n");
        test::ScriptedDialogs script;
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(historyEntries(form.ComboBox1),
                 (QStringList{u"D:\\B"_s, u"C:\\"_s, u""_s, u"E:"_s}));
        QCOMPARE(form.ComboBox1->currentText(), u"C:\\"_s);
        QCOMPARE(historyEntries(form.ComboBox2), (QStringList{u"*.TXT"_s, u"*.*"_s}));
        QCOMPARE(form.ComboBox2->currentText(), u"*.*"_s);

        // At close the shown folder and mask become entry 0; the empty line right after
        // the removed duplicate is not looked at in that push.
        form.FileMask = u"*.TXT"_s;
        form.ComboBox2->setEditText(u"*.txt"_s);
        QVERIFY(form.close());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(readAll(HistoryList::mainPath().nativePath()),
                 QByteArray("C:\\\r\nD:\\B\r\n\r\nE:\r\n"));
        QCOMPARE(readAll(HistoryList::mainMask().nativePath()), QByteArray("*.txt\r\n*.*\r\n"));
    }

    void emptyPathBoxGivesEmptyEntryZero()
    {
        TForm1 form;
        form.ComboBox1->addItems({u"C:\\A"_s});
        form.ComboBox1->setEditText({});
        QVERIFY(form.SaveHistories());
        QCOMPARE(readAll(HistoryList::mainPath().nativePath()), QByteArray("\r\nC:\\A\r\n"));
    }

    void pushPathHistoryWorksOnTheBox()
    {
        TForm1 form;
        form.ComboBox1->addItems({u"C:\\X"_s, u"C:\\DATA"_s, u"C:\\Y"_s});
        form.ComboBox1->setEditText(u"c:\\data"_s);
        form.PushPathHistory();
        QCOMPARE(historyEntries(form.ComboBox1),
                 (QStringList{u"c:\\data"_s, u"C:\\X"_s, u"C:\\Y"_s}));
        QCOMPARE(form.ComboBox1->currentText(), u"c:\\data"_s);
        form.ComboBox2->setEditText(u"*.C"_s);
        form.PushMaskHistory();
        QCOMPARE(historyEntries(form.ComboBox2), (QStringList{u"*.C"_s}));
    }

    void failedSettingsWriteKeepsTheWindowOpen()
    {
        test::ScriptedDialogs script;
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // A folder where the file should go: it cannot be replaced.
        QVERIFY(QDir().mkpath(settingsFilePath()));
        script.expectMessage(IDOK);
        QVERIFY(!form.close());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(form.isVisible());
        QVERIFY(script.lastCall().text.contains(settingsFilePath()));
        QCOMPARE(script.lastCall().flags, int(MB_OK | MB_ICONSTOP));
        // The sequence stopped before the histories.
        QVERIFY(!QFile::exists(HistoryList::mainPath().nativePath()));

        QVERIFY(QDir(settingsFilePath()).removeRecursively());
        QVERIFY(form.close());
        QVERIFY(QFile::exists(settingsFilePath()));
        QVERIFY(QFile::exists(HistoryList::mainMask().nativePath()));
    }

    void failedHistoryWriteKeepsTheWindowOpen()
    {
        test::ScriptedDialogs script;
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(QDir().mkpath(HistoryList::mainPath().nativePath()));
        script.expectMessage(IDOK);
        QVERIFY(!form.close());
        QUORIX_VERIFY_SCRIPT(script);
        QVERIFY(form.isVisible());
        QVERIFY(script.lastCall().text.contains(HistoryList::mainPath().nativePath()));
        QVERIFY(QFile::exists(settingsFilePath())); // written before the histories
        QVERIFY(!QFile::exists(HistoryList::mainMask().nativePath()));
    }
};

QUORIX_TEST(TForm1SettingsTest)
#include "tst_TForm1Settings.moc"
