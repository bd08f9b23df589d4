#pragma once

#include "platform/FolderNotifier.h"

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>

class QTimer;

namespace quorix {

// The folder watcher. Its thread waits on the change notification for the folder shown
// and, when a file name changes there, has the main thread start RefreshTimer; when the
// timer expires (on the main thread) the list is re-read unless auto-refresh is suspended.
//
// The object itself lives on the main thread: every public function except currentDir()
// and watchedFolder() is called there. The thread reads only the copy of the folder that
// followFolder() publishes under a lock. Destroying the watcher wakes and joins the thread.
class TFolderCheck : public QThread
{
    Q_OBJECT

public:
    // Maps a logical folder ("C:\DATA") to the native folder to watch; empty when there is
    // none. Called on the main thread only.
    using NativePathFn = std::function<QByteArray(const QString& logical)>;

    explicit TFolderCheck(NativePathFn toNative, QObject* parent = nullptr);
    ~TFolderCheck() override;

    // The re-read of the list, run when RefreshTimer expires.
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }
    // While this answers true an expiring timer re-reads nothing (SuspendAutoRefresh).
    void setSuspended(std::function<bool()> suspended) { m_suspended = std::move(suspended); }

    // The folder shown is now currentDir (the main window's CurrentDir after a listing).
    // The thread re-arms on it when it differs from the folder watched, or when the watch
    // could not be set or was lost; otherwise this costs nothing.
    void followFolder(const QString& currentDir);

    // The published copy of the folder shown. Any thread.
    QString currentDir() const;
    // The logical folder the thread holds a watch on; empty while none is set. Any thread.
    QString watchedFolder() const;

    // Wakes the thread and joins it. Called by the destructor; safe to call twice.
    void stop();

    // Main thread, asked by the watcher thread: starts RefreshTimer unless it is running
    // already (a burst of changes does not push the refresh further away).
    void StartRefreshTimer();
    // RefreshTimer's expiry: re-reads the list unless auto-refresh is suspended.
    void RefreshTimerFired();

    // Single shot, 1000 ms, on the main thread.
    QTimer* const RefreshTimer;

    // How often the thread asked the main thread to start the timer, and how often it
    // tried to set a watch: what tests and diagnostics look at.
    int timerRequests() const { return m_timerRequests.load(); }
    int armAttempts() const { return m_armAttempts.load(); }

protected:
    void run() override;

private:
    // Runs StartRefreshTimer on the main thread and waits until it has run, or until the
    // watcher is stopped: a blocking call that cannot deadlock a main thread that is
    // itself waiting in stop().
    void synchronizeStartRefreshTimer();
    void publishWatched(const QString& folder);

    NativePathFn m_toNative;
    std::function<void()> m_refresh;
    std::function<bool()> m_suspended;
    platform::FolderNotifier m_notifier;

    mutable QMutex m_lock; // guards the fields below up to m_syncDone
    QString m_currentDir;
    QByteArray m_nativeDir;
    quint64 m_generation = 0; // bumped by every followFolder() that needs a re-arm
    QString m_watched;
    bool m_syncDone = false;
    QWaitCondition m_syncCondition;

    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_timerPending{false}; // asked for, not yet expired
    std::atomic<int> m_timerRequests{0};
    std::atomic<int> m_armAttempts{0};
};

} // namespace quorix
