#include "platform/DosAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/PathMapping.h"
#include "platform/SystemError.h"
#include "platform/VolumeCheck.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quorix::platform {

namespace {

char16_t fold(char16_t c)
{
    return c < 0x80 ? (c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c) : QChar::toCaseFolded(c);
}

bool matchFrom(const char16_t* p, const char16_t* pEnd, const char16_t* n, const char16_t* nEnd)
{
    // Greedy matching with one backtrack point per star: linear in practice.
    const char16_t* starP = nullptr;
    const char16_t* starN = nullptr;
    while (n < nEnd) {
        if (p < pEnd && *p == u'*') {
            starP = ++p;
            starN = n;
        } else if (p < pEnd && (*p == u'?' || fold(*p) == fold(*n))) {
            ++p;
            ++n;
        } else if (starP) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pEnd && *p == u'*')
        ++p;
    return p == pEnd;
}

bool hasWildcard(const QString& pattern)
{
    return pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'));
}

EnumResult failure(int code)
{
    EnumResult result;
    result.code = code;
    result.errorText = systemErrorText(code);
    return result;
}

int openErrorCode(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return winerror::PathNotFound;
    default:
        return windowsErrorFromErrno(error);
    }
}

// Builds entries from one directory descriptor; the full path is needed for the
// extended attribute only.
class EntryReader
{
public:
    EntryReader(int dirFd, const QByteArray& folder) : m_dirFd(dirFd), m_path(folder)
    {
        if (!m_path.endsWith('/'))
            m_path.append('/');
        m_folderLength = m_path.size();
    }

    // False when the entry vanished before it could be looked at.
    bool read(const char* nativeName, unsigned char type, const QString& name, DirEntry* entry)
    {
        struct stat st
        {
        };
        bool known = fstatat(m_dirFd, nativeName, &st, 0) == 0;
        if (!known && errno == ENOENT) {
            if (type != DT_LNK && type != DT_UNKNOWN)
                return false; // removed meanwhile
            // A link whose target is missing is still an entry of its own.
            known = fstatat(m_dirFd, nativeName, &st, AT_SYMLINK_NOFOLLOW) == 0;
            if (!known)
                return false;
        }
        *entry = DirEntry{};
        entry->name = name;
        quint32 attributes = 0;
        if (known) {
            if (S_ISDIR(st.st_mode))
                attributes |= FA_DIRECTORY;
            if (!(st.st_mode & S_IWUSR))
                attributes |= FA_READONLY;
            entry->size = S_ISDIR(st.st_mode) ? 0 : qint64(st.st_size);
            entry->lastWrite = m_clock.fromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        } else if (type == DT_DIR) {
            attributes |= FA_DIRECTORY;
        }
        const bool dotEntry = name == QLatin1String(".") || name == QLatin1String("..");
        if (!dotEntry && name.startsWith(QLatin1Char('.')))
            attributes |= FA_HIDDEN;
        if (m_xattrs && !dotEntry) {
            m_path.truncate(m_folderLength);
            m_path.append(nativeName);
            quint32 dos = 0;
            m_xattrs = readDosAttrib(m_path.constData(), &dos);
            attributes |= dos & (FA_HIDDEN | FA_SYSTEM | FA_ARCHIVE);
        }
        entry->attributes = attributes;
        return true;
    }

private:
    int m_dirFd;
    QByteArray m_path;
    qsizetype m_folderLength = 0;
    bool m_xattrs = true;
    LocalClock m_clock;
};

// A name read from the folder, held in one shared buffer until its entry is made.
struct PendingName
{
    qsizetype offset;
    qsizetype length;
    unsigned char type;
};

// Makes the entries of names[from, to) in order.
void readRange(EntryReader& reader, const std::vector<PendingName>& names, const QByteArray& bytes,
               size_t from, size_t to, std::vector<DirEntry>& out)
{
    DirEntry entry;
    for (size_t i = from; i < to; ++i) {
        const char* raw = bytes.constData() + names[i].offset;
        const QString name = nameFromNative(QByteArray::fromRawData(raw, names[i].length));
        if (reader.read(raw, names[i].type, name, &entry))
            out.push_back(std::move(entry));
    }
}

// Folders with fewer entries are read on one thread.
constexpr size_t kSecondThreadFrom = 2000;

