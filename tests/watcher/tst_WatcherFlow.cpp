#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"
#include "navigation/TFolderCheck.h"
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <memory>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

QStringList captions(const TForm1& form)
{
    QStringList names;
    for (const ListRow& row : form.ListModel->rows())
        names << row.caption;
    return names;
}

QStringList selectedCaptions(const TForm1& form)
{
    QStringList names;
    for (const QModelIndex& index : form.ListView1->selectionModel()->selectedRows())
        names << form.ListModel->row(index.row()).caption;
    return names;
}

bool selectCaption(TForm1& form, const QString& caption)
{
    const int row = int(captions(form).indexOf(caption));
    if (row < 0)
        return false;
    const QModelIndex index = form.ListModel->index(row, 0);
    form.ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
    return selectedCaptions(form) == QStringList{caption};
}

} // namespace

// The main window with its watcher on drives in a temporary folder: files changed from
// outside the program show up in the list about a second later.
class WatcherFlowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_c;
    std::unique_ptr<TForm1> m_form;

    QString native(const QString& relative) const { return m_c.filePath(relative); }

    // Shows the main window on `folder` and waits for the first listing and the watch.
    bool showOn(const QString& folder)
    {
        m_form = std::make_unique<TForm1>();
        m_form->CurrentDir = folder;
        m_form->FileMask = u"*.*"_s;
        m_form->show();
        return QTest::qWaitFor([&] { return m_form->firstListingMade(); }, 5000) &&
               m_form->FolderCheck &&
               QTest::qWaitFor(
                   [&] { return m_form->FolderCheck->watchedFolder() == m_form->CurrentDir; },
                   2000);
    }

    // Lets the watcher thread handle every change the kernel has reported so far: it is
    // moved to another folder and back, which it does only after reading what came before.
    bool settle()
    {
        TFolderCheck* check = m_form->FolderCheck;
        for (const QString& folder : {u"C:\\Z"_s, m_form->CurrentDir}) {
            check->followFolder(folder);
            if (!QTest::qWaitFor([&] { return check->watchedFolder() == folder; }, 2000))
                return false;
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_c.isValid());
        qputenv("QUORIX_DRIVES", QString(u"C="_s + m_c.path() + u";A=removable:"_s).toUtf8());
        platform::DriveTable::reload();
    }

    void cleanupTestCase()
    {
        qunsetenv("QUORIX_DRIVES");
        platform::DriveTable::reload();
    }

    void init()
    {
        for (const QString& folder : {u"X"_s, u"Y"_s, u"Z"_s}) {
            QDir(native(folder)).removeRecursively();
            QVERIFY(QDir().mkpath(native(folder + u"/sub")));
        }
        for (const QString& name : {u"b.txt"_s, u"keep.txt"_s, u"m.dat"_s})
            QVERIFY(writeFile(native(u"X/"_s + name)));
    }

    void cleanup() { m_form.reset(); }

    void externalChangeIsListedWithSelectionKept_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("appears");
        QTest::addColumn<QString>("vanishes");
        QTest::newRow("created") << u"create"_s << u"a.txt"_s << QString();
        QTest::newRow("renamed") << u"rename"_s << u"a.txt"_s << u"m.dat"_s;
        QTest::newRow("deleted") << u"delete"_s << QString() << u"b.txt"_s;
    }

    void externalChangeIsListedWithSelectionKept()
    {
        QFETCH(QString, op);
        QFETCH(QString, appears);
        QFETCH(QString, vanishes);
        QVERIFY(showOn(u"C:\\X"_s));
        QVERIFY(selectCaption(*m_form, u"keep.txt"_s));
        QSignalSpy fired(m_form->RefreshTimer, &QTimer::timeout);
        QElapsedTimer clock;
        clock.start();
        if (op == u"create")
            QVERIFY(writeFile(native(u"X/a.txt"_s)));
        else if (op == u"rename")
            QVERIFY(QFile::rename(native(u"X/m.dat"_s), native(u"X/a.txt"_s)));
        else
            QVERIFY(QFile::remove(native(u"X/b.txt"_s)));
        QTRY_VERIFY_WITH_TIMEOUT((appears.isEmpty() || captions(*m_form).contains(appears)) &&
                                     (vanishes.isEmpty() || !captions(*m_form).contains(vanishes)),
                                 1500);
        QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(fired.count(), 1);
        QCOMPARE(selectedCaptions(*m_form), QStringList{u"keep.txt"_s});
    }

    void subfolderOrWriteGivesNoRefresh()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        const QStringList before = captions(*m_form);
        QVERIFY(QDir(native(u"X"_s)).mkdir(u"newsub"_s));
        QFile file(native(u"X/keep.txt"_s));
        QVERIFY(file.open(QIODevice::Append) && file.write("more") == 4);
        file.close();
        QVERIFY(settle());
        QCOMPARE(m_form->FolderCheck->timerRequests(), 0);
        QVERIFY(!m_form->RefreshTimer->isActive());
        QCOMPARE(captions(*m_form), before);
    }

    void burstGivesOneRefresh()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        QSignalSpy fired(m_form->RefreshTimer, &QTimer::timeout);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(writeFile(native(u"X/burst%1.txt"_s.arg(i))));
            QTest::qWait(45); // ten files spread over about half a second
        }
        QTRY_VERIFY_WITH_TIMEOUT(captions(*m_form).contains(u"burst9.txt"_s), 1500);
        QVERIFY(settle());
        QVERIFY(!m_form->RefreshTimer->isActive());
        QCOMPARE(fired.count(), 1);
    }

    void suspendedRefreshIsDropped()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        QSignalSpy fired(m_form->RefreshTimer, &QTimer::timeout);
        m_form->SuspendAutoRefresh = true;
        QVERIFY(writeFile(native(u"X/a.txt"_s)));
        QVERIFY(fired.wait(2000));
        QVERIFY(!captions(*m_form).contains(u"a.txt"_s));
        // The change is not picked up later either.
        m_form->SuspendAutoRefresh = false;
        QVERIFY(settle());
        QVERIFY(!m_form->RefreshTimer->isActive());
        QVERIFY(!captions(*m_form).contains(u"a.txt"_s));
    }

    void filterIsLostAtTheNextAutomaticRefresh()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        m_form->SearchPattern = u"C:\\X\\*.txt"_s;
        m_form->RefreshFileList(true, false, false);
        QVERIFY(!captions(*m_form).contains(u"m.dat"_s));
        QVERIFY(writeFile(native(u"X/new.txt"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(captions(*m_form).contains(u"m.dat"_s), 1500);
        QVERIFY(captions(*m_form).contains(u"new.txt"_s));
    }

    void watcherFollowsTheFolderShown()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        m_form->CurrentDir = u"C:\\Y"_s;
        m_form->RefreshFileList(false, false, false);
        QTRY_COMPARE(m_form->FolderCheck->watchedFolder(), u"C:\\Y"_s);
        QVERIFY(writeFile(native(u"Y/new.txt"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(captions(*m_form).contains(u"new.txt"_s), 1500);
    }

    // A folder whose native name is not UTF-8 is watched under its own bytes.
    void folderNamedInOtherBytes()
    {
        const QByteArray nativeName("\x93\xfa\x96\x7b"); // Shift-JIS, not UTF-8
        const QString folder = u"C:\\"_s + platform::nameFromNative(nativeName);
        QVERIFY(platform::makeFolder(folder));
        QVERIFY(showOn(folder));
        // The file is made through its byte path, as another program would.
        const QByteArray file = QFile::encodeName(m_c.path()) + '/' + nativeName + "/new.txt";
        std::FILE* handle = std::fopen(file.constData(), "w");
        QVERIFY(handle);
        std::fclose(handle);
        QTRY_VERIFY_WITH_TIMEOUT(captions(*m_form).contains(u"new.txt"_s), 1500);
        // Renamed to a UTF-8 name, which the clean-up of the temporary folder can name.
        QVERIFY(std::remove(file.constData()) == 0);
        QVERIFY(platform::renameNoReplace(folder, u"C:\\Y\\moved"_s).ok);
    }

    // Leaving a drive without a medium for another drive: the one watcher moves along, no
    // second one is started, and a change gives one refresh.
    void leavingDriveAStartsNoSecondWatcher()
    {
        ScriptedDialogs script;
        script.expectMessage(IDOK); // the listing reports the drive without a medium
        m_form = std::make_unique<TForm1>();
        m_form->CurrentDir = u"A:"_s;
        m_form->FileMask = u"*.*"_s;
        m_form->show();
        QTRY_VERIFY(m_form->firstListingMade());
        QVERIFY(m_form->FolderCheck);
        QTRY_VERIFY(m_form->FolderCheck->armAttempts() >= 1);
        QCOMPARE(m_form->FolderCheck->watchedFolder(), QString());
        QUORIX_VERIFY_SCRIPT(script);
        m_form->CurrentDir = u"C:\\X"_s;
        m_form->RefreshFileList(false, false, false);
        QTRY_COMPARE(m_form->FolderCheck->watchedFolder(), u"C:\\X"_s);
        QCOMPARE(m_form->findChildren<TFolderCheck*>().size(), 1);
        QSignalSpy fired(m_form->RefreshTimer, &QTimer::timeout);
        QVERIFY(writeFile(native(u"X/a.txt"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(captions(*m_form).contains(u"a.txt"_s), 1500);
        QVERIFY(settle());
        QCOMPARE(fired.count(), 1);
    }

    void closesCleanlyWhileTheWatcherWaits()
    {
        QVERIFY(showOn(u"C:\\X"_s));
        QPointer<TFolderCheck> check = m_form->FolderCheck;
        QVERIFY(check->isRunning());
        QElapsedTimer clock;
        clock.start();
        m_form.reset();
        QVERIFY(check.isNull());
        QVERIFY(clock.elapsed() < 1000);
    }
};

QUORIX_TEST(WatcherFlowTest)
#include "tst_WatcherFlow.moc"
