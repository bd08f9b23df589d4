#pragma once

#include <QString>
#include <QStringList>

namespace quorix {

// Most patterns a multi-pattern mask holds; further patterns are ignored.
inline constexpr int kMaxMaskPatterns = 5;

// Splits a mask holding "," or "|" into its patterns: each pass takes the text before the
// first "," and then the text before the first "|", so "A|B,C" gives "A|B" and "C".
// Empty patterns between separators are kept (they list files without an extension).
QStringList splitMaskPatterns(const QString& mask);

// The upper-case extension of a name, the "." included; empty without a ".".
QString extensionKey(const QString& name);

// Decides which files a mask lists. Masks filter by extension only: a pattern's key is the
// pattern without its first character, so "*.TXT" and "?.TXT" both list every ".txt" file
// and "*" lists only files without an extension.
class FileMaskMatcher
{
public:
    explicit FileMaskMatcher(const QString& fileMask);

    bool matches(const QString& fileName) const;
    bool isMultiPattern() const { return m_multi; }
    // The patterns of a multi-pattern mask, in the order they are used.
    const QStringList& patterns() const { return m_patterns; }

private:
    bool m_all = false;
    bool m_multi = false;
    QStringList m_patterns;
    QStringList m_keys;
};

} // namespace quorix
