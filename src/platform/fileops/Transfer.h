#pragma once

// Copy and move of a request's entries into one destination folder.

#include "platform/fileops/FileOperation.h"
#include "platform/fileops/Session.h"

namespace quorix::platform::fileops {

void runTransfer(Session& session, const QList<QByteArray>& sources, const QByteArray& destination,
                 FileOperationResult* result);

} // namespace quorix::platform::fileops
