#include "support/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the real program: a copy of build/quorix in a temporary folder (so its settings and
// histories land there), its drives in a temporary folder, its lock in a temporary
// runtime folder.
class SingleInstanceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_runtime;
    QString m_program;

    QString copyProgram(const QString& name)
    {
        const QString target = m_dir.filePath(u"bin/"_s + name);
        if (!QFile::exists(target)) {
            QFile::copy(m_program, target);
            QFile::setPermissions(target, QFile::permissions(m_program));
        }
        return target;
    }

    void start(QProcess& p, const QString& program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"QUORIX_DRIVES"_s, u"C="_s + m_dir.filePath(u"c"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime);
        p.setProcessEnvironment(env);
        p.setProgram(program);
        p.start();
        QVERIFY(p.waitForStarted());
    }

    int runtimeEntries() const
    {
        return int(
            QDir(m_runtime)
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
                .size());
    }

    static void stop(QProcess& p)
    {
        if (p.state() != QProcess::NotRunning) {
            p.terminate();
            if (!p.waitForFinished(5000)) {
                p.kill();
                p.waitForFinished(5000);
            }
        }
    }

private slots:
    void initTestCase()
    {
        m_program = QCoreApplication::applicationDirPath() + u"/quorix"_s;
        if (!QFile::exists(m_program))
            QSKIP("build/quorix has not been built");
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(u"bin"_s));
        QVERIFY(QDir(m_dir.path()).mkpath(u"c"_s));
        QVERIFY(QDir(m_dir.path()).mkpath(u"run"_s));
        m_runtime = m_dir.filePath(u"run"_s);
        QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void onlyOneCopyPerFileName()
    {
        const QString first = copyProgram(u"quorix"_s);
        QProcess one;
        start(one, first);
        // The running copy has taken its lock once its lock file is there.
        QTRY_VERIFY_WITH_TIMEOUT(runtimeEntries() >= 1, 10000);
        QCOMPARE(one.state(), QProcess::Running);

        // The same program again, and a copy with the same file name in another folder:
        // both end at once with exit code 0 and say nothing.
        QVERIFY(QDir(m_dir.path()).mkpath(u"other"_s));
        const QString sameName = m_dir.filePath(u"other/quorix"_s);
        QFile::copy(first, sameName);
        QFile::setPermissions(sameName, QFile::permissions(first));
        for (const QString& program : {first, sameName}) {
            QProcess second;
            start(second, program);
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(second.readAllStandardOutput(), QByteArray());
        }
        QCOMPARE(one.state(), QProcess::Running);

        // Another file name has a lock of its own.
        const int before = runtimeEntries();
        QProcess renamed;
        start(renamed, copyProgram(u"quorix2"_s));
        QTRY_VERIFY_WITH_TIMEOUT(runtimeEntries() > before, 10000);
        QCOMPARE(renamed.state(), QProcess::Running);
        stop(renamed);

        // Once the first has ended, a new copy runs.
        stop(one);
        QProcess again;
        start(again, first);
        // A refused copy ends within moments; this one is still there after a while.
        QVERIFY(!again.waitForFinished(3000));
        QCOMPARE(again.state(), QProcess::Running);
        stop(again);
    }
};

QUORIX_TEST(SingleInstanceTest)
#include "tst_SingleInstance.moc"
