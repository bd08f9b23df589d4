#include "platform/CodePage.h"
#include "platform/Utf8.h"

#include <cerrno>
#include <iconv.h>

namespace quorix::platform {

namespace {

// One converter per direction and thread; iconv_open is far dearer than a conversion.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts in; an input unit without a mapping is replaced by replacement and skipped
    // (unitSize tells how many bytes it has). Returns false when that happened.
    template <typename UnitSize>
    bool convert(const char* in, size_t inLeft, QByteArray& out, const QByteArray& replacement,
                 UnitSize unitSize)
    {
        out.clear();
        if (!valid())
            return false;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        bool clean = true;
        char* src = const_cast<char*>(in);
        QByteArray buffer(qsizetype(inLeft * 2 + 16), Qt::Uninitialized);
        while (true) {
            char* dst = buffer.data();
            size_t dstLeft = size_t(buffer.size());
            const size_t rc = iconv(m_cd, inLeft ? &src : nullptr, &inLeft, &dst, &dstLeft);
            out.append(buffer.constData(), buffer.size() - qsizetype(dstLeft));
            if (rc != size_t(-1)) {
                if (inLeft == 0)
                    break;
                continue;
            }
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a sequence cut off at the end): replace one unit and go on.
            clean = false;
            out.append(replacement);
            const size_t n = std::min(unitSize(src, inLeft), inLeft);
            src += n;
            inLeft -= n;
            if (inLeft == 0)
                break;
        }
        return clean;
    }

private:
    iconv_t m_cd;
};

Converter& decoder()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

} // namespace

QString fromCp932(const QByteArray& bytes, bool* ok)
{
    QByteArray utf16;
    static const QByteArray replacement("\xFD\xFF", 2); // U+FFFD, little endian
    const bool clean =
        decoder().convert(bytes.constData(), size_t(bytes.size()), utf16, replacement,
                          [](const char*, size_t) -> size_t { return 1; });
    if (ok)
        *ok = clean;
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray toCp932(const QString& text, bool* ok)
{
    QByteArray out;
    // A character outside the BMP is one unit of two UTF-16 code units.
    auto unitSize = [](const char* at, size_t left) -> size_t {
        const auto high = char16_t(uchar(at[0]) | (uchar(at[1]) << 8));
        return left >= 4 && QChar::isHighSurrogate(high) ? 4 : 2;
    };
    const bool clean = encoder().convert(reinterpret_cast<const char*>(text.utf16()),
                                         size_t(text.size()) * 2, out, QByteArray("?"), unitSize);
    if (ok)
        *ok = clean;
    return out;
}

int utf8SequenceLength(const unsigned char* p, const unsigned char* end, char32_t* codePoint)
{
    const unsigned char c = *p;
    int n;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 2;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 3;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (end - p <= n)
        return 0;
    for (int i = 1; i <= n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    *codePoint = cp;
    return n + 1;
}

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int n = utf8SequenceLength(p, end, &cp);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

QString decodeLocalText(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromCp932(bytes);
}

} // namespace quorix::platform
