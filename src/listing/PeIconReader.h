#pragma once

#include <QByteArray>

#include <optional>

namespace quorix {

// Random access to the bytes of a file; reads past the end return fewer bytes.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    virtual QByteArray read(qint64 offset, qint64 length) = 0;
};

// Bytes held in memory (tests, fuzzing).
class MemoryByteSource : public ByteSource
{
public:
    explicit MemoryByteSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    qint64 size() const override { return m_bytes.size(); }
    QByteArray read(qint64 offset, qint64 length) override;

private:
    QByteArray m_bytes;
};

// Largest icon image taken out of a program file.
inline constexpr qint64 kMaxIconImageBytes = 1 << 20;

// The first icon group of a Windows program (PE) file as a one-image ".ico" file: the image
// of the group closest to 16 x 16 pixels. Empty when the file is not a PE file, has no icon
// or is damaged. Reads only the headers, the resource directory and that one image.
std::optional<QByteArray> firstProgramIcon(ByteSource& file);

} // namespace quorix
