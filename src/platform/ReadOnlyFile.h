#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace quorix::platform {

// A plain file opened for reading only, for parsers that read a few parts of a file (the
// icon of a program met while listing). Folders, FIFOs, devices and sockets are never
// opened, so a hostile entry in a folder cannot make the listing wait.
class ReadOnlyFile
{
public:
    // nullptr when the path cannot be opened or is no plain file.
    static std::unique_ptr<ReadOnlyFile> open(const QString& logical);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    qint64 size() const { return m_size; }
    // Up to length bytes from offset; fewer at the end of the file or on an error.
    QByteArray read(qint64 offset, qint64 length);

private:
    ReadOnlyFile(int fd, qint64 size) : m_fd(fd), m_size(size) {}
    int m_fd;
    qint64 m_size;
};

} // namespace quorix::platform
