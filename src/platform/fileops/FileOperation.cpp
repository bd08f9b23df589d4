#include "platform/fileops/FileOperation.h"

#include "app/DialogService.h"
#include "platform/fileops/FileOperationTexts.h"
#include "platform/fileops/Session.h"
#include "platform/fileops/Transfer.h"
#include "platform/fileops/Trash.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <memory>

namespace quorix::platform {

namespace {

using fileops::Session;

void perform(Session& session, const NativeFileOperationRequest& request,
             FileOperationResult* result)
{
    if (request.kind == FileOperationKind::DeleteToTrash)
        fileops::runTrash(session, request.sources, result);
    else
        fileops::runTransfer(session, request.sources, request.destination, result);
    result->aborted = session.cancelled();
    result->code = 0;
    for (const FileOperationItem& item : result->items) {
        if (item.outcome != ItemOutcome::Done) {
            result->code = item.error ? item.error : ECANCELED;
            break;
        }
    }
    if (result->aborted)
        result->code = ECANCELED;
}

// The progress window on the main thread: opened once the work has taken longer than the
// delay (never while a question is up), fed from the worker's figures, and its cancel
// button turned into the request's cancel flag.
class ProgressDriver
{
public:
    ProgressDriver(Session& session, int delayMs) : m_session(session), m_delayMs(delayMs)
    {
        m_clock.start();
    }
    ~ProgressDriver()
    {
        m_stopScan = true;
        if (m_scan)
            m_scan->wait();
    }

    void tick()
    {
        if (!m_window) {
            if (m_clock.elapsed() < m_delayMs || m_session.questionPending())
                return;
            m_window = DialogService::instance().openProgress(
                fileops::texts::progressCaption(m_session.kind()));
            m_bytesAtOpen = m_session.snapshot().doneBytes;
            m_speedClock.start();
            if (const auto& scanner = m_session.totalsScanner()) {
                m_scan.reset(QThread::create([this, scanner] { scanner(m_session, m_stopScan); }));
                m_scan->start();
            }
        }
        const Session::Snapshot s = m_session.snapshot();
        const qint64 ms = m_speedClock.elapsed();
        const qint64 speed = ms > 200 ? (s.doneBytes - m_bytesAtOpen) * 1000 / ms : 0;
        m_window->setText(fileops::texts::progressText(s.name, s.doneBytes, s.totalBytes,
                                                       s.doneItems, s.totalItems, speed));
        if (s.totalBytes > 0)
            m_window->setProgress(s.doneBytes, s.totalBytes);
        else
            m_window->setProgress(s.doneItems, s.totalItems); // 0 of 0 while counting
        if (m_window->cancelRequested())
            m_session.cancel();
    }

private:
    Session& m_session;
    const int m_delayMs;
    QElapsedTimer m_clock;
    QElapsedTimer m_speedClock;
    qint64 m_bytesAtOpen = 0;
    std::unique_ptr<ProgressWindow> m_window;
    std::atomic<bool> m_stopScan{false};
    std::unique_ptr<QThread> m_scan;
};

} // namespace

FileOperationResult runNativeFileOperation(const NativeFileOperationRequest& request)
{
    Session session(request.kind);
    FileOperationResult result;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        // No event loop to keep alive: work and ask on this thread.
        perform(session, request, &result);
        return result;
    }

    QObject bridge; // lives on the main thread: the worker's calls run in its context
    QEventLoop loop;
    session.setMainRunner([&bridge](const std::function<void()>& fn) {
        QMetaObject::invokeMethod(&bridge, fn, Qt::BlockingQueuedConnection);
    });
    const fileops::TestHooks* hooks = fileops::testHooks();
    ProgressDriver progress(session, hooks ? hooks->progressDelayMs : 500);
    QTimer timer;
    timer.setInterval(hooks && hooks->progressDelayMs < 100 ? 10 : 100);
    QObject::connect(&timer, &QTimer::timeout, &bridge, [&progress] { progress.tick(); });

    std::unique_ptr<QThread> worker(QThread::create([&] {
        perform(session, request, &result);
        QMetaObject::invokeMethod(
            &bridge, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }));
    timer.start();
    worker->start();
    // The quit is queued, so it is seen even when the work ends before exec() runs.
    loop.exec();
    worker->wait();
    timer.stop();
    return result;
}

} // namespace quorix::platform
