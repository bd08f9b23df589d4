#include "platform/fileops/FileOperationTexts.h"

#include "platform/FileSystem.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace quorix::platform::fileops::texts {

namespace {

QString actionWord(Action action)
{
    switch (action) {
    case Action::Copy:
        return u"ｺﾋﾟｰ"_s;
    case Action::Move:
        return u"移動"_s;
    case Action::Trash:
        return u"ごみ箱に移動"_s;
    case Action::Delete:
        return u"削除"_s;
    }
    return {};
}

QString timeText(const QDateTime& t)
{
    return t.isValid() ? t.toString(u"yyyy-MM-dd hh:mm"_s) : QString();
}

QString quoted(const QString& name)
{
    return u"'"_s + name + u"'"_s;
}

} // namespace

QString caption()
{
    return u"確認"_s;
}

QStringList yesAllNoCancel()
{
    return {u"はい(&Y)"_s, u"すべてはい(&A)"_s, u"いいえ(&N)"_s, u"ｷｬﾝｾﾙ"_s};
}

QStringList yesNoCancel()
{
    return {u"はい(&Y)"_s, u"いいえ(&N)"_s, u"ｷｬﾝｾﾙ"_s};
}

QStringList retrySkipCancel()
{
    return {u"再試行(&R)"_s, u"ｽｷｯﾌﾟ(&S)"_s, u"ｷｬﾝｾﾙ"_s};
}

QString progressCaption(FileOperationKind kind)
{
    switch (kind) {
    case FileOperationKind::Copy:
        return u"ﾌｧｲﾙをｺﾋﾟｰしています..."_s;
    case FileOperationKind::Move:
        return u"ﾌｧｲﾙを移動しています..."_s;
    case FileOperationKind::DeleteToTrash:
        return u"ﾌｧｲﾙをごみ箱に移しています..."_s;
    }
    return {};
}

QString sizeText(qint64 bytes)
{
    const QLocale c = QLocale::c();
    if (bytes < 1024 * 1024)
        return c.toString((bytes + 1023) / 1024) + u"KB"_s;
    if (bytes < qint64(1024) * 1024 * 1024)
        return c.toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + u"MB"_s;
    return c.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + u"GB"_s;
}

QString progressText(const QString& name, qint64 doneBytes, qint64 totalBytes, qint64 doneItems,
                     qint64 totalItems, qint64 bytesPerSecond)
{
    QString text = name + u"\n"_s;
    const QString speed =
        bytesPerSecond > 0 ? u"  ("_s + sizeText(bytesPerSecond) + u"/秒)"_s : QString();
    if (totalBytes > 0)
        text += sizeText(doneBytes) + u" / "_s + sizeText(totalBytes) + speed;
    else if (doneBytes > 0)
        text += sizeText(doneBytes) + speed; // the totals are still being counted
    else if (totalItems > 0)
        text += QString::number(doneItems) + u" / "_s + QString::number(totalItems) + u" 個"_s;
    else
        text += QString::number(doneItems) + u" 個"_s;
    return text;
}

QString confirmTrashOne(const QString& name, bool folder)
{
    return folder ? u"ﾌｫﾙﾀﾞ "_s + quoted(name) + u" とその内容をすべてごみ箱に移しますか？"_s
                  : u"ﾌｧｲﾙ "_s + quoted(name) + u" をごみ箱に移しますか？"_s;
}

QString confirmTrashMany(qsizetype count)
{
    return u"これらの "_s + QString::number(count) + u" 個の項目をごみ箱に移しますか？"_s;
}

QString noTrash(const QString& name, bool folder)
{
    return (folder ? u"ﾌｫﾙﾀﾞ "_s : u"ﾌｧｲﾙ "_s) + quoted(name) +
           u" はごみ箱に移せません。\n完全に削除しますか？（元に戻せません）"_s;
}

QString replaceFile(const QString& name, qint64 oldSize, const QDateTime& oldTime, qint64 newSize,
                    const QDateTime& newTime)
{
    const QLocale c = QLocale::c();
    return u"このﾌｫﾙﾀﾞには既に "_s + quoted(name) + u" という名前のﾌｧｲﾙがあります。\n\n"_s +
           u"既存のﾌｧｲﾙ:  "_s + c.toString(oldSize) + u" ﾊﾞｲﾄ  "_s + timeText(oldTime) +
           u"\n新しいﾌｧｲﾙ:  "_s + c.toString(newSize) + u" ﾊﾞｲﾄ  "_s + timeText(newTime) +
           u"\n\n既存のﾌｧｲﾙを置き換えますか？"_s;
}

QString mergeFolder(const QString& name)
{
    return u"このﾌｫﾙﾀﾞには既に "_s + quoted(name) + u" という名前のﾌｫﾙﾀﾞがあります。\n"_s +
           u"中身を統合しますか？（同じ名前のﾌｧｲﾙは、置き換える前に確認します）"_s;
}

QString sameNameInRequest(const QString& name, bool move)
{
    return quoted(name) + u" は、この操作で先に"_s +
           actionWord(move ? Action::Move : Action::Copy) +
           u"した同じ名前の項目と重なります。\n置き換えますか？"_s;
}

QString intoItself(const QString& name, bool move)
{
    return u"ﾌｫﾙﾀﾞ "_s + quoted(name) + u" は、そのﾌｫﾙﾀﾞ自身の中へは"_s +
           actionWord(move ? Action::Move : Action::Copy) + u"できません。"_s;
}

QString sameFile(const QString& name, bool move)
{
    const QString w = actionWord(move ? Action::Move : Action::Copy);
    return quoted(name) + u": "_s + w + u"元と"_s + w + u"先が同じﾌｧｲﾙです。"_s;
}

QString cannot(Action action, const QString& name, const QString& reason)
{
    return quoted(name) + u" を"_s + actionWord(action) + u"できません。\n"_s + reason;
}

QString reasonSpecialFile()
{
    return u"名前付きﾊﾟｲﾌﾟやﾃﾞﾊﾞｲｽなどの特殊なﾌｧｲﾙは読み込みません。"_s;
}

QString reasonSizeMismatch()
{
    return u"ｺﾋﾟｰしたﾌｧｲﾙのｻｲｽﾞが元のﾌｧｲﾙと一致しません。"_s;
}

QString reasonFolderOntoFile()
{
    return u"同じ名前のﾌｧｲﾙがあるため、ﾌｫﾙﾀﾞを置けません。"_s;
}

QString reasonFileOntoFolder()
{
    return u"同じ名前のﾌｫﾙﾀﾞがあるため、ﾌｧｲﾙを置けません。"_s;
}

QString reasonSourceChanged()
{
    return u"ｺﾋﾟｰの途中で元のﾌｧｲﾙが変更されたため、元のﾌｧｲﾙを残しました。"_s;
}

QString errnoText(int error)
{
    return systemErrorText(windowsErrorFromErrno(error));
}

} // namespace quorix::platform::fileops::texts
