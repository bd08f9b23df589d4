#pragma once

#include "settings/StoredFile.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace quorix::settings {

// A private-profile file ("[Section]" lines and "Key=value" lines) held as its lines, so
// that writing a key changes that one line and leaves every other line, comment, unknown
// key and blank line as the user left it. The reading rules are described in
// docs/settings.md; in short: sections and keys match without case and without blanks
// around them, ";" starts a comment line, the first of duplicate sections or keys counts,
// a value loses blanks around it and one pair of matching quotes, and is read up to
// MaxValueLength characters.
class IniFile
{
public:
    static constexpr qsizetype MaxValueLength = 2047;

    IniFile() = default;

    // Parses the file's bytes (UTF-8 when valid, else CP932; see decodeStoredText).
    static IniFile fromBytes(const QByteArray& bytes);
    // Reads the file; a missing one gives an empty profile. *status tells a missing file
    // from one that exists but cannot be read.
    static IniFile load(const QString& nativePath, FileReadResult::Status* status = nullptr,
                        QString* errorText = nullptr);

    // The lines written back as UTF-8 (with the byte-order mark when the file had one).
    QByteArray toBytes() const;
    FileWriteResult save(const QString& nativePath) const;

    // The value of the key, or nothing when the section or the key is not there.
    std::optional<QString> value(QStringView section, QStringView key) const;
    QString readString(QStringView section, QStringView key, const QString& fallback) const;
    // fallback also when the value does not read as an integer (see parseInteger).
    int readInteger(QStringView section, QStringView key, int fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    // Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$" (up to
    // 0xFFFFFFFF, taken as the 32-bit pattern). Nothing else: no blanks, no trailing text.
    static std::optional<int> parseInteger(QStringView text);

    qsizetype lineCount() const { return qsizetype(m_lines.size()); }

    enum class LineKind { Other, Section, Key };

private:
    struct Line
    {
        QString text;
        QString end; // the line break that followed it: "\r\n", "\n", "\r", or "" at the end
        LineKind kind = LineKind::Other;
        QString name;          // section name or key, without blanks around it
        qsizetype valueAt = 0; // Key: where the value starts in text
    };

    static Line makeLine(QString text, QString end);

    // Index of the first line of the section's header, or -1.
    qsizetype findSection(QStringView section) const;
    // Index of the first key line of the section that starts at header, or -1.
    qsizetype findKey(qsizetype header, QStringView key) const;
    // One past the last line of the section that starts at header.
    qsizetype sectionEnd(qsizetype header) const;
    void insertLine(qsizetype at, const QString& text);

    std::vector<Line> m_lines;
    bool m_bom = false;
    QString m_newline = QStringLiteral("\r\n");
};

} // namespace quorix::settings
