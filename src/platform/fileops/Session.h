#pragma once

// State of one running request shared by its worker thread and the main thread: the
// questions (asked on the main thread while the worker waits), the cancel flag and the
// progress figures.

#include "platform/fileops/FileOperation.h"
#include "platform/fileops/FileOperationTexts.h"
#include "platform/fileops/TestHooks.h"

#include <QByteArray>
#include <QMutex>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>

#include <sys/types.h>

namespace quorix::platform::fileops {

class Session
{
public:
    using MainRunner = std::function<void(const std::function<void()>&)>;

    explicit Session(FileOperationKind kind);

    FileOperationKind kind() const { return m_kind; }
    bool isMove() const { return m_kind == FileOperationKind::Move; }
    // How questions reach the main thread; without one they are asked directly.
    void setMainRunner(MainRunner runner) { m_runner = std::move(runner); }

    // Asked on the main thread through the dialog service; the worker waits.
    int choose(const QString& text, const QStringList& buttons, int iconFlags);
    int message(const QString& text, int flags);
    bool questionPending() const { return m_questionPending.load(); }

    enum class ErrorAnswer { Retry, Skip, Cancel };
    // The error dialog (retry / skip / cancel); cancel and closing it cancel the request.
    ErrorAnswer reportError(texts::Action action, const QByteArray& name, const QString& reason);

    bool cancelled() const { return m_cancel.load(); }
    void cancel() { m_cancel = true; }

    // The test hook for point; 0 when none. CancelFault also sets the cancel flag.
    int fault(FaultPoint point, const QByteArray& name);
    qint64 chunkBytes() const;
    bool allowClone() const;
    bool allowUnnamed() const;
    // FICLONE is tried once per volume; where it fails, the kernel copy is used at once.
    bool mayClone(dev_t volume) const { return !m_noClone.contains(quint64(volume)); }
    void noteCloneFails(dev_t volume) { m_noClone.insert(quint64(volume)); }

    // Progress: written by the worker, read by the main thread.
    struct Snapshot
    {
        QString name;
        qint64 doneBytes = 0, totalBytes = 0, doneItems = 0, totalItems = 0;
    };
    void setTotals(qint64 bytes, qint64 items);
    // Work that finds the totals; run (on a thread of its own) only once the progress
    // window opens, so short requests never pay for a walk over their trees.
    using TotalsScanner = std::function<void(Session&, const std::atomic<bool>& stop)>;
    void setTotalsScanner(TotalsScanner scanner) { m_scanner = std::move(scanner); }
    const TotalsScanner& totalsScanner() const { return m_scanner; }
    void setCurrent(const QByteArray& name);
    void addBytes(qint64 bytes) { m_doneBytes += bytes; }
    void addItem() { ++m_doneItems; }
    Snapshot snapshot() const;

private:
    void onMain(const std::function<void()>& fn);

    FileOperationKind m_kind;
    MainRunner m_runner;
    const TestHooks* m_hooks;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_questionPending{false};
    std::atomic<qint64> m_doneBytes{0}, m_totalBytes{0}, m_doneItems{0}, m_totalItems{0};
    mutable QMutex m_nameLock;
    QByteArray m_current;
    QSet<quint64> m_noClone; // worker thread only
    TotalsScanner m_scanner;
};

// The name of a native entry as the questions show it.
QString shownName(const QByteArray& nativeName);

} // namespace quorix::platform::fileops
