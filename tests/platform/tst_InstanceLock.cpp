#include "platform/InstanceLock.h"
#include "support/TestMain.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

namespace {

// With QUORIX_LOCK_CHILD=<name> this test program is the other process: it takes the lock,
// says "held", "busy" or "unprotected", keeps the lock until its input ends and exits.
const bool g_childMode = [] {
    const char* name = std::getenv("QUORIX_LOCK_CHILD");
    if (!name)
        return false;
    const std::unique_ptr<InstanceLock> lock = InstanceLock::acquire(QString::fromUtf8(name));
    const char* answer = !lock ? "busy\n" : lock->held() ? "held\n" : "unprotected\n";
    if (write(1, answer, strlen(answer)) < 0)
        _exit(2);
    char c;
    while (read(0, &c, 1) > 0) {
    }
    _exit(0);
}();

// Another process that asks for the lock under name.
class Contender
{
public:
    Contender(const QString& name, const QString& runtimeDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORIX_LOCK_CHILD"_s, name);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(), {});
    }
    ~Contender()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    QByteArray answer()
    {
        if (!m_process.canReadLine())
            m_process.waitForReadyRead(10000);
        return m_process.readLine().trimmed();
    }
    void end()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(5000);
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

} // namespace

class tst_InstanceLock : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;

private slots:
    void initTestCase()
    {
        QVERIFY(!g_childMode);
        QVERIFY(m_runtime.isValid());
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }
    void cleanupTestCase()
    {
        if (m_savedRuntime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
    }

    void nameForProgram_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("posix") << u"/usr/local/bin/quorix"_s << u"quorix"_s;
        QTest::newRow("windows") << u"C:\\TOOLS\\QUORIX.exe"_s << u"QUORIX.exe"_s;
        QTest::newRow("drive only") << u"A:QUORIX.EXE"_s << u"QUORIX.EXE"_s;
        QTest::newRow("bare") << u"quorix"_s << u"quorix"_s;
    }
    void nameForProgram()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(InstanceLock::nameForProgram(path), name);
    }

    void oneHolderPerName()
    {
        Contender first(u"quorix"_s, m_runtime.path());
        QCOMPARE(first.answer(), QByteArray("held"));
        QVERIFY(InstanceLock::acquire(u"quorix"_s) == nullptr);
        {
            Contender second(u"quorix"_s, m_runtime.path());
            QCOMPARE(second.answer(), QByteArray("busy"));
            Contender otherName(u"quorix2"_s, m_runtime.path());
            QCOMPARE(otherName.answer(), QByteArray("held"));
        }
        first.end();
        // The lock went with the process; this one takes it now and others are refused.
        std::unique_ptr<InstanceLock> mine = InstanceLock::acquire(u"quorix"_s);
        QVERIFY(mine && mine->held());
        {
            Contender third(u"quorix"_s, m_runtime.path());
            QCOMPARE(third.answer(), QByteArray("busy"));
        }
        mine.reset();
        Contender fourth(u"quorix"_s, m_runtime.path());
        QCOMPARE(fourth.answer(), QByteArray("held"));
    }

    void killedHolderReleases()
    {
        Contender holder(u"killed"_s, m_runtime.path());
        QCOMPARE(holder.answer(), QByteArray("held"));
        QVERIFY(InstanceLock::acquire(u"killed"_s) == nullptr);
        holder.kill();
        std::unique_ptr<InstanceLock> mine = InstanceLock::acquire(u"killed"_s);
        QVERIFY(mine && mine->held());
    }

    void lockFileInRuntimeFolder()
    {
        std::unique_ptr<InstanceLock> lock = InstanceLock::acquire(u"a/b"_s);
        QVERIFY(lock && lock->held());
        struct stat st
        {
        };
        const QByteArray file = m_runtime.path().toLocal8Bit() + "/quorix-lock-a_b";
        QVERIFY(stat(file.constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
    }

    void fallbackFolderIsPrivate()
    {
        qputenv("XDG_RUNTIME_DIR", "/nonexistent/runtime");
        const QByteArray folder = InstanceLock::lockFolder();
        QCOMPARE(folder, "/tmp/quorix-" + QByteArray::number(getuid()));
        const QString name = u"tst-lock-"_s + QString::number(getpid());
        std::unique_ptr<InstanceLock> lock = InstanceLock::acquire(name);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        QVERIFY(lock && lock->held());
        struct stat st
        {
        };
        QVERIFY(lstat(folder.constData(), &st) == 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_mode & 0777, 0700u);
        QCOMPARE(st.st_uid, getuid());
        lock.reset();
        unlink(QByteArray(folder + "/quorix-lock-" + name.toUtf8()).constData());
    }
};

QUORIX_TEST(tst_InstanceLock)
#include "tst_InstanceLock.moc"