void readPending(EntryReader& reader, EntryReader second, const std::vector<PendingName>& names,
                 const QByteArray& bytes, std::vector<DirEntry>& out)
{
    out.reserve(out.size() + names.size());
    if (names.size() < kSecondThreadFrom) {
        readRange(reader, names, bytes, 0, names.size(), out);
        return;
    }
    const size_t half = names.size() / 2;
    std::vector<DirEntry> rest;
    rest.reserve(names.size() - half);
    std::thread helper([&] { readRange(second, names, bytes, half, names.size(), rest); });
    readRange(reader, names, bytes, 0, half, out);
    helper.join();
    std::move(rest.begin(), rest.end(), std::back_inserter(out));
}

} // namespace

bool wildcardMatch(const QString& pattern, const QString& name)
{
    const auto* p = reinterpret_cast<const char16_t*>(pattern.utf16());
    const auto* n = reinterpret_cast<const char16_t*>(name.utf16());
    if (matchFrom(p, p + pattern.size(), n, n + name.size()))
        return true;
    // "NAME.*" also finds "NAME": the extension part may be missing altogether.
    if (pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')))
        return matchFrom(p, p + pattern.size() - 2, n, n + name.size());
    return false;
}

EnumResult enumerate(const QString& logicalPattern)
{
    qsizetype cut = std::max(logicalPattern.lastIndexOf(QLatin1Char('\\')),
                             logicalPattern.lastIndexOf(QLatin1Char('/')));
    if (cut < 0 && logicalPattern.size() >= 2 && logicalPattern.at(1) == QLatin1Char(':'))
        cut = 1; // "C:*.*"
    if (cut < 0)
        return failure(winerror::PathNotFound);
    const QString folder = logicalPattern.left(std::max<qsizetype>(cut, 2));
    const QString pattern = logicalPattern.mid(cut + 1);

    const NativeTarget target = resolveLogical(folder);
    if (target.status == NativeTarget::NoMedium)
        return failure(winerror::NotReady);
    if (target.status != NativeTarget::Ok)
        return failure(winerror::PathNotFound);

    const int fd = open(target.path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (target.isRoot && !volumeMounted(target.letter, target.path))
            return failure(winerror::NotReady);
        return failure(openErrorCode(error));
    }
    if (target.isRoot && !volumeMounted(target.letter, target.path)) {
        close(fd);
        return failure(winerror::NotReady);
    }
    DIR* dir = fdopendir(fd);
    if (!dir) {
        const int error = errno;
        close(fd);
        return failure(windowsErrorFromErrno(error));
    }

    EnumResult result;
    EntryReader reader(fd, target.path);
    DirEntry entry;
    // A drive root has no "." and ".." entries, every other folder lists them first.
    if (!target.isRoot) {
        for (const char* dot : {".", ".."}) {
            const QString name = QString::fromLatin1(dot);
            if (wildcardMatch(pattern, name) && reader.read(dot, DT_DIR, name, &entry))
                result.entries.push_back(std::move(entry));
        }
    }
    const bool all = pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
    const bool exact = !hasWildcard(pattern);
    const QByteArray exactNative = exact ? nameToNative(pattern) : QByteArray();
    bool exactDone = false;
    if (exact && !exactNative.isEmpty() && exactNative != "." && exactNative != ".." &&
        exactNative.indexOf('/') < 0) {
        // The entry of exactly that name needs no scan of the folder.
        if (reader.read(exactNative.constData(), DT_UNKNOWN, pattern, &entry)) {
            result.entries.push_back(std::move(entry));
            exactDone = true;
        }
    }
    // The names are read first; the status calls, most of the cost of a large folder, are
    // then shared between this thread and a second one, each with a reader of its own.
    std::vector<PendingName> pending;
    QByteArray nameBytes;
    errno = 0;
    while (!exactDone && !pattern.isEmpty()) {
        const dirent* d = readdir(dir);
        if (!d)
            break;
        const char* raw = d->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        const qsizetype length = qsizetype(strlen(raw));
        if (!all && !wildcardMatch(pattern, nameFromNative(QByteArray::fromRawData(raw, length))))
            continue;
        pending.push_back({nameBytes.size(), length, d->d_type});
        nameBytes.append(raw, length + 1); // with its terminating zero
    }
    readPending(reader, EntryReader(fd, target.path), pending, nameBytes, result.entries);
    closedir(dir);
    if (result.entries.empty())
        return failure(winerror::FileNotFound);
    return result;
}

} // namespace quorix::platform
