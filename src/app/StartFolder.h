#pragma once

#include <QPoint>
#include <QString>

namespace quorix {

// What the show sequence does with the folder saved as the start folder.
enum class StartFolder {
    Keep,      // a drive, an existing folder, or the question was left unanswered
    Create,    // the user asked for the missing folder to be made
    UseDriveC, // the user declined: show drive C instead
};

// Checks the start folder; when it is missing asks "ディレクトリが見つかりません。..."
// through the dialog service with the question's top-left corner at questionAt. The
// answer's result code goes to *dialogResult (left alone when nothing was asked).
StartFolder checkStartFolder(const QString& folder, QPoint questionAt, int* dialogResult);

// Makes folder with every missing parent; false when it could not be made.
bool makeStartFolder(const QString& folder);

// The drive part of a logical path ("C:" of "C:\DATA"); empty when it has none.
QString driveOf(const QString& logicalPath);

} // namespace quorix
