#include "platform/FolderNotifier.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace quorix::platform {

namespace {

// Names appearing, vanishing or changing in the folder itself, and the folder going away.
// IN_UNMOUNT, IN_IGNORED and IN_Q_OVERFLOW are always reported by the kernel.
constexpr uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t kGoneEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

} // namespace

FolderNotifier::FolderNotifier()
{
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0)
        m_error = errno;
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0)
        m_error = errno;
}

FolderNotifier::~FolderNotifier()
{
    if (m_inotify >= 0)
        close(m_inotify);
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

bool FolderNotifier::isValid() const
{
    return m_inotify >= 0 && m_wakeFd >= 0;
}

bool FolderNotifier::watch(const QByteArray& nativeFolder)
{
    if (isWatching() && nativeFolder == m_folder)
        return true;
    if (m_inotify < 0 || nativeFolder.isEmpty()) {
        unwatch();
        m_error = m_inotify < 0 ? m_error : ENOENT;
        return false;
    }
    // The new watch is added before the old one is removed: when both names lead to the
    // same folder the kernel hands back the same descriptor, which must stay armed.
    const int wd = inotify_add_watch(m_inotify, nativeFolder.constData(), kWatchMask);
    if (wd < 0) {
        m_error = errno;
        unwatch();
        return false;
    }
    if (m_wd >= 0 && m_wd != wd)
        inotify_rm_watch(m_inotify, m_wd);
    m_wd = wd;
    m_folder = nativeFolder;
    m_error = 0;
    return true;
}

void FolderNotifier::unwatch()
{
    if (m_wd >= 0)
        inotify_rm_watch(m_inotify, m_wd);
    m_wd = -1;
    m_folder.clear();
}

unsigned FolderNotifier::wait()
{
    if (!isValid())
        return Failed;
    for (;;) {
        pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {m_inotify, POLLIN, 0}};
        const int n = poll(fds, 2, -1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return Failed;
        }
        unsigned result = 0;
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            if (read(m_wakeFd, &count, sizeof count) == sizeof count)
                result |= Woken;
        }
        if (fds[1].revents & POLLIN)
            result |= readEvents();
        if ((fds[0].revents | fds[1].revents) & (POLLERR | POLLNVAL)) {
            m_error = EBADF;
            return result | Failed;
        }
        // Events of subfolders or of a folder watched before are read and dropped here,
        // so the caller only ever sees what concerns it.
        if (result != 0)
            return result;
    }
}

unsigned FolderNotifier::readEvents()
{
    unsigned result = 0;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = read(m_inotify, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // EAGAIN: the queue is empty
        for (ssize_t pos = 0; pos + ssize_t(sizeof(inotify_event)) <= got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + pos);
            pos += ssize_t(sizeof(inotify_event)) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                // Changes were lost; one re-read of the folder covers all of them.
                result |= Changed;
                continue;
            }
            if (event->wd != m_wd || m_wd < 0)
                continue;
            if (event->mask & kGoneEvents) {
                // After IN_IGNORED the kernel has dropped the watch already; after a rename
                // of the folder it still watches it under its new name, which is not the
                // folder asked for.
                if (!(event->mask & IN_IGNORED))
                    inotify_rm_watch(m_inotify, m_wd);
                m_wd = -1;
                m_folder.clear();
                result |= Vanished;
                continue;
            }
            if ((event->mask & kNameEvents) && !(event->mask & IN_ISDIR))
                result |= Changed;
        }
    }
    return result;
}

void FolderNotifier::wake()
{
    const uint64_t one = 1;
    // The counter only saturates after 2^64 - 2 calls; a failed write needs no handling,
    // the waiter is then woken already.
    [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
}

} // namespace quorix::platform
