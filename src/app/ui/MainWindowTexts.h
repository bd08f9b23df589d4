#pragma once

#include <QString>

// Every text the main window shows of its own: captions, hints, menus and the key bar.
namespace quorix::mainwindow {

inline const QString kBandText = QStringLiteral("ディレクトリ");
inline const QString kLabel1Initial = QStringLiteral("Path");
inline const QString kLabel2Initial = QStringLiteral("file");
inline const QString kLabel3Initial = QStringLiteral("Sort");
inline const QString kVersion = QStringLiteral("1.06");
inline const QString kCaptionPrefix = QStringLiteral("Quorix Ver");
inline const QString kCaptionSuffix = QStringLiteral(" (Win98/Me/2000/Xp)");

// Tool button hints.
inline const QString kHintBrowse = QStringLiteral("フォルダー参照");
inline const QString kHintUp = QStringLiteral("１つ上のﾌｫﾙﾀﾞｰへ");
inline const QString kHintNewFolder = QStringLiteral("ﾌｫﾙﾀﾞｰの新規作成");
inline const QString kHintDelete = QStringLiteral("削除");
inline const QString kHintCopy = QStringLiteral("コピー");
inline const QString kHintMove = QStringLiteral("移動");
inline const QString kHintFindFile = QStringLiteral("ﾌｧｲﾙ検索");
inline const QString kHintFind = QStringLiteral("検索・絞り込み");
inline const QString kHintCalculator = QStringLiteral("計算機");

// Main menu.
inline const QString kMenuFile = QStringLiteral("ﾌｧｲﾙ");
inline const QString kMenuExplorer = QStringLiteral("ｴｸｽﾌﾟﾛｰﾗ");
inline const QString kMenuControl = QStringLiteral("ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ");
inline const QString kMenuClose = QStringLiteral("閉じる");
inline const QString kMenuEdit = QStringLiteral("編集");
inline const QString kMenuDelete = QStringLiteral("削除");
inline const QString kMenuCopy = QStringLiteral("ｺﾋﾟｰ");
inline const QString kMenuMove = QStringLiteral("移動");
inline const QString kMenuFind = QStringLiteral("検索");
inline const QString kMenuView = QStringLiteral("ﾌｧｲﾙﾋﾞｭｰ");
inline const QString kMenuRename = QStringLiteral("名前変更");
inline const QString kMenuInfo = QStringLiteral("ﾌｧｲﾙ情報変更");
inline const QString kMenuAll = QStringLiteral("すべて選択");
inline const QString kMenuOutApp = QStringLiteral("外部ｺﾏﾝﾄﾞ");
inline const QString kMenuSet = QStringLiteral("設定");
inline const QString kMenuOutPrefix = QStringLiteral("外部ｱﾌﾟﾘ"); // + letter A .. Z
inline const QString kMenuEditApp = QStringLiteral("編集ｱﾌﾟﾘ");
inline const QString kMenuEditor = QStringLiteral("ｴﾃﾞｨﾀ起動");
inline const QString kMenuOther = QStringLiteral("その他");
inline const QString kMenuShortcut = QStringLiteral("ﾃﾞｨｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄ作成");
inline const QString kMenuHelp = QStringLiteral("ﾍﾙﾌﾟ");
inline const QString kMenuHomePage = QStringLiteral("ﾎｰﾑﾍﾟｰｼﾞ");
inline const QString kMenuMail = QStringLiteral("ﾒｰﾙ");
inline const QString kMenuVersion = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");

// Viewer menu.
inline const QString kViewClose = QStringLiteral("閉じる");
inline const QString kViewFind = QStringLiteral("検索");

// Key bar sections: text and width.
struct KeyBarSection
{
    const char16_t* text;
    int width;
};

inline constexpr KeyBarSection kKeyBar1[] = {
    {u"L:ﾄﾞﾗｲﾌﾞ", 53}, {u"←(BS)/→:ﾌｫﾙﾀﾞ入れ替え", 145},
    {u"S:ｿｰﾄ", 43},    {u"M:移動", 47},
    {u"F:検索", 47},   {u"D:削除", 47},
    {u"C:ｺﾋﾟｰ", 47},   {u"V:ﾋﾞｭｰ", 47},
    {u"E:編集", 50},
};

inline constexpr KeyBarSection kKeyBar2[] = {
    {u"I:ﾌｧｲﾙ情報", 70},
    {u"R:名前変更", 70},
    {u"SP:ﾌｧｲﾙﾘｽﾄ更新", 100},
    {u"ESC :終了", 65},
};

} // namespace quorix::mainwindow
