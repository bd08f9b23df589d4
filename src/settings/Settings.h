#pragma once

#include "settings/IniFile.h"

#include <QString>

#include <array>

namespace quorix::settings {

// One external command slot as stored under "Application".
struct ExternalCommandSetting
{
    QString commandLine;                   // "OutAppX"
    QString argFlag = QStringLiteral("N"); // "OutAppX_F"
    QString displayName;                   // "OutAppX_N"

    friend bool operator==(const ExternalCommandSetting&, const ExternalCommandSetting&) = default;
};

// Everything the settings file holds, with the defaults of a first run.
struct Settings
{
    static constexpr int ColumnCount = 5;
    static constexpr int CommandCount = 26;

    // "Main"
    int left = 10;
    int top = 10;
    int height = 380;
    int width = 560;
    std::array<int, ColumnCount> columnWidths{180, 60, 140, 120, 40};
    QString dirPath = QStringLiteral("C:\\");
    QString fileMask = QStringLiteral("*.*");
    // "Setting"
    QString fileSort = QStringLiteral("N");
    QString sortMuki = QStringLiteral("U");
    QString noChgChar = QStringLiteral("ONGMSDHTP");
    // "Application"
    QString editApp;
    std::array<ExternalCommandSetting, CommandCount> externalCommands{};

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The settings file: the program file's path with its extension replaced by ".INI"
// (".INI" appended when the name has none).
QString settingsFilePath();
QString settingsFilePathFor(const QString& programFilePath);

// Reads every key; a missing key or a value that does not read gives the default.
Settings readSettings(const IniFile& ini);
// Writes every key in the order of the file's layout (see docs/settings.md).
void writeSettings(const Settings& settings, IniFile& ini);

// Reads the file (missing or unreadable: the defaults).
Settings loadSettings(const QString& nativePath);
// Writes every key into the file as it now is on disk, so that the user's own lines and
// keys written by others survive, and replaces it in one step. A file that exists but
// cannot be read is not replaced (its contents would be lost): that is a failed write.
FileWriteResult saveSettings(const Settings& settings, const QString& nativePath);

} // namespace quorix::settings
