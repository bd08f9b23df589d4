#include "platform/PathMapping.h"

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/Utf8.h"

#include <QList>

namespace quorix::platform {

namespace {

bool isForbiddenAscii(unsigned char c)
{
    switch (c) {
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return c < 0x20;
    }
}

bool isEscape(char16_t c)
{
    return c >= EscapeBase && c <= EscapeBase + 0xFF;
}

void appendEscaped(QString& out, const unsigned char* p, int n)
{
    for (int i = 0; i < n; ++i)
        out.append(QChar(char16_t(EscapeBase + p[i])));
}

QByteArray joinNative(const QByteArray& root, const QList<QByteArray>& parts)
{
    QByteArray path = root == "/" ? QByteArray() : root;
    for (const QByteArray& part : parts) {
        path.append('/');
        path.append(part);
    }
    return path.isEmpty() ? QByteArray("/") : path;
}

} // namespace

QString nameFromNative(const QByteArray& component)
{
    const auto* p = reinterpret_cast<const unsigned char*>(component.constData());
    const auto* end = p + component.size();
    QString out;
    out.reserve(component.size());
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            if (isForbiddenAscii(c))
                out.append(QChar(char16_t(EscapeBase + c)));
            else
                out.append(QLatin1Char(char(c)));
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int n = utf8SequenceLength(p, end, &cp);
        if (n == 0 || isEscape(char16_t(cp < 0x10000 ? cp : 0))) {
            appendEscaped(out, p, n == 0 ? 1 : n);
        } else if (cp < 0x10000) {
            out.append(QChar(char16_t(cp)));
        } else {
            const char32_t u = cp - 0x10000;
            out.append(QChar(char16_t(0xD800 + (u >> 10))));
            out.append(QChar(char16_t(0xDC00 + (u & 0x3FF))));
        }
        p += n == 0 ? 1 : n;
    }
    return out;
}

QByteArray nameToNative(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    const auto* s = reinterpret_cast<const char16_t*>(name.utf16());
    const qsizetype size = name.size();
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype to) {
        if (to > runStart)
            out.append(QStringView(s + runStart, to - runStart).toUtf8());
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (isEscape(s[i])) {
            flushRun(i);
            out.append(char(s[i] - EscapeBase));
            runStart = i + 1;
        }
    }
    flushRun(size);
    return out;
}

QString displayName(const QString& reversibleName)
{
    bool plain = true;
    for (QChar c : reversibleName) {
        if (isEscape(c.unicode())) {
            plain = false;
            break;
        }
    }
    if (plain)
        return reversibleName;

    const QByteArray native = nameToNative(reversibleName);
    if (!isValidUtf8(native)) {
        bool ok = false;
        const QString sjis = fromCp932(native, &ok);
        bool printable = ok;
        for (QChar c : sjis)
            printable = printable && c.unicode() >= 0x20 && c.unicode() != 0x7F;
        if (printable)
            return sjis;
    }

    // Show what is UTF-8 as it is and the rest as \xNN.
    QString out;
    const auto* p = reinterpret_cast<const unsigned char*>(native.constData());
    const auto* end = p + native.size();
    while (p < end) {
        char32_t cp = 0;
        const int n = *p < 0x80 ? (*p >= 0x20 ? 1 : 0) : utf8SequenceLength(p, end, &cp);
        if (n == 0) {
            out.append(QStringLiteral("\\x") +
                       QString::number(uint(*p), 16).toUpper().rightJustified(2, QLatin1Char('0')));
            ++p;
        } else {
            out.append(QString::fromUtf8(reinterpret_cast<const char*>(p), n));
            p += n;
        }
    }
    return out;
}

NativeTarget resolveLogical(const QString& logical)
{
    NativeTarget target;
    if (logical.size() < 2 || logical.at(1) != QLatin1Char(':'))
        return target;
    const QChar letter = logical.at(0).toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('Z'))
        return target;
    const QStringView rest = QStringView(logical).mid(2);
    if (!rest.isEmpty() && rest.front() != QLatin1Char('\\') && rest.front() != QLatin1Char('/'))
        return target; // drive-relative ("C:DATA") is not supported
    target.letter = letter;
    const std::optional<Drive> drive = DriveTable::current().drive(letter);
    if (!drive) {
        target.status = NativeTarget::NoDrive;
        return target;
    }
    if (drive->root.isEmpty()) {
        target.status = NativeTarget::NoMedium;
        return target;
    }

    QList<QByteArray> parts;
    qsizetype start = 0;
    while (start <= rest.size()) {
        qsizetype next = start;
        while (next < rest.size() && rest[next] != QLatin1Char('\\') &&
               rest[next] != QLatin1Char('/'))
            ++next;
        const QStringView part = rest.mid(start, next - start);
        if (part == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (!part.isEmpty() && part != QLatin1String("."))
            parts.append(nameToNative(part.toString()));
        start = next + 1;
    }
    target.status = NativeTarget::Ok;
    target.isRoot = parts.isEmpty();
    target.path = joinNative(drive->root, parts);
    return target;
}

QByteArray toNative(const QString& logical, bool* ok)
{
    const NativeTarget target = resolveLogical(logical);
    if (ok)
        *ok = target.status == NativeTarget::Ok;
    return target.path;
}

QString toLogical(const QByteArray& native)
{
    if (!native.startsWith('/'))
        return {};
    std::optional<Drive> best;
    for (const Drive& drive : DriveTable::current().drives()) {
        const QByteArray& root = drive.root;
        if (root.isEmpty())
            continue;
        const bool holds = root == "/" || native == root ||
                           (native.startsWith(root) && native.at(root.size()) == '/');
        if (holds && (!best || root.size() > best->root.size()))
            best = drive;
    }
    if (!best)
        return {};
    QString logical = QString(best->letter) + QLatin1Char(':');
    const QByteArray rest = best->root == "/" ? native.mid(1) : native.mid(best->root.size() + 1);
    for (const QByteArray& part : rest.split('/')) {
        if (part.isEmpty())
            continue;
        logical += QLatin1Char('\\') + nameFromNative(part);
    }
    return logical;
}

} // namespace quorix::platform
