#pragma once

#include <QByteArray>
#include <QChar>

namespace quorix::platform {

// True when the volume the drive table saw on the drive's root is still mounted there
// (a drive whose medium was taken out and unmounted reads as not ready, even though its
// mount point folder is still there).
bool volumeMounted(QChar letter, const QByteArray& nativeRoot);

} // namespace quorix::platform
