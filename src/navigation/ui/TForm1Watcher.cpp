// The folder watcher and its refresh timer.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::StartFolderWatcher() {}

void TForm1::StartRefreshTimer() {}

void TForm1::RefreshTimerFired() {}

} // namespace quorix
