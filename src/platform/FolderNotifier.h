#pragma once

#include <QByteArray>

namespace quorix::platform {

// Change notification on one folder: a file created, deleted or renamed directly in it
// (moved in or out included). Subfolders created, deleted or renamed, changes inside
// subfolders and changes of contents, size, times or attributes are not reported.
//
// One thread arms the watch and waits; any thread may wake the waiter with wake(). While
// nothing happens the waiter is blocked in the kernel and uses no CPU time.
class FolderNotifier
{
public:
    // Bits of the value wait() returns.
    enum Event : unsigned {
        Changed = 0x1,  // a file name changed in the folder, or the kernel's queue overflowed
        Vanished = 0x2, // the folder was deleted, renamed or unmounted; nothing is watched now
        Woken = 0x4,    // wake() was called
        Failed = 0x8,   // waiting itself failed (or the notifier is not valid); do not retry
    };

    FolderNotifier();
    ~FolderNotifier();
    FolderNotifier(const FolderNotifier&) = delete;
    FolderNotifier& operator=(const FolderNotifier&) = delete;

    // False when the kernel refused the notification or wake-up descriptor.
    bool isValid() const;

    // Watches nativeFolder from now on instead of the folder watched before; changes still
    // queued for the previous folder are dropped. Returns false (and watches nothing) when
    // the folder does not exist, is no folder or cannot be watched; error() tells why.
    bool watch(const QByteArray& nativeFolder);
    void unwatch();
    bool isWatching() const { return m_wd >= 0; }
    QByteArray folder() const { return m_folder; }
    int error() const { return m_error; }

    // Blocks until the watched folder changed or vanished, or until wake(); returns a
    // combination of Event bits, never 0. Without a watch it returns only for wake().
    unsigned wait();

    // Makes the current or next wait() return with Woken. Safe from any thread.
    void wake();

private:
    unsigned readEvents();

    int m_inotify = -1;
    int m_wakeFd = -1;
    int m_wd = -1;
    int m_error = 0;
    QByteArray m_folder;
};

} // namespace quorix::platform
