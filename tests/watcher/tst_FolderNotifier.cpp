#include "support/TestMain.h"

#include "platform/FolderNotifier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using quorix::platform::FolderNotifier;

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool writeFile(const QString& path, const QByteArray& bytes = "x",
               QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size();
}

// Returns what the notifier has queued now: the wake-up makes wait() return at once with
// whatever the kernel reported for the operations done before.
unsigned pending(FolderNotifier& notifier)
{
    notifier.wake();
    return notifier.wait();
}

enum class Op {
    CreateFile,
    DeleteFile,
    RenameFile,
    MoveFileIn,
    MoveFileOut,
    CreateSymlink,
    CreateSubfolder,
    RemoveSubfolder,
    RenameSubfolder,
    FileInSubfolder,
    WriteIntoFile,
    TruncateFile,
    SetTime,
    SetPermissions,
};

} // namespace

Q_DECLARE_METATYPE(Op)

class FolderNotifierTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_dir;   // the watched folder: a.txt and sub/ in it
    QString m_other; // a folder beside it: b.txt in it

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_dir = m_root.filePath(QStringLiteral("shown"));
        m_other = m_root.filePath(QStringLiteral("other"));
        QDir(m_dir).removeRecursively();
        QDir(m_other).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir + u"/sub"));
        QVERIFY(QDir().mkpath(m_other));
        QVERIFY(writeFile(m_dir + u"/a.txt"));
        QVERIFY(writeFile(m_other + u"/b.txt"));
    }

    void reportsFileNamesOnly_data()
    {
        QTest::addColumn<Op>("op");
        QTest::addColumn<bool>("changed");
        QTest::newRow("file created") << Op::CreateFile << true;
        QTest::newRow("file deleted") << Op::DeleteFile << true;
        QTest::newRow("file renamed") << Op::RenameFile << true;
        QTest::newRow("file moved in") << Op::MoveFileIn << true;
        QTest::newRow("file moved out") << Op::MoveFileOut << true;
        QTest::newRow("symbolic link created") << Op::CreateSymlink << true;
        QTest::newRow("subfolder created") << Op::CreateSubfolder << false;
        QTest::newRow("subfolder removed") << Op::RemoveSubfolder << false;
        QTest::newRow("subfolder renamed") << Op::RenameSubfolder << false;
        QTest::newRow("file created in subfolder") << Op::FileInSubfolder << false;
        QTest::newRow("written into a file") << Op::WriteIntoFile << false;
        QTest::newRow("file truncated") << Op::TruncateFile << false;
        QTest::newRow("time stamp set") << Op::SetTime << false;
        QTest::newRow("permissions set") << Op::SetPermissions << false;
    }

    void reportsFileNamesOnly()
    {
        QFETCH(Op, op);
        QFETCH(bool, changed);
        FolderNotifier notifier;
        QVERIFY(notifier.isValid());
        QVERIFY(notifier.watch(native(m_dir)));
        QDir dir(m_dir);
        switch (op) {
        case Op::CreateFile:
            QVERIFY(writeFile(m_dir + u"/new.txt"));
            break;
        case Op::DeleteFile:
            QVERIFY(dir.remove(QStringLiteral("a.txt")));
            break;
        case Op::RenameFile:
            QVERIFY(dir.rename(QStringLiteral("a.txt"), QStringLiteral("c.txt")));
            break;
        case Op::MoveFileIn:
            QVERIFY(QFile::rename(m_other + u"/b.txt", m_dir + u"/b.txt"));
            break;
        case Op::MoveFileOut:
            QVERIFY(QFile::rename(m_dir + u"/a.txt", m_other + u"/a.txt"));
            break;
        case Op::CreateSymlink:
            QVERIFY(QFile::link(m_other + u"/b.txt", m_dir + u"/b.lnk"));
            break;
        case Op::CreateSubfolder:
            QVERIFY(dir.mkdir(QStringLiteral("sub2")));
            break;
        case Op::RemoveSubfolder:
            QVERIFY(dir.rmdir(QStringLiteral("sub")));
            break;
        case Op::RenameSubfolder:
            QVERIFY(dir.rename(QStringLiteral("sub"), QStringLiteral("sub3")));
            break;
        case Op::FileInSubfolder:
            QVERIFY(writeFile(m_dir + u"/sub/deep.txt"));
            break;
        case Op::WriteIntoFile:
            QVERIFY(writeFile(m_dir + u"/a.txt", "more", QIODevice::Append));
            break;
        case Op::TruncateFile:
            QVERIFY(QFile::resize(m_dir + u"/a.txt", 0));
            break;
        case Op::SetTime: {
            QFile file(m_dir + u"/a.txt");
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5)),
                                     QFileDevice::FileModificationTime));
            break;
        }
        case Op::SetPermissions:
            QVERIFY(QFile::setPermissions(m_dir + u"/a.txt", QFileDevice::ReadOwner));
            break;
        }
        const unsigned events = pending(notifier);
        QVERIFY(events & FolderNotifier::Woken);
        QCOMPARE(bool(events & FolderNotifier::Changed), changed);
        QVERIFY(!(events & FolderNotifier::Vanished));
        QVERIFY(notifier.isWatching());
    }

    void burstIsReadAtOnce()
    {
        FolderNotifier notifier;
        QVERIFY(notifier.watch(native(m_dir)));
        for (int i = 0; i < 10; ++i)
            QVERIFY(writeFile(m_dir + QStringLiteral("/burst%1.txt").arg(i)));
        QCOMPARE(notifier.wait(), unsigned(FolderNotifier::Changed));
        // Nothing of the burst is left for a second wait.
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Woken));
    }

    void folderGone_data()
    {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("removed") << false;
        QTest::newRow("renamed") << true;
    }

    void folderGone()
    {
        QFETCH(bool, renamed);
        const QString empty = m_root.filePath(QStringLiteral("empty"));
        const QString moved = m_root.filePath(QStringLiteral("moved"));
        QDir(moved).removeRecursively();
        QVERIFY(QDir().mkpath(empty));
        FolderNotifier notifier;
        QVERIFY(notifier.watch(native(empty)));
        if (renamed)
            QVERIFY(QDir().rename(empty, moved));
        else
            QVERIFY(QDir().rmdir(empty));
        const unsigned events = notifier.wait();
        QVERIFY(events & FolderNotifier::Vanished);
        QVERIFY(!notifier.isWatching());
        QVERIFY(notifier.folder().isEmpty());
        if (renamed) // the folder under its new name is no longer watched
            QVERIFY(writeFile(moved + u"/late.txt"));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Woken));
        // A later watch works as before.
        QVERIFY(notifier.watch(native(m_dir)));
        QVERIFY(writeFile(m_dir + u"/new.txt"));
        QCOMPARE(notifier.wait(), unsigned(FolderNotifier::Changed));
    }

    void rearmDropsThePreviousFolder()
    {
        FolderNotifier notifier;
        QVERIFY(notifier.watch(native(m_dir)));
        QVERIFY(writeFile(m_dir + u"/queued.txt")); // queued, not read yet
        QVERIFY(notifier.watch(native(m_other)));
        QCOMPARE(notifier.folder(), native(m_other));
        QVERIFY(writeFile(m_dir + u"/after.txt"));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Woken));
        QVERIFY(writeFile(m_other + u"/new.txt"));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Changed | FolderNotifier::Woken));
        // The same folder again, even under another name, stays armed.
        QVERIFY(notifier.watch(native(m_other)));
        QVERIFY(notifier.watch(native(m_other + u"/../other")));
        QVERIFY(writeFile(m_other + u"/new2.txt"));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Changed | FolderNotifier::Woken));
    }

    void watchFails_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << QStringLiteral("missing");
        QTest::newRow("a file") << QStringLiteral("shown/a.txt");
        QTest::newRow("empty path") << QString();
    }

    void watchFails()
    {
        QFETCH(QString, path);
        FolderNotifier notifier;
        QVERIFY(notifier.watch(native(m_dir)));
        QVERIFY(!notifier.watch(path.isEmpty() ? QByteArray() : native(m_root.filePath(path))));
        QVERIFY(!notifier.isWatching());
        QVERIFY(notifier.error() != 0);
        // Nothing is watched now, the previous folder neither.
        QVERIFY(writeFile(m_dir + u"/new.txt"));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Woken));
    }

    void overflowIsOneChange()
    {
        QFile limitFile(QStringLiteral("/proc/sys/fs/inotify/max_queued_events"));
        QVERIFY(limitFile.open(QIODevice::ReadOnly));
        const int limit = limitFile.readAll().trimmed().toInt();
        if (limit <= 0 || limit > 50000)
            QSKIP("the kernel's event queue is too long to fill here");
        FolderNotifier notifier;
        QVERIFY(notifier.watch(native(m_dir)));
        // Subfolders alone are never reported; overflowing the queue with them still is,
        // because the lost events might have been file names.
        for (int i = 0; i <= limit; ++i)
            QVERIFY(QDir(m_dir).mkdir(QString::number(i)));
        QCOMPARE(notifier.wait(), unsigned(FolderNotifier::Changed));
        QCOMPARE(pending(notifier), unsigned(FolderNotifier::Woken));
        QVERIFY(writeFile(m_dir + u"/new.txt"));
        QCOMPARE(notifier.wait(), unsigned(FolderNotifier::Changed));
    }
};

QUORIX_TEST(FolderNotifierTest)
#include "tst_FolderNotifier.moc"
