#pragma once

// Texts of path, mask and drive navigation, used exactly as the user sees them.

#include <QString>

namespace quorix::navigation_texts {

// Characters the path box refuses.
inline const QString kPathRefusedChars = QStringLiteral("/,;*?<>|.");
// Characters the mask box refuses.
inline const QString kMaskRefusedChars = QStringLiteral("/:;?<>");
inline const QString kPathRefusedMessage =
    QStringLiteral("この文字はフォルダー名に使えません。\n/:,;*?<>|.");
inline const QString kMaskRefusedMessage =
    QStringLiteral("この文字はフォルダー名に使えません。\n/:;?<>");
inline const QString kConfirmCaption = QStringLiteral("確認");
// The question before a typed or picked folder is created: head + path + tail.
inline const QString kMissingFolderQuestionHead = QStringLiteral("ディレクトリが有りません。\n");
inline const QString kMissingFolderQuestionTail = QStringLiteral("を作成しますか？");
// Title of the folder browser, followed by the current folder.
inline const QString kBrowseTitlePrefix = QStringLiteral("現ﾃﾞｨﾚｸﾄﾘ ");
// Caption of the parent row.
inline const QString kParentCaption = QStringLiteral("..");
// Drive menu captions after the letter, by kind.
inline const QString kDriveFloppy = QStringLiteral(": (ﾌﾛｯﾋﾟｰﾃﾞｨｽｸ)");
inline const QString kDriveRemovable = QStringLiteral(": (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)");
inline const QString kDriveFixed = QStringLiteral(": (固定ﾃﾞｨｽｸ)");
inline const QString kDriveRemote = QStringLiteral(": (ﾈｯﾄﾜｰｸ)");
inline const QString kDriveCdRom = QStringLiteral(": (CD-ROM)");
inline const QString kDriveRamDisk = QStringLiteral(": (RAM ﾃﾞｨｽｸ)");

} // namespace quorix::navigation_texts
