#include "listing/FileMask.h"

namespace quorix {

QStringList splitMaskPatterns(const QString& mask)
{
    QStringList patterns;
    QString rest = mask;
    auto takeBefore = [&](QChar separator) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            return;
        if (patterns.size() < kMaxMaskPatterns)
            patterns.append(rest.left(at));
        rest.remove(0, at + 1);
    };
    while (rest.contains(u',') || rest.contains(u'|')) {
        takeBefore(u',');
        takeBefore(u'|');
    }
    if (!rest.isEmpty() && patterns.size() < kMaxMaskPatterns)
        patterns.append(rest);
    return patterns;
}

QString extensionKey(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return QString();
    // An ASCII extension is upper-cased by hand: this runs for every file of a listing, and
    // the general case mapping costs several times more.
    const QStringView extension = QStringView(name).mid(dot);
    QString upper(extension.size(), Qt::Uninitialized);
    QChar* out = upper.data();
    for (qsizetype i = 0; i < extension.size(); ++i) {
        const char16_t c = extension[i].unicode();
        if (c >= 0x80)
            return extension.toString().toUpper();
        out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    return upper;
}

FileMaskMatcher::FileMaskMatcher(const QString& fileMask)
{
    m_multi = fileMask.contains(u',') || fileMask.contains(u'|');
    if (m_multi) {
        m_patterns = splitMaskPatterns(fileMask);
        for (const QString& p : std::as_const(m_patterns))
            m_keys.append(p.mid(1).toUpper());
    } else if (fileMask == u"*.*") {
        m_all = true;
    } else {
        m_keys.append(fileMask.mid(1).toUpper());
    }
}

bool FileMaskMatcher::matches(const QString& fileName) const
{
    if (m_all)
        return true;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QStringView extension = dot < 0 ? QStringView() : QStringView(fileName).mid(dot);
    // Plain ASCII extensions (nearly all) compare without building an upper-case copy.
    bool ascii = true;
    for (QChar c : extension)
        ascii = ascii && c.unicode() < 0x80;
    if (!ascii)
        return m_keys.contains(extension.toString().toUpper());
    for (const QString& key : m_keys) {
        if (key.size() == extension.size() && key.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace quorix
