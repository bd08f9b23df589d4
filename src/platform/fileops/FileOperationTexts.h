#pragma once

// Every text the file-operation engine shows, in one place.

#include "platform/fileops/FileOperation.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quorix::platform::fileops::texts {

QString caption(); // of every question and error of the engine

// Buttons of choose(); the engine reads the answers by these indexes.
enum YesAllNoCancel { AnswerYes = 0, AnswerYesToAll = 1, AnswerNo = 2, AnswerCancel = 3 };
QStringList yesAllNoCancel();
enum YesNoCancel { OnlyYes = 0, OnlyNo = 1, OnlyCancel = 2 };
QStringList yesNoCancel();
enum RetrySkipCancel { AnswerRetry = 0, AnswerSkip = 1, AnswerStop = 2 };
QStringList retrySkipCancel();

QString progressCaption(FileOperationKind kind);
QString progressText(const QString& name, qint64 doneBytes, qint64 totalBytes, qint64 doneItems,
                     qint64 totalItems, qint64 bytesPerSecond);

QString confirmTrashOne(const QString& name, bool folder);
QString confirmTrashMany(qsizetype count);
QString noTrash(const QString& name, bool folder);

QString replaceFile(const QString& name, qint64 oldSize, const QDateTime& oldTime, qint64 newSize,
                    const QDateTime& newTime);
QString mergeFolder(const QString& name);
QString sameNameInRequest(const QString& name, bool move);
QString intoItself(const QString& name, bool move);
QString sameFile(const QString& name, bool move);

enum class Action { Copy, Move, Trash, Delete };
// "'name' を<action>できません。" followed by the reason on the next line.
QString cannot(Action action, const QString& name, const QString& reason);

// Reasons of the engine's own (besides the system's errno texts).
QString reasonSpecialFile();
QString reasonSizeMismatch();
QString reasonFolderOntoFile();
QString reasonFileOntoFolder();
QString reasonSourceChanged();

// The system's own message for an errno value.
QString errnoText(int error);

// Byte size and time of an entry as the questions show them.
QString sizeText(qint64 bytes);

} // namespace quorix::platform::fileops::texts
