#pragma once

#include <QString>

#include <functional>

namespace quorix::settings {

// The start-up check of a saved folder on the floppy drive: when "A:\" has no medium and
// the folder is exactly drive A:, the user is asked (through the dialog service) to insert
// one. OK with a medium keeps the folder, OK without one falls back to "c:\", Cancel to
// "c:". volumePresent answers the volume query of a root such as "A:\". *dialogResult gets
// the answer when the question was shown and is left alone otherwise.
void checkFloppyStartFolder(QString& currentDir, int* dialogResult,
                            const std::function<bool(const QString& root)>& volumePresent);

} // namespace quorix::settings
