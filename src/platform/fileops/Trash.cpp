#include "platform/fileops/Trash.h"

#include "app/DialogService.h"
#include "platform/fileops/FileCopy.h"
#include "platform/fileops/NativeFs.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace quorix::platform::fileops {

namespace {

constexpr qsizetype NameMax = 255;
const QByteArray InfoSuffix = QByteArrayLiteral(".trashinfo");

// A real folder (not a link) owned by uid, made with mode 0700 when missing.
bool ownFolder(const QByteArray& path, uid_t uid)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid;
}

bool trashFolders(const QByteArray& trash, uid_t uid)
{
    return ownFolder(joinPath(trash, "files"), uid) && ownFolder(joinPath(trash, "info"), uid);
}

// Device of path, or of its nearest folder that exists.
bool deviceOf(QByteArray path, dev_t* dev)
{
    for (int i = 0; i < 256; ++i) {
        struct stat st;
        if (::stat(path.constData(), &st) == 0) {
            *dev = st.st_dev;
            return true;
        }
        if (path == "/" || path == ".")
            return false;
        path = parentPath(path);
    }
    return false;
}

bool makeFolderChain(const QByteArray& path)
{
    struct stat st;
    if (::stat(path.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const QByteArray parent = parentPath(path);
    if (parent != path && !makeFolderChain(parent))
        return false;
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

QByteArray resolved(const QByteArray& path)
{
    char* r = ::realpath(path.constData(), nullptr);
    if (!r)
        return {};
    QByteArray out(r);
    ::free(r);
    return out;
}

// The trash for an entry on volume dev in the folder parent; *topdir empty for home.
std::optional<TrashLocation> trashFor(const QByteArray& parent, dev_t dev)
{
    const uid_t uid = ::getuid();
    const QByteArray home = homeTrashPath();
    dev_t homeDev;
    if (!home.isEmpty() && deviceOf(home, &homeDev) && homeDev == dev) {
        // Entries on the home volume use the home trash only.
        if (!makeFolderChain(home) || !trashFolders(home, uid))
            return std::nullopt;
        return TrashLocation{home, {}};
    }
    const QByteArray real = resolved(parent);
    if (real.isEmpty())
        return std::nullopt;
    auto loc = topdirTrash(volumeTop(real, dev), uid);
    struct stat st;
    if (!loc || ::stat(joinPath(loc->path, "files").constData(), &st) != 0 || st.st_dev != dev)
        return std::nullopt;
    return loc;
}

// Candidate names in the trash: the entry's own, then "stem (2).ext" and so on, cut so
// that the .trashinfo name still fits the volume's name length.
QByteArray trashName(const QByteArray& name, int n)
{
    QByteArray stem = name, ext;
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0) {
        stem = name.left(dot);
        ext = name.mid(dot);
    }
    const QByteArray suffix = n > 1 ? " (" + QByteArray::number(n) + ")" : QByteArray();
    if (ext.size() > NameMax / 2)
        ext.clear();
    qsizetype keep = NameMax - InfoSuffix.size() - suffix.size() - ext.size();
    if (stem.size() > keep) {
        // Cut at a character boundary where the name is UTF-8.
        while (keep > 1 && (uchar(stem.at(keep)) & 0xC0) == 0x80)
            --keep;
        stem.truncate(keep);
    }
    return stem + suffix + ext;
}

enum class TrashStep { Done, NoTrash, Failed };

// Puts one entry into the trash: the info file first (O_EXCL claims the name), then the
// rename. *error gets the errno when Failed.
TrashStep moveToTrash(Session& session, int parentFd, const QByteArray& parent,
                      const QByteArray& name, dev_t dev, int* error)
{
    const auto loc = trashFor(parent, dev);
    if (!loc)
        return TrashStep::NoTrash;
    QByteArray pathValue;
    if (loc->topdir.isEmpty()) {
        const QByteArray real = resolved(parent);
        pathValue = joinPath(real.isEmpty() ? cleanPath(parent) : real, name);
    } else {
        const QByteArray real = joinPath(resolved(parent), name);
        pathValue = loc->topdir == "/" ? real.mid(1) : real.mid(loc->topdir.size() + 1);
    }
    Fd infoDir, filesDir;
    if ((*error = openDirAt(AT_FDCWD, joinPath(loc->path, "info"), &infoDir)) ||
        (*error = openDirAt(AT_FDCWD, joinPath(loc->path, "files"), &filesDir)))
        return TrashStep::Failed;
    const QByteArray info = trashInfo(encodeTrashPath(pathValue), QDateTime::currentDateTime());

    for (int n = 1; n < 10000; ++n) {
        const QByteArray candidate = trashName(name, n);
        const QByteArray infoName = candidate + InfoSuffix;
        Fd fd(::openat(infoDir.get(), infoName.constData(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid()) {
            if (errno == EEXIST)
                continue;
            *error = errno;
            return TrashStep::Failed;
        }
        const auto dropInfo = [&] { ::unlinkat(infoDir.get(), infoName.constData(), 0); };
        struct stat st;
        if (lstatAt(filesDir.get(), candidate, &st) == 0) {
            dropInfo(); // a file without its info file holds the name
            continue;
        }
        if (::write(fd.get(), info.constData(), size_t(info.size())) != info.size()) {
            *error = errno ? errno : EIO;
            dropInfo();
            return TrashStep::Failed;
        }
        fd.reset();
        int e = session.fault(FaultPoint::TrashRename, name);
        if (e == CancelFault) {
            dropInfo();
            return TrashStep::Failed;
        }
        if (e == 0)
            e = renameNoReplace(parentFd, name, filesDir.get(), candidate);
        if (e == 0)
            return TrashStep::Done;
        dropInfo();
        if (e == EEXIST)
            continue;
        if (e == EXDEV)
            return TrashStep::NoTrash;
        *error = e;
        return TrashStep::Failed;
    }
    *error = EEXIST;
    return TrashStep::Failed;
}

} // namespace

QByteArray homeTrashPath()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (!data.startsWith('/')) {
        const QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/'))
            return {};
        data = joinPath(home, ".local/share");
    }
    return joinPath(data, "Trash");
}

std::optional<TrashLocation> topdirTrash(const QByteArray& topdir, uid_t uid)
{
    const QByteArray uidText = QByteArray::number(uint(uid));
    const QByteArray shared = joinPath(topdir, ".Trash");
    struct stat st;
    // A shared trash counts only as a real folder with the sticky bit, so that users
    // cannot remove or replace each other's folders in it.
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const QByteArray own = joinPath(shared, uidText);
        if (ownFolder(own, uid) && trashFolders(own, uid))
            return TrashLocation{own, topdir};
    }
    const QByteArray own = joinPath(topdir, ".Trash-" + uidText);
    if (ownFolder(own, uid) && trashFolders(own, uid))
        return TrashLocation{own, topdir};
    return std::nullopt;
}

QByteArray volumeTop(const QByteArray& resolvedDir, dev_t volume)
{
    QByteArray current = resolvedDir;
    for (int i = 0; i < 4096 && current != "/"; ++i) {
        const QByteArray up = parentPath(current);
        struct stat st;
        if (::stat(up.constData(), &st) != 0 || st.st_dev != volume)
            break;
        current = up;
    }
    return current;
}

QByteArray encodeTrashPath(const QByteArray& path)
{
    // RFC 2396 unreserved characters stay; "/" separates the components.
    return path.toPercentEncoding("/!~*'()", QByteArray(), '%');
}

QByteArray trashInfo(const QByteArray& encodedPath, const QDateTime& deletedLocal)
{
    return "[Trash Info]\nPath=" + encodedPath + "\nDeletionDate=" +
           deletedLocal.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + "\n";
}

void runTrash(Session& session, const QList<QByteArray>& sources, FileOperationResult* result)
{
    for (const QByteArray& source : sources) {
        FileOperationItem item;
        item.nativeSource = source;
        result->items.push_back(item);
    }
    if (sources.isEmpty())
        return;

    QString question;
    if (sources.size() == 1) {
        struct stat st;
        const bool folder = statPath(sources.front(), &st, false) == 0 && S_ISDIR(st.st_mode);
        question = texts::confirmTrashOne(shownName(baseName(sources.front())), folder);
    } else {
        question = texts::confirmTrashMany(sources.size());
    }
    if (session.message(question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        session.cancel();
        for (FileOperationItem& item : result->items)
            item.error = ECANCELED;
        return;
    }
    session.setTotals(0, sources.size());

    bool deleteAll = false;
    for (FileOperationItem& item : result->items) {
        if (session.cancelled())
            break;
        const QByteArray name = baseName(item.nativeSource);
        const QByteArray parent = parentPath(item.nativeSource);
        session.setCurrent(name);
        bool forGood = false;
        for (;;) {
            Fd parentFd;
            struct stat st, parentSt;
            int e = openDirAt(AT_FDCWD, parent, &parentFd, true);
            if (!e && ::fstat(parentFd.get(), &parentSt) != 0)
                e = errno;
            if (!e)
                e = name.isEmpty() || name == "." || name == ".."
                        ? EINVAL
                        : lstatAt(parentFd.get(), name, &st);
            if (!e && st.st_dev != parentSt.st_dev)
                e = EBUSY; // a mount point: neither trashed nor emptied
            TrashStep step = TrashStep::Failed;
            if (!e && !forGood)
                step = moveToTrash(session, parentFd.get(), parent, name, st.st_dev, &e);
            if (!e && (forGood || step == TrashStep::NoTrash)) {
                if (!forGood && !deleteAll) {
                    const int answer =
                        session.choose(texts::noTrash(shownName(name), S_ISDIR(st.st_mode)),
                                       texts::yesAllNoCancel(), MB_ICONEXCLAMATION);
                    if (answer == texts::AnswerYesToAll)
                        deleteAll = true;
                    else if (answer == texts::AnswerNo) {
                        item.outcome = ItemOutcome::Skipped;
                        item.error = EOPNOTSUPP;
                        break;
                    } else if (answer != texts::AnswerYes) {
                        session.cancel();
                        break;
                    }
                }
                forGood = true;
                e = removeTree(parentFd.get(), name);
                step = e ? TrashStep::Failed : TrashStep::Done;
            }
            if (step == TrashStep::Done) {
                item.outcome = ItemOutcome::Done;
                item.error = 0;
                session.addItem();
                break;
            }
            if (session.cancelled())
                break;
            const auto answer = session.reportError(
                forGood ? texts::Action::Delete : texts::Action::Trash, name, texts::errnoText(e));
            if (answer == Session::ErrorAnswer::Skip) {
                item.outcome = ItemOutcome::Skipped;
                item.error = e;
                break;
            }
            if (answer == Session::ErrorAnswer::Cancel)
                break;
        }
    }
    for (FileOperationItem& item : result->items)
        if (item.outcome == ItemOutcome::Cancelled)
            item.error = ECANCELED;
}

} // namespace quorix::platform::fileops
