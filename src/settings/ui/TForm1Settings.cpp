// Settings file and the two main-window histories: the TForm1 handlers.

#include "app/ui/TForm1.h"

#include "app/DialogService.h"
#include "platform/FileSystem.h"
#include "settings/FloppyCheck.h"
#include "settings/Settings.h"
#include "settings/SettingsTexts.h"
#include "settings/ui/HistoryCombo.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTreeView>

namespace quorix {

namespace {

// The program's own error display: the failure, the file it concerns, a stop icon.
void reportWriteFailure(const QString& nativePath, const settings::FileWriteResult& result)
{
    DialogService::instance().messageBox(
        settings::texts::writeFailed().arg(nativePath, result.errorText),
        QCoreApplication::applicationName(), MB_OK | MB_ICONSTOP);
}

} // namespace

void TForm1::LoadSettings()
{
    const settings::Settings s = settings::loadSettings(settings::settingsFilePath());
    // Window bounds as read, even off screen. Qt places a window by its frame and sizes
    // it without the frame, which the window manager only adds once it is shown; the save
    // below uses the same measures, so a saved window comes back as it was.
    move(s.left, s.top);
    resize(s.width, s.height);
    ColumnWidths = s.columnWidths;
    CurrentDir = s.dirPath;
    FileMask = s.fileMask;
    FileSort = s.fileSort;
    SortMuki = s.sortMuki;
    NoChgChar = s.noChgChar;
    EditApp = s.editApp;
    for (int i = 0; i < settings::Settings::CommandCount; ++i) {
        const settings::ExternalCommandSetting& c = s.externalCommands[i];
        ExternalCommand[i] = {c.commandLine, c.argFlag, c.displayName};
    }
    settings::checkFloppyStartFolder(CurrentDir, &LastDialogResult, [](const QString& root) {
        return platform::volumePresent(root);
    });
    for (int i = 0; i < settings::Settings::ColumnCount; ++i)
        ListView1->setColumnWidth(i, ColumnWidths[i]);
}

bool TForm1::SaveSettings()
{
    for (int i = 0; i < settings::Settings::ColumnCount; ++i)
        ColumnWidths[i] = ListView1->columnWidth(i);
    settings::Settings s;
    s.top = y();
    s.left = x();
    s.height = height();
    s.width = width();
    s.columnWidths = ColumnWidths;
    s.dirPath = CurrentDir;
    s.fileMask = FileMask;
    s.fileSort = FileSort;
    s.sortMuki = SortMuki;
    s.noChgChar = NoChgChar;
    s.editApp = EditApp;
    for (int i = 0; i < settings::Settings::CommandCount; ++i) {
        const ExternalCommandSlot& c = ExternalCommand[i];
        s.externalCommands[i] = {c.CommandLine, c.ArgFlag, c.DisplayName};
    }
    const QString path = settings::settingsFilePath();
    const settings::FileWriteResult result = settings::saveSettings(s, path);
    if (!result.ok) {
        reportWriteFailure(path, result);
        return false;
    }
    return true;
}

void TForm1::LoadHistories()
{
    settings::loadHistory(ComboBox1, settings::HistoryList::mainPath());
    settings::loadHistory(ComboBox2, settings::HistoryList::mainMask());
}

bool TForm1::SaveHistories()
{
    const auto pushAndSave = [](QComboBox* box, const settings::HistoryList& history) {
        settings::pushHistory(box, history);
        const settings::FileWriteResult result = settings::saveHistory(box, history);
        if (!result.ok)
            reportWriteFailure(history.nativePath(), result);
        return result.ok;
    };
    return pushAndSave(ComboBox1, settings::HistoryList::mainPath()) &&
           pushAndSave(ComboBox2, settings::HistoryList::mainMask());
}

void TForm1::PushPathHistory()
{
    settings::pushHistory(ComboBox1, settings::HistoryList::mainPath());
}

void TForm1::PushMaskHistory()
{
    settings::pushHistory(ComboBox2, settings::HistoryList::mainMask());
}

} // namespace quorix
