#pragma once

#include <QString>

namespace quorix {

// Shows the folder chooser with title, opening at startFolder when that is an existing
// folder. Returns the chosen folder (a logical path); when the chooser is cancelled, the
// start folder, or an empty text when the start folder does not exist.
QString BrowseForFolder(const QString& title, const QString& startFolder);

} // namespace quorix
