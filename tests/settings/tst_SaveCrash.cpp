#include "support/TestMain.h"

#include "platform/ProgramPath.h"
#include "settings/HistoryList.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace quorix::settings;
using namespace Qt::StringLiterals;

namespace {

const char* const TargetVariable = "QUORIX_TEST_CRASH_TARGET";
const char* const KindVariable = "QUORIX_TEST_CRASH_KIND";
constexpr int CrashExitCode = 86;

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Runs only as the child process of SaveCrashTest: starts a save big enough to take several
// writes and ends the process abruptly in the middle, with no destructor and no clean-up
// running, as a crash or a kill would.
class SaveCrashChild : public QObject
{
    Q_OBJECT

private slots:
    void saveAndDie()
    {
        const QString target = qEnvironmentVariable(TargetVariable);
        if (target.isEmpty())
            QSKIP("runs as the child process of SaveCrashTest only");
        setStoredWriteProbeForTests([](qint64) { std::_Exit(CrashExitCode); });
        if (qEnvironmentVariable(KindVariable) == u"settings"_s) {
            Settings s;
            s.dirPath = u"D:\\NEW"_s;
            s.editApp = QString(300000, u'x');
            saveSettings(s, target);
        } else {
            quorix::platform::setProgramFilePathForTests(QFileInfo(target).absolutePath() +
                                                         u"/quorix"_s);
            HistoryList history(QFileInfo(target).fileName(), HistoryMatch::Exact);
            history.save(QStringList(20, QString(20000, u'y')));
        }
        QFAIL("the save finished although the process should have ended in it");
    }
};

class SaveCrashTest : public QObject
{
    Q_OBJECT

    // Runs the child against target and checks that it really died inside the save.
    void crashWhileSaving(const QString& kind, const QString& target)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(TargetVariable), target);
        env.insert(QString::fromLatin1(KindVariable), kind);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {u"SaveCrashChild"_s});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), CrashExitCode);
    }

private slots:
    void crashDuringSettingsSaveKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(u"quorix.INI"_s);
        Settings before;
        before.dirPath = u"D:\\OLD"_s;
        QVERIFY(saveSettings(before, ini).ok);
        const QByteArray previous = readAll(ini);

        crashWhileSaving(u"settings"_s, ini);

        QCOMPARE(readAll(ini), previous);
        QCOMPARE(loadSettings(ini).dirPath, u"D:\\OLD"_s);
        // The next save is not disturbed by whatever the crash left behind (with O_TMPFILE
        // nothing at all; elsewhere a temporary file beside the target).
        QVERIFY(saveSettings(Settings(), ini).ok);
        QCOMPARE(loadSettings(ini), Settings());
    }

    void crashDuringHistorySaveKeepsThePreviousFile()
    {
        const HistoryList history = HistoryList::copyDestination();
        QVERIFY(history.save({u"D:\\KEEP"_s, u"E:"_s}).ok);

        crashWhileSaving(u"history"_s, history.nativePath());

        QCOMPARE(history.load().value_or(QStringList{}), (QStringList{u"D:\\KEEP"_s, u"E:"_s}));
        // The child wrote into this folder: without the crash the file would now be its list.
        QVERIFY(history.save(QStringList(20, QString(20000, u'y'))).ok);
        QCOMPARE(history.load()->size(), 20);
        QFile::remove(history.nativePath());
    }
};

QUORIX_TEST(SaveCrashChild)
QUORIX_TEST(SaveCrashTest)
#include "tst_SaveCrash.moc"
