#include "settings/StoredFile.h"

#include "platform/CodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace quorix::settings {

namespace {

std::function<void(qint64)>& writeProbe()
{
    static std::function<void(qint64)> probe;
    return probe;
}

constexpr qint64 WriteChunk = 64 * 1024;

} // namespace

FileReadResult readStoredFile(const QString& nativePath)
{
    FileReadResult result;
    QFile file(nativePath);
    if (!file.exists()) {
        result.status = FileReadResult::Missing;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = FileReadResult::Unreadable;
        result.errorText = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = FileReadResult::Unreadable;
        result.errorText = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.status = FileReadResult::Read;
    return result;
}

FileWriteResult writeStoredFile(const QString& nativePath, const QByteArray& bytes)
{
    QSaveFile file(nativePath);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = std::min(WriteChunk, bytes.size() - done);
        if (file.write(bytes.constData() + done, n) != n) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return {false, reason};
        }
        done += n;
        if (writeProbe())
            writeProbe()(done);
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

QString decodeStoredText(const QByteArray& bytes, bool* hadBom)
{
    if (hadBom)
        *hadBom = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (hadBom)
            *hadBom = true;
        return platform::decodeLocalText(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        if (hadBom)
            *hadBom = true;
        // Broken surrogates become U+FFFD, as in the other decodings.
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    return platform::decodeLocalText(bytes);
}

void setStoredWriteProbeForTests(std::function<void(qint64)> probe)
{
    writeProbe() = std::move(probe);
}

} // namespace quorix::settings
