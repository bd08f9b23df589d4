#pragma once

#include <QString>

namespace quorix::settings::texts {

// The floppy question at start when the saved folder is drive A: without a medium.
inline QString floppyQuestion()
{
    return QStringLiteral(
        "ディレクトリの設定がフロッピーディスクです。\nフロッピーディスクを使用する場合は挿入してか"
        "らＯＫを押してください。\nキャンセルの場合はデフォルト設定です。");
}
inline QString floppyCaption()
{
    return QStringLiteral("ＦＤ確認");
}

// A settings or history file that could not be written; %1 is the file, %2 the reason.
inline QString writeFailed()
{
    return QStringLiteral("%1 に書き込めません。\n%2");
}

} // namespace quorix::settings::texts
