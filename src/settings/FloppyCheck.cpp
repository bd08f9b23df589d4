#include "settings/FloppyCheck.h"

#include "app/DialogService.h"
#include "settings/SettingsTexts.h"

namespace quorix::settings {

void checkFloppyStartFolder(QString& currentDir, int* dialogResult,
                            const std::function<bool(const QString& root)>& volumePresent)
{
    const QString floppyRoot = QStringLiteral("A:\\");
    if (volumePresent(floppyRoot))
        return;
    if (currentDir != QLatin1String("A:") && currentDir != QLatin1String("a:"))
        return;
    const int answer = DialogService::instance().messageBox(
        texts::floppyQuestion(), texts::floppyCaption(), MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (dialogResult)
        *dialogResult = answer;
    if (answer == IDOK) {
        if (!volumePresent(floppyRoot))
            currentDir = QStringLiteral("c:\\");
    } else if (answer == IDCANCEL) {
        currentDir = QStringLiteral("c:");
    }
}

} // namespace quorix::settings
