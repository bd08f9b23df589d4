#include "platform/fileops/Transfer.h"

#include "app/DialogService.h"
#include "platform/fileops/FileCopy.h"
#include "platform/fileops/NativeFs.h"

#include <QDateTime>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorix::platform::fileops {

namespace {

struct IdentityHash
{
    size_t operator()(const Identity& i) const
    {
        return std::hash<quint64>()(quint64(i.dev) * 0x9E3779B97F4A7C15ull ^ quint64(i.ino));
    }
};

enum class Step { Ok, Skipped, Cancelled, OtherVolume };
enum class Existing { Absent, Replace, Merge };
enum class Decision { Go, Skip, Cancel };

QDateTime modifiedTime(const struct stat& st)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                          st.st_mtim.tv_nsec / 1000000);
}

bool sameTime(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Bytes and entries below one entry, for the progress window.
void scanTree(int dirFd, const QByteArray& name, const struct stat& st, qint64* bytes,
              qint64* items, const std::atomic<bool>& stop, int depth = 0)
{
    *items += 1;
    if (S_ISREG(st.st_mode))
        *bytes += st.st_size;
    if (!S_ISDIR(st.st_mode) || depth > 1024 || stop)
        return;
    Fd sub;
    QList<QByteArray> names;
    if (openDirAt(dirFd, name, &sub) || listDir(sub.get(), &names))
        return;
    for (const QByteArray& child : names) {
        struct stat cst;
        if (!stop && lstatAt(sub.get(), child, &cst) == 0)
            scanTree(sub.get(), child, cst, bytes, items, stop, depth + 1);
    }
}

// Totals of a request: data where it is copied, one entry where it is renamed.
void scanTotals(Session& session, const QList<QByteArray>& sources, const QByteArray& destination,
                bool move, const std::atomic<bool>& stop)
{
    struct stat destSt;
    const bool destKnown = statPath(destination, &destSt, true) == 0;
    qint64 bytes = 0, items = 0;
    for (const QByteArray& source : sources) {
        struct stat st;
        if (stop)
            return;
        if (statPath(source, &st, false) != 0)
            continue;
        if (move && destKnown && st.st_dev == destSt.st_dev) {
            items += 1;
            continue;
        }
        Fd parent;
        if (openDirAt(AT_FDCWD, parentPath(source), &parent, true) == 0)
            scanTree(parent.get(), baseName(source), st, &bytes, &items, stop);
    }
    if (!stop)
        session.setTotals(bytes, items);
}

class Transfer
{
public:
    explicit Transfer(Session& session) : m_s(session), m_move(session.isMove()) {}

    void run(const QList<QByteArray>& sources, const QByteArray& destination,
             FileOperationResult* result);

private:
    struct CopiedSource
    {
        off_t size;
        struct timespec mtime;
    };

    texts::Action action() const { return m_move ? texts::Action::Move : texts::Action::Copy; }
    void noteSkip(int error)
    {
        ++m_skipped;
        if (!m_firstError)
            m_firstError = error;
    }
    // The error dialog for a step that failed with code; Ok means retry.
    Step onError(const QByteArray& name, const QString& reason, int error);

    void transferItem(const QByteArray& source, int destFd, const QByteArray& destPath,
                      const struct stat& destSt, FileOperationItem* item);
    Decision askReplace(const QByteArray& name, const struct stat& old, const struct stat& src);
    Decision askWithAll(const QString& text, bool* all);
    Step resolve(int dstDirFd, const QByteArray& name, const struct stat& st, bool top,
                 Existing* existing);
    // direct: dstDirFd is a folder of this request not yet in place (below).
    Step copyEntry(int srcDirFd, const QByteArray& name, struct stat st, int dstDirFd,
                   const QByteArray& dstDirPath, Existing existing, bool direct = false);
    Step copyFolder(int srcDirFd, const QByteArray& name, const struct stat& st, int dstDirFd,
                    const QByteArray& dstDirPath, Existing existing, bool direct);
    Step renameInto(int srcDirFd, const QByteArray& name, const struct stat& st, int dstDirFd,
                    Existing existing);
    Step mergeByRename(int srcDirFd, const QByteArray& name, int dstDirFd);
    Step removeSources(int srcDirFd, const QByteArray& name);
    Step removeCopied(int srcDirFd, const QByteArray& name, int depth);
    void rollBack();

    Session& m_s;
    const bool m_move;
    bool m_overwriteAll = false;
    bool m_mergeAll = false;
    // Entries this request put at the top of the destination: a later source of the same
    // name must not replace one of them without its own question.
    std::unordered_set<Identity, IdentityHash> m_published;

    // State of the item under way.
    bool m_sameVolume = false;
    bool m_durable = false;
    bool m_refused = false;
    int m_skipped = 0;
    int m_firstError = 0;
    std::vector<QByteArray> m_created; // target paths made by this item, in order
    std::unordered_map<Identity, CopiedSource, IdentityHash> m_copied;
};

Step Transfer::onError(const QByteArray& name, const QString& reason, int error)
{
    switch (m_s.reportError(action(), name, reason)) {
    case Session::ErrorAnswer::Retry:
        return Step::Ok;
    case Session::ErrorAnswer::Skip:
        noteSkip(error);
        return Step::Skipped;
    case Session::ErrorAnswer::Cancel:
        break;
    }
    return Step::Cancelled;
}

// A question with yes / yes to all / no / cancel; *all remembers "yes to all".
Decision Transfer::askWithAll(const QString& text, bool* all)
{
    if (*all)
        return Decision::Go;
    switch (m_s.choose(text, texts::yesAllNoCancel(), MB_ICONQUESTION)) {
    case texts::AnswerYesToAll:
        *all = true;
        [[fallthrough]];
    case texts::AnswerYes:
        return Decision::Go;
    case texts::AnswerNo:
        return Decision::Skip;
    default:
        m_s.cancel();
        return Decision::Cancel;
    }
}

Decision Transfer::askReplace(const QByteArray& name, const struct stat& old,
                              const struct stat& src)
{
    return askWithAll(texts::replaceFile(shownName(name), old.st_size, modifiedTime(old),
                                         src.st_size, modifiedTime(src)),
                      &m_overwriteAll);
}

// Decides what happens to an entry of the target's name: nothing there, replace it, merge
// into it (folders), or skip. Questions: once for a folder at the top of the request
// (merging a tree asks once), for every file that would be replaced.
Step Transfer::resolve(int dstDirFd, const QByteArray& name, const struct stat& st, bool top,
                       Existing* existing)
{
    for (;;) {
        struct stat dst;
        const int e = lstatAt(dstDirFd, name, &dst);
        if (e == ENOENT) {
            *existing = Existing::Absent;
            return Step::Ok;
        }
        if (e) {
            const Step s = onError(name, texts::errnoText(e), e);
            if (s == Step::Ok)
                continue;
            return s;
        }
        struct stat followed;
        if (identityOf(dst) == identityOf(st) ||
            (!S_ISLNK(st.st_mode) && ::fstatat(dstDirFd, name.constData(), &followed, 0) == 0 &&
             identityOf(followed) == identityOf(st))) {
            m_s.message(texts::sameFile(shownName(name), m_move), MB_OK | MB_ICONSTOP);
            noteSkip(EINVAL);
            m_refused = top;
            return Step::Skipped;
        }
        const bool srcDir = S_ISDIR(st.st_mode);
        const bool dstDir = S_ISDIR(dst.st_mode);
        if (srcDir != dstDir) {
            const Step s = onError(
                name, srcDir ? texts::reasonFolderOntoFile() : texts::reasonFileOntoFolder(),
                EEXIST);
            if (s == Step::Ok)
                continue;
            return s;
        }
        Decision d;
        if (top && m_published.count(identityOf(dst))) {
            const int answer = m_s.choose(texts::sameNameInRequest(shownName(name), m_move),
                                          texts::yesNoCancel(), MB_ICONEXCLAMATION);
            d = answer == texts::OnlyYes  ? Decision::Go
                : answer == texts::OnlyNo ? Decision::Skip
                                          : Decision::Cancel;
            if (d == Decision::Cancel)
                m_s.cancel();
        } else if (srcDir) {
            d = top ? askWithAll(texts::mergeFolder(shownName(name)), &m_mergeAll) : Decision::Go;
        } else {
            d = askReplace(name, dst, st);
        }
        if (d == Decision::Cancel)
            return Step::Cancelled;
        if (d == Decision::Skip) {
            noteSkip(EEXIST);
            return Step::Skipped;
        }
        *existing = srcDir ? Existing::Merge : Existing::Replace;
        return Step::Ok;
    }
}

Step Transfer::copyEntry(int srcDirFd, const QByteArray& name, struct stat st, int dstDirFd,
                         const QByteArray& dstDirPath, Existing existing, bool direct)
{
    for (;;) {
        if (m_s.cancelled())
            return Step::Cancelled;
        m_s.setCurrent(name);
        if (S_ISDIR(st.st_mode))
            return copyFolder(srcDirFd, name, st, dstDirFd, dstDirPath, existing, direct);
        int e;
        struct stat copied = st;
        const CopyOptions options{m_sameVolume, m_durable, existing == Existing::Replace, direct};
        QString reason;
        if (S_ISREG(st.st_mode)) {
            e = copyRegularFile(m_s, srcDirFd, name, dstDirFd, name, options, &copied);
            reason = reasonText(e);
        } else if (S_ISLNK(st.st_mode)) {
            e = copySymlink(m_s, srcDirFd, name, dstDirFd, name, options);
            reason = reasonText(e);
        } else {
            e = EINVAL; // FIFOs, devices and sockets are never read
            reason = texts::reasonSpecialFile();
        }
        if (e == 0) {
            // Only a move needs to know what it made (to roll back) and what it copied
            // (to remove).
            if (m_move) {
                if (existing != Existing::Replace)
                    m_created.push_back(joinPath(dstDirPath, name));
                m_copied[identityOf(copied)] = {copied.st_size, copied.st_mtim};
            }
            m_s.addItem();
            return Step::Ok;
        }
        if (e == CodeCancelled)
            return Step::Cancelled;
        if (e == EEXIST && existing == Existing::Absent) {
            // Something took the name since it was examined: ask as for any clash.
            if (const int le = lstatAt(srcDirFd, name, &st))
                return onError(name, texts::errnoText(le), le) == Step::Cancelled ? Step::Cancelled
                                                                                  : Step::Skipped;
            const Step s = resolve(dstDirFd, name, st, false, &existing);
            if (s != Step::Ok)
                return s;
            continue;
        }
        const Step s = onError(name, reason, errnoOf(e));
        if (s != Step::Ok)
            return s;
        if (const int le = lstatAt(srcDirFd, name, &st)) {
            const Step vanished = onError(name, texts::errnoText(le), le);
            if (vanished != Step::Ok)
                return vanished;
        }
    }
}

// A new folder of a copy is filled under a temporary name and renamed to its own name
// when complete, so its files can be written under their own names at once and a cancel
// or a crash never leaves a partial tree under the folder's name. A move keeps the files'
// own temporary names instead: it must know each entry it made to roll back.
Step Transfer::copyFolder(int srcDirFd, const QByteArray& name, const struct stat& st, int dstDirFd,
                          const QByteArray& dstDirPath, Existing existing, bool direct)
{
    const QByteArray path = joinPath(dstDirPath, name);
    const bool underTemp = !m_move && !direct && existing != Existing::Merge;
    QByteArray made = name;
    bool created = false;
    while (existing != Existing::Merge) {
        if (underTemp)
            made = temporaryName();
        // 0700 until filled, so a read-only source folder can still be filled.
        if (::mkdirat(dstDirFd, made.constData(), 0700) == 0) {
            created = true;
            if (!underTemp)
                m_created.push_back(path);
            break;
        }
        const int e = errno;
        if (e == EEXIST && underTemp)
            continue;
        const Step s = e == EEXIST ? resolve(dstDirFd, name, st, false, &existing)
                                   : onError(name, texts::errnoText(e), e);
        if (s != Step::Ok)
            return s;
    }
    const auto discard = [&] {
        if (!created)
            return;
        if (underTemp)
            removeTree(dstDirFd, made);
        else if (::unlinkat(dstDirFd, made.constData(), AT_REMOVEDIR) == 0)
            m_created.pop_back();
    };
    Fd src, dst;
    QList<QByteArray> names;
    QList<unsigned char> types;
    for (;;) {
        names.clear();
        types.clear();
        int e = openDirAt(srcDirFd, name, &src);
        if (!e)
            e = openDirAt(dstDirFd, made, &dst);
        if (!e)
            e = listDir(src.get(), &names, &types);
        if (!e)
            break;
        const Step s = onError(name, texts::errnoText(e), e);
        if (s == Step::Ok)
            continue;
        discard();
        return s;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray& child = names[i];
        if (m_s.cancelled()) {
            if (underTemp)
                discard();
            return Step::Cancelled;
        }
        struct stat cst = {};
        if (created && types[i] == DT_REG) {
            // Nothing to compare in a new folder: the copy reads the file's status from
            // the open file itself.
            cst.st_mode = S_IFREG;
        } else if (lstatAt(src.get(), child, &cst) != 0) {
            continue; // gone since the folder was read
        }
        Existing ex = Existing::Absent;
        if (!created) {
            const Step s = resolve(dst.get(), child, cst, false, &ex);
            if (s == Step::Cancelled)
                return s;
            if (s == Step::Skipped)
                continue;
        }
        if (copyEntry(src.get(), child, cst, dst.get(), path, ex, underTemp || direct) ==
            Step::Cancelled) {
            if (underTemp)
                discard();
            return Step::Cancelled;
        }
    }
    if (created) {
        copyUserXattrs(src.get(), dst.get());
        struct stat dstSt;
        if (::fstat(dst.get(), &dstSt) == 0)
            ::fchmod(dst.get(), modeForCopy(st, dstSt));
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(dst.get(), times);
    }
    if (m_durable)
        ::fsync(dst.get());
    while (underTemp) {
        const int e = renameNoReplace(dstDirFd, made, dstDirFd, name);
        if (e == 0)
            break;
        const Step s = onError(name, texts::errnoText(e), e);
        if (s != Step::Ok) {
            discard();
            return s;
        }
    }
    m_copied[identityOf(st)] = {st.st_size, st.st_mtim};
    m_s.addItem();
    return Step::Ok;
}

Step Transfer::renameInto(int srcDirFd, const QByteArray& name, const struct stat& st, int dstDirFd,
                          Existing existing)
{
    for (;;) {
        if (m_s.cancelled())
            return Step::Cancelled;
        if (existing == Existing::Merge)
            return mergeByRename(srcDirFd, name, dstDirFd);
        const int e =
            existing == Existing::Replace
                ? (::renameat(srcDirFd, name.constData(), dstDirFd, name.constData()) == 0 ? 0
                                                                                           : errno)
                : renameNoReplace(srcDirFd, name, dstDirFd, name);
        if (e == 0) {
            m_s.addItem();
            return Step::Ok;
        }
        if (e == EXDEV)
            return Step::OtherVolume;
        const Step s = e == EEXIST ? resolve(dstDirFd, name, st, false, &existing)
                                   : onError(name, texts::errnoText(e), e);
        if (s != Step::Ok)
            return s;
    }
}

Step Transfer::mergeByRename(int srcDirFd, const QByteArray& name, int dstDirFd)
{
    Fd src, dst;
    QList<QByteArray> names;
    for (;;) {
        names.clear();
        int e = openDirAt(srcDirFd, name, &src);
        if (!e)
            e = openDirAt(dstDirFd, name, &dst);
        if (!e)
            e = listDir(src.get(), &names);
        if (!e)
            break;
        const Step s = onError(name, texts::errnoText(e), e);
        if (s != Step::Ok)
            return s;
    }
    for (const QByteArray& child : names) {
        struct stat cst;
        if (lstatAt(src.get(), child, &cst) != 0)
            continue;
        Existing ex;
        Step s = resolve(dst.get(), child, cst, false, &ex);
        if (s == Step::Cancelled)
            return s;
        if (s == Step::Skipped)
            continue;
        m_s.setCurrent(child);
        s = renameInto(src.get(), child, cst, dst.get(), ex);
        if (s == Step::OtherVolume) {
            // A volume mounted inside the source folder: its mount point stays.
            s = onError(child, texts::errnoText(EXDEV), EXDEV) == Step::Cancelled ? Step::Cancelled
                                                                                  : Step::Skipped;
        }
        if (s == Step::Cancelled)
            return s;
    }
    // Fails while skipped entries remain inside: the folder then stays where it was.
    if (::unlinkat(srcDirFd, name.constData(), AT_REMOVEDIR) == 0)
        m_s.addItem();
    return Step::Ok;
}

Step Transfer::removeCopied(int srcDirFd, const QByteArray& name, int depth)
{
    for (;;) {
        struct stat st;
        if (lstatAt(srcDirFd, name, &st) != 0)
            return Step::Ok;
        const auto copied = m_copied.find(identityOf(st));
        if (copied == m_copied.end())
            return Step::Ok; // skipped, or added since: it stays
        int e = 0;
        if (S_ISDIR(st.st_mode)) {
            Fd sub;
            QList<QByteArray> names;
            if (depth < 4096 && openDirAt(srcDirFd, name, &sub) == 0 &&
                listDir(sub.get(), &names) == 0) {
                for (const QByteArray& child : names)
                    if (removeCopied(sub.get(), child, depth + 1) == Step::Cancelled)
                        return Step::Cancelled;
            }
            if (::unlinkat(srcDirFd, name.constData(), AT_REMOVEDIR) != 0 && errno != ENOTEMPTY)
                e = errno;
        } else if (copied->second.size != st.st_size ||
                   !sameTime(copied->second.mtime, st.st_mtim)) {
            const Step s = onError(name, texts::reasonSourceChanged(), EBUSY);
            return s == Step::Cancelled ? s : Step::Skipped;
        } else if (::unlinkat(srcDirFd, name.constData(), 0) != 0) {
            e = errno;
        }
        if (e == 0 || e == ENOENT)
            return Step::Ok;
        const Step s = onError(name, texts::errnoText(e), e);
        if (s != Step::Ok)
            return s;
    }
}

Step Transfer::removeSources(int srcDirFd, const QByteArray& name)
{
    for (;;) {
        const int f = m_s.fault(FaultPoint::RemoveSource, name);
        if (f == 0)
            break;
        if (f == CancelFault)
            return Step::Cancelled;
        const Step s = onError(name, texts::errnoText(f), f);
        if (s != Step::Ok)
            return s;
    }
    return removeCopied(srcDirFd, name, 0);
}

void Transfer::rollBack()
{
    // Only entries this item made: replaced targets keep their new, complete content.
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
        struct stat st;
        if (::lstat(it->constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            ::rmdir(it->constData());
        else
            ::unlink(it->constData());
    }
    m_created.clear();
}

void Transfer::transferItem(const QByteArray& source, int destFd, const QByteArray& destPath,
                            const struct stat& destSt, FileOperationItem* item)
{
    m_skipped = 0;
    m_firstError = 0;
    m_refused = false;
    m_created.clear();
    m_copied.clear();

    const auto finish = [&](Step s) {
        if (s == Step::Cancelled) {
            item->outcome = ItemOutcome::Cancelled;
            item->error = ECANCELED;
        } else if (s == Step::Skipped) {
            item->outcome = m_refused ? ItemOutcome::Failed : ItemOutcome::Skipped;
            item->error = m_firstError ? m_firstError : EEXIST;
        } else {
            item->outcome = m_skipped ? ItemOutcome::Partial : ItemOutcome::Done;
            item->error = m_firstError;
        }
    };

    const QByteArray name = baseName(source);
    if (name.isEmpty() || name == "." || name == "..") {
        m_s.message(texts::cannot(action(), shownName(source), texts::errnoText(EINVAL)),
                    MB_OK | MB_ICONSTOP);
        m_refused = true;
        noteSkip(EINVAL);
        return finish(Step::Skipped);
    }
    m_s.setCurrent(name);
    Fd parent;
    struct stat st;
    for (;;) {
        int e = openDirAt(AT_FDCWD, parentPath(source), &parent, true);
        if (!e)
            e = lstatAt(parent.get(), name, &st);
        if (!e)
            break;
        const Step s = onError(name, texts::errnoText(e), e);
        if (s != Step::Ok)
            return finish(s);
    }
    if (S_ISDIR(st.st_mode) && isSameOrBelow(destFd, identityOf(st))) {
        m_s.message(texts::intoItself(shownName(name), m_move), MB_OK | MB_ICONSTOP);
        m_refused = true;
        noteSkip(EINVAL);
        return finish(Step::Skipped);
    }
    Existing existing;
    Step s = resolve(destFd, name, st, true, &existing);
    if (s != Step::Ok)
        return finish(s);

    m_sameVolume = st.st_dev == destSt.st_dev;
    s = Step::OtherVolume;
    if (m_move && m_sameVolume)
        s = renameInto(parent.get(), name, st, destFd, existing);
    if (s == Step::OtherVolume) {
        // A move across volumes is a copy that reaches the disk before any source goes.
        m_durable = m_move;
        s = copyEntry(parent.get(), name, st, destFd, destPath, existing);
        if (m_move) {
            if (s == Step::Cancelled)
                rollBack();
            else if (s == Step::Ok)
                s = removeSources(parent.get(), name) == Step::Cancelled ? Step::Cancelled : s;
        }
    }
    struct stat published;
    if (s != Step::Skipped && lstatAt(destFd, name, &published) == 0)
        m_published.insert(identityOf(published));
    finish(s);
}

void Transfer::run(const QList<QByteArray>& sources, const QByteArray& destination,
                   FileOperationResult* result)
{
    for (const QByteArray& source : sources) {
        FileOperationItem item;
        item.nativeSource = source;
        result->items.push_back(item);
    }

    m_s.setTotalsScanner(
        [sources, destination, move = m_move](Session& session, const std::atomic<bool>& stop) {
            scanTotals(session, sources, destination, move, stop);
        });

    struct stat destSt = {};
    Fd dest;
    for (FileOperationItem& item : result->items) {
        if (m_s.cancelled())
            break;
        bool skip = false;
        while (!dest.valid()) {
            int e = openDirAt(AT_FDCWD, destination, &dest, true);
            if (!e && ::fstat(dest.get(), &destSt) != 0)
                e = errno;
            if (!e)
                break;
            dest.reset();
            m_skipped = 0;
            m_firstError = 0;
            const Step s = onError(baseName(destination), texts::errnoText(e), e);
            if (s == Step::Ok)
                continue;
            item.outcome = s == Step::Cancelled ? ItemOutcome::Cancelled : ItemOutcome::Skipped;
            item.error = s == Step::Cancelled ? ECANCELED : e;
            skip = true;
            break;
        }
        if (skip)
            continue;
        transferItem(item.nativeSource, dest.get(), destination, destSt, &item);
    }
    for (FileOperationItem& item : result->items)
        if (item.outcome == ItemOutcome::Cancelled && !item.error)
            item.error = ECANCELED;
}

} // namespace

void runTransfer(Session& session, const QList<QByteArray>& sources, const QByteArray& destination,
                 FileOperationResult* result)
{
    Transfer(session).run(sources, destination, result);
}

} // namespace quorix::platform::fileops
