#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace quorix {

// One type of file seen in this run: its key, its image in the main image list (decimal
// text, as stored) and its type name.
struct TypeCacheEntry
{
    QString key;
    QString imageIndex;
    QString typeName;
};

// Types of the files met during the run of the program, numbered from 17 in order of first
// appearance; never cleared. A hash index over the keys keeps lookups constant-time.
class TypeCache
{
public:
    static constexpr int kFirstNumber = 17;
    static constexpr int kLastNumber = 9998;
    static constexpr int kCapacity = kLastNumber - kFirstNumber + 1; // 9982

    // TypeCacheCount: the highest number in use, 16 while empty.
    int count() const { return kFirstNumber - 1 + int(m_entries.size()); }
    bool isFull() const { return int(m_entries.size()) >= kCapacity; }

    // Number of the entry with exactly this key, 0 when there is none.
    int find(const QString& key) const { return m_index.value(key, 0); }
    // The entry of a number from kFirstNumber to count().
    const TypeCacheEntry& entry(int number) const
    {
        return m_entries[size_t(number - kFirstNumber)];
    }
    // Stores a new entry under the next number and returns it; 0 when the cache is full.
    int add(TypeCacheEntry entry);

private:
    std::vector<TypeCacheEntry> m_entries;
    QHash<QString, int> m_index;
};

// The cache key of a file name: the whole upper-case name of a ".EXE" program, otherwise
// the upper-case extension with its "." (empty without one).
QString typeCacheKey(const QString& fileName);

} // namespace quorix
