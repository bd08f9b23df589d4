#include "listing/TypeCache.h"

#include "listing/FileMask.h"

namespace quorix {

int TypeCache::add(TypeCacheEntry entry)
{
    if (isFull())
        return 0;
    m_entries.push_back(std::move(entry));
    const int number = count();
    // The first entry of a key wins, as a linear scan from the lowest number would find it.
    if (!m_index.contains(m_entries.back().key))
        m_index.insert(m_entries.back().key, number);
    return number;
}

QString typeCacheKey(const QString& fileName)
{
    // Only the extension is upper-cased unless it turns out to be a program's.
    const QString extension = extensionKey(fileName);
    return extension == u".EXE" ? fileName.toUpper() : extension;
}

} // namespace quorix
