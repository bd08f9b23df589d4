#include "settings/IniFile.h"

namespace quorix::settings {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

using LineKind = IniFile::LineKind;

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QStringView name;      // section name or key, without blanks around it
    qsizetype valueAt = 0; // Key: where the value starts (after "=" and the blanks after it)
};

ParsedLine parseLine(QStringView line)
{
    ParsedLine parsed;
    const QStringView body = trimBlanks(line);
    if (body.isEmpty() || body.front() == QLatin1Char(';'))
        return parsed;
    if (body.front() == QLatin1Char('[')) {
        // A header without its closing bracket names the rest of the line.
        QStringView name = body.mid(1);
        const qsizetype close = name.indexOf(QLatin1Char(']'));
        if (close >= 0)
            name = name.left(close);
        parsed.kind = LineKind::Section;
        parsed.name = trimBlanks(name);
        return parsed;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return parsed;
    const QStringView key = trimBlanks(line.left(eq));
    if (key.isEmpty())
        return parsed;
    qsizetype valueAt = eq + 1;
    while (valueAt < line.size() && isBlank(line[valueAt]))
        ++valueAt;
    parsed.kind = LineKind::Key;
    parsed.name = key;
    parsed.valueAt = valueAt;
    return parsed;
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

QString readValue(QStringView raw)
{
    QStringView value = trimBlanks(raw);
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    qsizetype length = std::min(value.size(), IniFile::MaxValueLength);
    // Never keep half of a surrogate pair.
    if (length < value.size() && length > 0 && value[length - 1].isHighSurrogate())
        --length;
    return value.left(length).toString();
}

// The text to put after "=" so that readValue gives value back: line breaks would start
// new lines of the file and become spaces; blanks at either end or a quote pair around the
// value are protected by one more pair of quotes, which the reader removes again.
QString storedValue(const QString& value)
{
    QString text = value;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool needsQuotes =
        !text.isEmpty() &&
        (isBlank(text.front()) || isBlank(text.back()) ||
         (text.size() >= 2 && isQuote(text.front()) && text.back() == text.front()));
    if (needsQuotes)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::Line IniFile::makeLine(QString text, QString end)
{
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const ParsedLine parsed = parseLine(line.text);
    line.kind = parsed.kind;
    line.name = parsed.name.toString();
    line.valueAt = parsed.valueAt;
    return line;
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    const QString text = decodeStoredText(bytes, &ini.m_bom);
    bool newlineSeen = false;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
        Line line =
            makeLine(text.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c));
        if (!newlineSeen) {
            ini.m_newline = line.end;
            newlineSeen = true;
        }
        ini.m_lines.push_back(std::move(line));
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < n)
        ini.m_lines.push_back(makeLine(text.mid(start), QString()));
    return ini;
}

IniFile IniFile::load(const QString& nativePath, FileReadResult::Status* status, QString* errorText)
{
    const FileReadResult read = readStoredFile(nativePath);
    if (status)
        *status = read.status;
    if (errorText)
        *errorText = read.errorText;
    return read.status == FileReadResult::Read ? fromBytes(read.bytes) : IniFile();
}

QByteArray IniFile::toBytes() const
{
    QString text;
    for (const Line& line : m_lines)
        text += line.text + line.end;
    QByteArray bytes = text.toUtf8();
    if (m_bom)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

FileWriteResult IniFile::save(const QString& nativePath) const
{
    return writeStoredFile(nativePath, toBytes());
}

qsizetype IniFile::findSection(QStringView section) const
{
    const QStringView wanted = trimBlanks(section);
    for (qsizetype i = 0; i < lineCount(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::Section && sameName(line.name, wanted))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < lineCount() && m_lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

qsizetype IniFile::findKey(qsizetype header, QStringView key) const
{
    const QStringView wanted = trimBlanks(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::Key && sameName(line.name, wanted))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype at = findKey(header, key);
    if (at < 0)
        return std::nullopt;
    const Line& line = m_lines[at];
    return readValue(QStringView(line.text).mid(line.valueAt));
}

QString IniFile::readString(QStringView section, QStringView key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

int IniFile::readInteger(QStringView section, QStringView key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    return parseInteger(*text).value_or(fallback);
}

void IniFile::insertLine(qsizetype at, const QString& text)
{
    // The line before the new one may be the file's last one without a line break.
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = m_newline;
    m_lines.insert(m_lines.begin() + at, makeLine(text, m_newline));
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString stored = storedValue(value);
    qsizetype header = findSection(section);
    if (header < 0) {
        insertLine(lineCount(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(lineCount(), key + QLatin1Char('=') + stored);
        return;
    }
    const qsizetype at = findKey(header, key);
    if (at >= 0) {
        // Keep the key as the user spelt it, with its blanks around "=".
        Line& line = m_lines[at];
        line = makeLine(line.text.left(line.valueAt) + stored, line.end);
        return;
    }
    // After the section's last key, so that blank lines and comments that lead into the
    // next section stay in front of it.
    qsizetype insertAt = header + 1;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key)
            insertAt = i + 1;
    }
    insertLine(insertAt, key + QLatin1Char('=') + stored);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

std::optional<int> IniFile::parseInteger(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 v = 0;
    for (const QChar c : text) {
        int d = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            d = c.unicode() - '0';
        else if (base == 16 && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            d = c.unicode() - 'a' + 10;
        else if (base == 16 && c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            d = c.unicode() - 'A' + 10;
        if (d < 0)
            return std::nullopt;
        v = v * quint64(base) + quint64(d);
        if (v > limit)
            return std::nullopt;
    }
    const quint32 pattern = quint32(v);
    const quint32 result = negative ? quint32(0u - pattern) : pattern;
    return int(result);
}

} // namespace quorix::settings
