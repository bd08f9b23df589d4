#pragma once

// Test-only controls of the file-operation engine. Production code never installs any.

#include <QByteArray>

#include <atomic>
#include <functional>

namespace quorix::platform::fileops {

enum class FaultPoint {
    DataChunk,    // after each chunk of file data was written to the temporary copy
    Publish,      // before a finished copy is renamed into place
    RemoveSource, // before the sources of a move across volumes are removed
    TrashRename,  // before an entry is renamed into the trash
};

// Returned by a fault hook: act as if the user pressed the progress window's cancel.
constexpr int CancelFault = -1;

struct TestHooks
{
    int progressDelayMs = 500; // the progress window opens after this much work
    qint64 chunkBytes = 0;     // size of one data chunk; 0: the engine's default
    bool allowClone = true;    // false: never try FICLONE (so data goes in chunks)
    bool allowUnnamed = true;  // false: write copies under a temporary name (no O_TMPFILE)
    // Called on the worker thread with the point, the entry's name and the request's
    // cancel flag. Returns 0 to go on, an errno to fail that step, or CancelFault.
    std::function<int(FaultPoint, const QByteArray& name, const std::atomic<bool>& cancel)> fault;
};

// Installs hooks (not owned; nullptr removes them). Not for use while a request runs.
void setTestHooks(const TestHooks* hooks);
const TestHooks* testHooks();

} // namespace quorix::platform::fileops
