#include "navigation/BrowseForFolder.h"

#include "app/DialogService.h"
#include "platform/FileSystem.h"

namespace quorix {

QString BrowseForFolder(const QString& title, const QString& startFolder)
{
    const QString start = platform::isDirectory(startFolder) ? startFolder : QString();
    const QString chosen = DialogService::instance().browseForFolder(title, start);
    return chosen.isEmpty() ? start : chosen;
}

} // namespace quorix
