#pragma once

// The shell's file operation: copy, move or delete-to-trash of a list of entries in one
// request, with confirmation, overwrite questions, error reports and a progress window,
// all through the dialog service. The call returns when the work is done; the event loop
// keeps running meanwhile (the work itself runs on a worker thread).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class QObject;

namespace quorix::platform {

enum class FileOperationKind { Copy, Move, DeleteToTrash };

enum class ItemOutcome {
    Done,      // copied, moved or put into the trash (or deleted for good when agreed)
    Partial,   // a folder whose entries were handled only in part (some were skipped)
    Skipped,   // the user answered no, or skipped after an error; nothing was changed
    Failed,    // refused by the engine (into itself, onto itself, bad path)
    Cancelled, // not done because the user cancelled the request
};

struct FileOperationItem
{
    QString source; // logical path as requested; empty for native requests
    QByteArray nativeSource;
    ItemOutcome outcome = ItemOutcome::Cancelled;
    int error = 0; // errno of the reason when not Done (EEXIST: declined replace)
};

struct FileOperationResult
{
    // The user declined the confirmation or cancelled (progress window or a question).
    bool aborted = false;
    // 0 when every item is Done; ECANCELED when aborted; else the error of the first item
    // that is not Done.
    int code = 0;
    std::vector<FileOperationItem> items;

    bool succeeded() const { return !aborted && code == 0; }
};

struct FileOperationRequest
{
    FileOperationKind kind = FileOperationKind::Copy;
    QStringList sources; // logical paths ("C:\DATA\A.TXT"), in order
    QString destination; // logical folder for copy and move ("D:\", "D:\OUT", "D:")
    QObject* owner = nullptr;
};

struct NativeFileOperationRequest
{
    FileOperationKind kind = FileOperationKind::Copy;
    QList<QByteArray> sources; // absolute native paths, in order
    QByteArray destination;    // native folder for copy and move
    QObject* owner = nullptr;
};

FileOperationResult runFileOperation(const FileOperationRequest& request);
FileOperationResult runNativeFileOperation(const NativeFileOperationRequest& request);

} // namespace quorix::platform
