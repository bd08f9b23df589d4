#include "navigation/TFolderCheck.h"

#include <QTimer>

namespace quorix {

TFolderCheck::TFolderCheck(NativePathFn toNative, QObject* parent)
    : QThread(parent), RefreshTimer(new QTimer(this)), m_toNative(std::move(toNative))
{
    setObjectName(QStringLiteral("TFolderCheck"));
    RefreshTimer->setInterval(1000);
    RefreshTimer->setSingleShot(true);
    connect(RefreshTimer, &QTimer::timeout, this, &TFolderCheck::RefreshTimerFired);
}

TFolderCheck::~TFolderCheck()
{
    stop();
}

void TFolderCheck::followFolder(const QString& currentDir)
{
    {
        QMutexLocker locker(&m_lock);
        if (currentDir == m_currentDir && !m_watched.isEmpty())
            return;
        m_currentDir = currentDir;
        m_nativeDir = m_toNative ? m_toNative(currentDir) : QByteArray();
        ++m_generation;
    }
    m_notifier.wake();
}

QString TFolderCheck::currentDir() const
{
    QMutexLocker locker(&m_lock);
    return m_currentDir;
}

QString TFolderCheck::watchedFolder() const
{
    QMutexLocker locker(&m_lock);
    return m_watched;
}

void TFolderCheck::stop()
{
    {
        QMutexLocker locker(&m_lock);
        m_stopping = true;
        m_syncCondition.wakeAll();
    }
    m_notifier.wake();
    wait();
}

void TFolderCheck::StartRefreshTimer()
{
    if (!RefreshTimer->isActive())
        RefreshTimer->start();
}

void TFolderCheck::RefreshTimerFired()
{
    RefreshTimer->stop();
    // Changes the thread sees from now on may come after this re-read: they ask again.
    m_timerPending = false;
    if (m_suspended && m_suspended())
        return;
    if (m_refresh)
        m_refresh();
}

void TFolderCheck::publishWatched(const QString& folder)
{
    QMutexLocker locker(&m_lock);
    m_watched = folder;
}

void TFolderCheck::run()
{
    quint64 armedGeneration = 0;
    while (!m_stopping) {
        QString logical;
        QByteArray native;
        bool rearm = false;
        {
            QMutexLocker locker(&m_lock);
            if (m_generation != armedGeneration) {
                armedGeneration = m_generation;
                logical = m_currentDir;
                native = m_nativeDir;
                rearm = true;
            }
        }
        if (rearm) {
            // A folder that cannot be watched (missing, no medium) leaves nothing armed;
            // the next followFolder() tries again.
            const bool armed = m_notifier.watch(native);
            publishWatched(armed ? logical : QString());
            ++m_armAttempts;
        }

        const unsigned events = m_notifier.wait();
        if (m_stopping || (events & platform::FolderNotifier::Failed))
            break;
        if (events & platform::FolderNotifier::Vanished)
            publishWatched(QString());
        if (events & platform::FolderNotifier::Changed)
            synchronizeStartRefreshTimer();
    }
    publishWatched(QString());
}

void TFolderCheck::synchronizeStartRefreshTimer()
{
    // While a refresh is due already, later changes of the burst are covered by it.
    if (m_timerPending.exchange(true))
        return;
    ++m_timerRequests;
    QMutexLocker locker(&m_lock);
    m_syncDone = false;
    // Queued to this object, which lives on the main thread; if the watcher is destroyed
    // before the main thread gets to it, the call is dropped with the object.
    QMetaObject::invokeMethod(
        this,
        [this] {
            StartRefreshTimer();
            QMutexLocker done(&m_lock);
            m_syncDone = true;
            m_syncCondition.wakeAll();
        },
        Qt::QueuedConnection);
    while (!m_syncDone && !m_stopping)
        m_syncCondition.wait(&m_lock);
}

} // namespace quorix
