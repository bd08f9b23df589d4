#include "support/TestMain.h"

#include "navigation/TFolderCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <memory>
#include <thread>

using quorix::TFolderCheck;

namespace {

bool writeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

// Process CPU time in milliseconds.
double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

// The watcher thread with its timer, on real folders; the re-read of the list is a
// counting hook here (the main window's refresh is tested in the whole-flow tests).
class TFolderCheckTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_x, m_y, m_z;
    std::unique_ptr<TFolderCheck> m_check;
    int m_refreshes = 0;
    bool m_suspended = false;
    QElapsedTimer m_clock;
    qint64 m_firstRefreshAt = -1;

    void startOn(const QString& folder)
    {
        m_check = std::make_unique<TFolderCheck>(
            [](const QString& logical) { return QFile::encodeName(logical); });
        m_check->setRefresh([this] {
            if (m_refreshes++ == 0)
                m_firstRefreshAt = m_clock.elapsed();
        });
        m_check->setSuspended([this] { return m_suspended; });
        m_check->followFolder(folder);
        m_check->start();
    }

    // Moves the watch to `to` and waits until the thread has armed there. Every change the
    // kernel reported before has been handled by the thread once this returns.
    bool moveTo(const QString& to)
    {
        m_check->followFolder(to);
        return QTest::qWaitFor([&] { return m_check->watchedFolder() == to; }, 2000);
    }

