// The logical-path entry point: maps the request's Windows-form paths to native paths and
// hands them to the native engine.

#include "platform/fileops/FileOperation.h"

#include "app/DialogService.h"
#include "platform/PathMapping.h"
#include "platform/fileops/FileOperationTexts.h"

#include <cerrno>

namespace quorix::platform {

namespace {

fileops::texts::Action actionOf(FileOperationKind kind)
{
    switch (kind) {
    case FileOperationKind::Copy:
        return fileops::texts::Action::Copy;
    case FileOperationKind::Move:
        return fileops::texts::Action::Move;
    case FileOperationKind::DeleteToTrash:
        break;
    }
    return fileops::texts::Action::Trash;
}

// A path that names no drive is reported here, on the main thread, before any work.
void reportUnmapped(FileOperationKind kind, const QString& logical)
{
    DialogService::instance().messageBox(
        fileops::texts::cannot(actionOf(kind), logical, fileops::texts::errnoText(ENOENT)),
        fileops::texts::caption(), MB_OK | MB_ICONSTOP);
}

} // namespace

FileOperationResult runFileOperation(const FileOperationRequest& request)
{
    NativeFileOperationRequest native;
    native.kind = request.kind;
    native.owner = request.owner;

    bool destinationOk = true;
    if (request.kind != FileOperationKind::DeleteToTrash) {
        // The target may come as the folder followed by one separator ("D:\", "D:\OUT\").
        QString folder = request.destination;
        if (folder.size() > 2 && folder.endsWith(QLatin1Char('\\')))
            folder.chop(1);
        native.destination = toNative(folder, &destinationOk);
        if (!destinationOk)
            reportUnmapped(request.kind, request.destination);
    }

    // Sources that map go to the engine in order; the others are failed items in place.
    std::vector<bool> unmapped(size_t(request.sources.size()), false);
    for (int i = 0; destinationOk && i < request.sources.size(); ++i) {
        bool ok = false;
        const QByteArray path = toNative(request.sources[i], &ok);
        if (!ok) {
            reportUnmapped(request.kind, request.sources[i]);
            unmapped[size_t(i)] = true;
            continue;
        }
        native.sources << path;
    }

    FileOperationResult engine;
    if (!native.sources.isEmpty())
        engine = runNativeFileOperation(native);

    FileOperationResult result;
    result.aborted = engine.aborted;
    result.code = engine.code;
    size_t next = 0;
    for (int i = 0; i < request.sources.size(); ++i) {
        FileOperationItem item;
        if (destinationOk && !unmapped[size_t(i)] && next < engine.items.size()) {
            item = engine.items[next++];
        } else {
            item.outcome = ItemOutcome::Failed;
            item.error = ENOENT;
            if (!result.aborted && result.code == 0)
                result.code = ENOENT;
        }
        item.source = request.sources[i];
        result.items.push_back(item);
    }
    return result;
}

} // namespace quorix::platform
