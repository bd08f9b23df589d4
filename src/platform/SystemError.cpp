#include "platform/SystemError.h"
#include "platform/FileSystem.h"

#include <cerrno>

namespace quorix::platform {

using namespace winerror;

QString systemErrorText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("この操作を正しく終了しました。");
    case FileNotFound:
        return QStringLiteral("指定されたファイルが見つかりません。");
    case PathNotFound:
        return QStringLiteral("指定されたパスが見つかりません。");
    case TooManyOpenFiles:
        return QStringLiteral("ファイルを開くことができません。");
    case AccessDenied:
        return QStringLiteral("アクセスが拒否されました。");
    case NotEnoughMemory:
        return QStringLiteral("このコマンドを実行するのに十分な記憶域がありません。");
    case NotSameDevice:
        return QStringLiteral("システムは別のディスク ドライブにファイルを移動できません。");
    case WriteProtect:
        return QStringLiteral("メディアは書き込み禁止になっています。");
    case NotReady:
        return QStringLiteral("デバイスの準備ができていません。");
    case GenFailure:
        return QStringLiteral("システムに接続されたデバイスが機能していません。");
    case SharingViolation:
        return QStringLiteral("プロセスはファイルにアクセスできません。別のプロセスが使用中です。");
    case NotSupported:
        return QStringLiteral("要求はサポートされていません。");
    case BadNetPath:
        return QStringLiteral("ネットワーク パスが見つかりませんでした。");
    case FileExists:
        return QStringLiteral("ファイルが存在します。");
    case InvalidParameter:
        return QStringLiteral("パラメータが間違っています。");
    case DiskFull:
        return QStringLiteral("ディスクに十分な空き領域がありません。");
    case InvalidName:
        return QStringLiteral(
            "ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。");
    case DirNotEmpty:
        return QStringLiteral("ディレクトリが空ではありません。");
    case AlreadyExists:
        return QStringLiteral("既に存在するファイルを作成することはできません。");
    case FilenameTooLong:
        return QStringLiteral("ファイル名または拡張子が長すぎます。");
    case IoDevice:
        return QStringLiteral("I/O デバイス エラーが発生したため、要求を実行できませんでした。");
    case CantResolveFilename:
        return QStringLiteral("ファイル名を解決できません。");
    default:
        return QStringLiteral("システム エラー %1 が発生しました。").arg(code);
    }
}

int windowsErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return 0;
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return AccessDenied;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case ENOMEM:
        return NotEnoughMemory;
    case EXDEV:
        return NotSameDevice;
    case EROFS:
        return WriteProtect;
    case ENOMEDIUM:
    case ENXIO:
    case ENODEV:
        return NotReady;
    case EBUSY:
    case ETXTBSY:
        return SharingViolation;
    case ENOTSUP:
    case ENOSYS:
        return NotSupported;
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case ETIMEDOUT:
    case ENOTCONN:
    case ESTALE:
        return BadNetPath;
    case EINVAL:
        return InvalidParameter;
    case ENOSPC:
    case EDQUOT:
        return DiskFull;
    case EILSEQ:
        return InvalidName;
    case ENOTEMPTY:
        return DirNotEmpty;
    case EEXIST:
        return AlreadyExists;
    case ENAMETOOLONG:
        return FilenameTooLong;
    case EIO:
        return IoDevice;
    case ELOOP:
        return CantResolveFilename;
    default:
        return GenFailure;
    }
}

} // namespace quorix::platform