    // Lets the thread handle everything queued so far and comes back to `folder`.
    bool settle(const QString& folder) { return moveTo(m_z) && moveTo(folder); }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_x = m_root.filePath(QStringLiteral("X"));
        m_y = m_root.filePath(QStringLiteral("Y"));
        m_z = m_root.filePath(QStringLiteral("Z"));
        for (const QString& dir : {m_x, m_y, m_z}) {
            QDir(dir).removeRecursively();
            QVERIFY(QDir().mkpath(dir + u"/sub"));
            QVERIFY(writeFile(dir + u"/a.txt"));
        }
        m_refreshes = 0;
        m_suspended = false;
        m_firstRefreshAt = -1;
    }

    void cleanup() { m_check.reset(); }

    void refreshAboutOneSecondAfterChange_data()
    {
        QTest::addColumn<QString>("op");
        QTest::newRow("created") << QStringLiteral("create");
        QTest::newRow("renamed") << QStringLiteral("rename");
        QTest::newRow("deleted") << QStringLiteral("delete");
    }

    void refreshAboutOneSecondAfterChange()
    {
        QFETCH(QString, op);
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        m_clock.start();
        QDir dir(m_x);
        if (op == u"create")
            QVERIFY(writeFile(m_x + u"/new.txt"));
        else if (op == u"rename")
            QVERIFY(dir.rename(QStringLiteral("a.txt"), QStringLiteral("b.txt")));
        else
            QVERIFY(dir.remove(QStringLiteral("a.txt")));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
        QVERIFY2(m_firstRefreshAt >= 900, qPrintable(QString::number(m_firstRefreshAt)));
        QVERIFY(!m_check->RefreshTimer->isActive());
    }

    void noRefreshForSubfoldersOrContents()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        QVERIFY(QDir(m_x).mkdir(QStringLiteral("sub2")));
        QVERIFY(QDir(m_x).rename(QStringLiteral("sub"), QStringLiteral("sub3")));
        QFile file(m_x + u"/a.txt");
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write("more") == 4);
        file.close();
        QVERIFY(writeFile(m_x + u"/sub3/deep.txt"));
        QVERIFY(settle(m_x));
        QCOMPARE(m_check->timerRequests(), 0);
        QVERIFY(!m_check->RefreshTimer->isActive());
        QCOMPARE(m_refreshes, 0);
    }

    void burstGivesOneRefresh()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        m_clock.start();
        for (int i = 0; i < 10; ++i) {
            QVERIFY(writeFile(m_x + QStringLiteral("/burst%1.txt").arg(i)));
            QTest::qWait(45); // ten files spread over about half a second
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
        // Counted from the first change: later ones of the burst did not push it away.
        QVERIFY2(m_firstRefreshAt >= 900 && m_firstRefreshAt < 1400,
                 qPrintable(QString::number(m_firstRefreshAt)));
        QVERIFY(settle(m_x));
        QCOMPARE(m_check->timerRequests(), 1);
        QVERIFY(!m_check->RefreshTimer->isActive());
        QCOMPARE(m_refreshes, 1);
        // A change after that refresh leads to one more.
        QVERIFY(writeFile(m_x + u"/late.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 2, 1500);
        QCOMPARE(m_check->timerRequests(), 2);
    }

    void suspendedRefreshIsDropped()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        m_suspended = true;
        QSignalSpy expired(m_check->RefreshTimer, &QTimer::timeout);
        QVERIFY(writeFile(m_x + u"/new.txt"));
        QVERIFY(expired.wait(2000));
        QCOMPARE(m_refreshes, 0);
        // Clearing the flag does not bring the change back.
        m_suspended = false;
        QVERIFY(settle(m_x));
        QVERIFY(!m_check->RefreshTimer->isActive());
        QCOMPARE(m_refreshes, 0);
        QVERIFY(writeFile(m_x + u"/next.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
    }

    void followsTheFolderShown()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        QVERIFY(moveTo(m_y));
        QCOMPARE(m_check->currentDir(), m_y);
        QVERIFY(writeFile(m_x + u"/left-behind.txt"));
        QVERIFY(settle(m_y));
        QCOMPARE(m_check->timerRequests(), 0);
        QVERIFY(writeFile(m_y + u"/new.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
    }

    void listingTheSameFolderAgainCostsNothing()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        const int attempts = m_check->armAttempts();
        for (int i = 0; i < 100; ++i)
            m_check->followFolder(m_x);
        QVERIFY(settle(m_x));
        QCOMPARE(m_check->armAttempts(), attempts + 2); // the two moves of settle() only
    }

    void watchThatFailedIsRetriedAtTheNextListing()
    {
        const QString later = m_root.filePath(QStringLiteral("later"));
        QDir(later).removeRecursively();
        startOn(later);
        QTRY_COMPARE(m_check->armAttempts(), 1);
        QCOMPARE(m_check->watchedFolder(), QString());
        QVERIFY(QDir().mkpath(later));
        m_check->followFolder(later);
        QTRY_COMPARE(m_check->watchedFolder(), later);
        QVERIFY(writeFile(later + u"/new.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
    }

    void vanishedFolderLeavesTheThreadIdle()
    {
        const QString gone = m_root.filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(gone));
        startOn(gone);
        QTRY_COMPARE(m_check->watchedFolder(), gone);
        QVERIFY(QDir().rmdir(gone));
        QTRY_COMPARE(m_check->watchedFolder(), QString());
        QVERIFY(m_check->isRunning());
        // No polling: the thread is blocked, the process stays quiet.
        const double before = cpuMs();
        QTest::qWait(500);
        QVERIFY2(cpuMs() - before < 50, qPrintable(QString::number(cpuMs() - before)));
        // The next listing of the folder, once it is back, arms again.
        QVERIFY(QDir().mkpath(gone));
        m_check->followFolder(gone);
        QTRY_COMPARE(m_check->watchedFolder(), gone);
        QVERIFY(writeFile(gone + u"/new.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(m_refreshes, 1, 1500);
    }

    void endsCleanlyWhileWaiting()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        QElapsedTimer elapsed;
        elapsed.start();
        m_check.reset();
        QVERIFY(elapsed.elapsed() < 1000);
    }

    void endsCleanlyWhileAskingTheMainThread()
    {
        startOn(m_x);
        QTRY_COMPARE(m_check->watchedFolder(), m_x);
        QVERIFY(writeFile(m_x + u"/new.txt"));
        // The main thread does not process events here, so the thread stays blocked in
        // its call to start the timer; stopping must not wait for that call forever.
        QElapsedTimer elapsed;
        elapsed.start();
        while (m_check->timerRequests() == 0 && elapsed.elapsed() < 2000)
            std::this_thread::yield();
        QCOMPARE(m_check->timerRequests(), 1);
        m_check->stop();
        QVERIFY(m_check->isFinished());
        QVERIFY(elapsed.elapsed() < 3000);
        m_check.reset();
        // The call still queued was dropped with the watcher.
        QCoreApplication::processEvents();
        QCOMPARE(m_refreshes, 0);
    }
};

QUORIX_TEST(TFolderCheckTest)
#include "tst_TFolderCheck.moc"
