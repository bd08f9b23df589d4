#include "platform/ReadOnlyFile.h"

#include "platform/PathMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorix::platform {

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::open(const QString& logical)
{
    bool ok = false;
    const QByteArray native = toNative(logical, &ok);
    if (!ok)
        return nullptr;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused right after.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd, qint64(st.st_size)));
}

ReadOnlyFile::~ReadOnlyFile()
{
    ::close(m_fd);
}

QByteArray ReadOnlyFile::read(qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return {};
    length = qMin(length, m_size - offset);
    QByteArray buffer(qsizetype(length), Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, buffer.data() + done, size_t(length - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    buffer.truncate(qsizetype(done));
    return buffer;
}

} // namespace quorix::platform
