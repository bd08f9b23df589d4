// The folder watcher of the main window and its refresh timer.

#include "app/ui/TForm1.h"

#include "navigation/TFolderCheck.h"
#include "platform/PathMapping.h"

#include <QCoreApplication>
#include <QTimer>

namespace quorix {

void TForm1::StartFolderWatcher()
{
    if (FolderCheck) {
        FolderShownChanged();
        return;
    }
    FolderCheck = new TFolderCheck(
        [](const QString& logical) {
            bool ok = false;
            QByteArray native = platform::toNative(logical, &ok);
            return ok ? native : QByteArray();
        },
        this);
    RefreshTimer = FolderCheck->RefreshTimer;
    FolderCheck->setRefresh([this] { RefreshFileList(false, true, false); });
    FolderCheck->setSuspended([this] { return SuspendAutoRefresh; });
    // The thread ends with the message loop; the window's destruction joins it as well.
    connect(qApp, &QCoreApplication::aboutToQuit, FolderCheck, &TFolderCheck::stop);
    FolderCheck->followFolder(CurrentDir);
    FolderCheck->start();
}

void TForm1::FolderShownChanged()
{
    if (FolderCheck)
        FolderCheck->followFolder(CurrentDir);
}

void TForm1::StartRefreshTimer()
{
    if (FolderCheck)
        FolderCheck->StartRefreshTimer();
}

void TForm1::RefreshTimerFired()
{
    if (FolderCheck)
        FolderCheck->RefreshTimerFired();
}

} // namespace quorix
