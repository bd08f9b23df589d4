#include "settings/Settings.h"

#include "platform/ProgramPath.h"

namespace quorix::settings {

namespace {

using namespace Qt::StringLiterals;

const QString MainSection = u"Main"_s;
const QString SettingSection = u"Setting"_s;
const QString ApplicationSection = u"Application"_s;

const std::array<QString, Settings::ColumnCount> ColumnKeys{u"Name_w"_s, u"Size_w"_s, u"Type_w"_s,
                                                            u"Modified_w"_s, u"Attributes_w"_s};

struct CommandKeys
{
    QString commandLine, argFlag, displayName;
};

CommandKeys commandKeys(int slot)
{
    const QString base = u"OutApp"_s + QChar(u'A' + slot);
    return {base, base + u"_F"_s, base + u"_N"_s};
}

} // namespace

QString settingsFilePathFor(const QString& programFilePath)
{
    const qsizetype slash = programFilePath.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = programFilePath.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the file name (".quorix") is not an extension.
    if (dot > slash + 1)
        return programFilePath.left(dot) + u".INI"_s;
    return programFilePath + u".INI"_s;
}

QString settingsFilePath()
{
    return settingsFilePathFor(platform::programFilePath());
}

Settings readSettings(const IniFile& ini)
{
    const Settings d;
    Settings s;
    s.left = ini.readInteger(MainSection, u"Left", d.left);
    s.top = ini.readInteger(MainSection, u"Top", d.top);
    s.height = ini.readInteger(MainSection, u"Height", d.height);
    s.width = ini.readInteger(MainSection, u"Width", d.width);
    for (int i = 0; i < Settings::ColumnCount; ++i)
        s.columnWidths[i] = ini.readInteger(MainSection, ColumnKeys[i], d.columnWidths[i]);
    s.dirPath = ini.readString(MainSection, u"DirPath", d.dirPath);
    s.fileMask = ini.readString(MainSection, u"FileMask", d.fileMask);
    s.fileSort = ini.readString(SettingSection, u"FileSort", d.fileSort);
    s.sortMuki = ini.readString(SettingSection, u"SortMuki", d.sortMuki);
    s.noChgChar = ini.readString(SettingSection, u"NoChgChar", d.noChgChar);
    s.editApp = ini.readString(ApplicationSection, u"EditApp", d.editApp);
    for (int i = 0; i < Settings::CommandCount; ++i) {
        const CommandKeys keys = commandKeys(i);
        const ExternalCommandSetting& def = d.externalCommands[i];
        ExternalCommandSetting& c = s.externalCommands[i];
        c.commandLine = ini.readString(ApplicationSection, keys.commandLine, def.commandLine);
        c.argFlag = ini.readString(ApplicationSection, keys.argFlag, def.argFlag);
        c.displayName = ini.readString(ApplicationSection, keys.displayName, def.displayName);
    }
    return s;
}

void writeSettings(const Settings& s, IniFile& ini)
{
    // The window's top edge is written before its left one.
    ini.writeInteger(MainSection, u"Top"_s, s.top);
    ini.writeInteger(MainSection, u"Left"_s, s.left);
    ini.writeInteger(MainSection, u"Height"_s, s.height);
    ini.writeInteger(MainSection, u"Width"_s, s.width);
    for (int i = 0; i < Settings::ColumnCount; ++i)
        ini.writeInteger(MainSection, ColumnKeys[i], s.columnWidths[i]);
    ini.writeString(MainSection, u"DirPath"_s, s.dirPath);
    ini.writeString(MainSection, u"FileMask"_s, s.fileMask);
    ini.writeString(SettingSection, u"FileSort"_s, s.fileSort);
    ini.writeString(SettingSection, u"SortMuki"_s, s.sortMuki);
    ini.writeString(SettingSection, u"NoChgChar"_s, s.noChgChar);
    ini.writeString(ApplicationSection, u"EditApp"_s, s.editApp);
    for (int i = 0; i < Settings::CommandCount; ++i) {
        const CommandKeys keys = commandKeys(i);
        const ExternalCommandSetting& c = s.externalCommands[i];
        ini.writeString(ApplicationSection, keys.commandLine, c.commandLine);
        ini.writeString(ApplicationSection, keys.argFlag, c.argFlag);
        ini.writeString(ApplicationSection, keys.displayName, c.displayName);
    }
}

Settings loadSettings(const QString& nativePath)
{
    return readSettings(IniFile::load(nativePath));
}

FileWriteResult saveSettings(const Settings& settings, const QString& nativePath)
{
    FileReadResult::Status status = FileReadResult::Missing;
    QString reason;
    IniFile ini = IniFile::load(nativePath, &status, &reason);
    if (status == FileReadResult::Unreadable)
        return {false, reason};
    writeSettings(settings, ini);
    return ini.save(nativePath);
}

} // namespace quorix::settings
