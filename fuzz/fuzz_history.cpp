// History files come from disk: parsing and pushing must never crash or hang.
#include "settings/HistoryList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quorix::settings;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList entries = parseHistory(bytes);
    const QString text = entries.isEmpty() ? QString() : entries.back();
    pushHistory(entries, text, size % 2 ? HistoryMatch::Exact : HistoryMatch::AsciiCaseless);
    if (entries.size() > HistoryList::MaxEntries)
        __builtin_trap();
    return 0;
}
