#include "platform/fileops/Session.h"

#include "app/DialogService.h"
#include "platform/PathMapping.h"

namespace quorix::platform::fileops {

namespace {
const TestHooks* g_hooks = nullptr;
constexpr qint64 DefaultChunk = qint64(16) * 1024 * 1024;
} // namespace

void setTestHooks(const TestHooks* hooks)
{
    g_hooks = hooks;
}

const TestHooks* testHooks()
{
    return g_hooks;
}

QString shownName(const QByteArray& nativeName)
{
    return displayName(nameFromNative(nativeName));
}

Session::Session(FileOperationKind kind) : m_kind(kind), m_hooks(g_hooks) {}

void Session::onMain(const std::function<void()>& fn)
{
    m_questionPending = true;
    if (m_runner)
        m_runner(fn);
    else
        fn();
    m_questionPending = false;
}

int Session::choose(const QString& text, const QStringList& buttons, int iconFlags)
{
    int answer = -1;
    onMain([&] {
        answer = DialogService::instance().choose(text, texts::caption(), buttons, iconFlags);
    });
    return answer;
}

int Session::message(const QString& text, int flags)
{
    int answer = IDCANCEL;
    onMain([&] { answer = DialogService::instance().messageBox(text, texts::caption(), flags); });
    return answer;
}

Session::ErrorAnswer Session::reportError(texts::Action action, const QByteArray& name,
                                          const QString& reason)
{
    const int answer = choose(texts::cannot(action, shownName(name), reason),
                              texts::retrySkipCancel(), MB_ICONSTOP);
    if (answer == texts::AnswerRetry)
        return ErrorAnswer::Retry;
    if (answer == texts::AnswerSkip)
        return ErrorAnswer::Skip;
    cancel();
    return ErrorAnswer::Cancel;
}

int Session::fault(FaultPoint point, const QByteArray& name)
{
    if (!m_hooks || !m_hooks->fault)
        return 0;
    const int r = m_hooks->fault(point, name, m_cancel);
    if (r == CancelFault)
        cancel();
    return r;
}

qint64 Session::chunkBytes() const
{
    return m_hooks && m_hooks->chunkBytes > 0 ? m_hooks->chunkBytes : DefaultChunk;
}

bool Session::allowClone() const
{
    return !m_hooks || m_hooks->allowClone;
}

bool Session::allowUnnamed() const
{
    return !m_hooks || m_hooks->allowUnnamed;
}

void Session::setTotals(qint64 bytes, qint64 items)
{
    m_totalBytes = bytes;
    m_totalItems = items;
}

void Session::setCurrent(const QByteArray& name)
{
    QMutexLocker lock(&m_nameLock);
    m_current = name;
}

Session::Snapshot Session::snapshot() const
{
    Snapshot s;
    {
        QMutexLocker lock(&m_nameLock);
        s.name = shownName(m_current);
    }
    s.doneBytes = m_doneBytes;
    s.totalBytes = m_totalBytes;
    s.doneItems = m_doneItems;
    s.totalItems = m_totalItems;
    return s;
}

} // namespace quorix::platform::fileops
