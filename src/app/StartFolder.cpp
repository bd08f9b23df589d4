#include "app/StartFolder.h"

#include "app/DialogService.h"
#include "navigation/PathRules.h"
#include "platform/FileSystem.h"

namespace quorix {

namespace {

const QString kMissingFolder =
    QStringLiteral("ディレクトリが見つかりません。ディレクトリを作成しますか？");

} // namespace

StartFolder checkStartFolder(const QString& folder, QPoint questionAt, int* dialogResult)
{
    if (folder.size() == 2 || platform::isDirectory(folder))
        return StartFolder::Keep;
    const int answer =
        DialogService::instance().warning(kMissingFolder, questionAt, WarningButtons::YesNo);
    if (dialogResult)
        *dialogResult = answer;
    if (answer == IDYES)
        return StartFolder::Create;
    if (answer == IDNO)
        return StartFolder::UseDriveC;
    return StartFolder::Keep;
}

bool makeStartFolder(const QString& folder)
{
    return MakeFolderChain(folder);
}

QString driveOf(const QString& logicalPath)
{
    if (logicalPath.size() >= 2 && logicalPath.at(1) == u':')
        return logicalPath.left(2);
    return {};
}

} // namespace quorix
