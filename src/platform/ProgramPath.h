#pragma once

#include <QString>

namespace quorix::platform {

// Native absolute path of the running program file. The settings file, the history
// files and the single-instance lock name are all derived from it.
QString programFilePath();

// Folder that holds the program file (native path, no trailing separator).
QString programFolder();

// Makes programFilePath() return path from now on (tests point it into a temporary
// folder so that nothing is written beside the build output).
void setProgramFilePathForTests(const QString& path);

} // namespace quorix::platform
