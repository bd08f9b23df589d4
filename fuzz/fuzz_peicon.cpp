// Feeds arbitrary bytes to the reader of program icons, which meets every ".EXE" file in a
// listed folder; it must neither crash, hang nor read out of bounds.
//
// Inputs whose first byte is odd are not read as they stand: the rest is XORed onto a valid
// program file with an icon, so the mutations reach the resource directory and the icon
// group instead of failing at the first header check.
#include "../tests/listing/PeBuilder.h"
#include "listing/PeIconReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size > 0 && (data[0] & 1)) {
        static const QByteArray valid = quorix::test::buildPeWithIcon(0x0A141E);
        QByteArray patched = valid;
        for (size_t i = 1; i < size && qsizetype(i - 1) < patched.size(); ++i)
            patched[qsizetype(i - 1)] = char(patched[qsizetype(i - 1)] ^ data[i]);
        if (size - 1 > size_t(valid.size()))
            patched += bytes.mid(qsizetype(valid.size()) + 1);
        bytes = patched;
    }
    quorix::MemoryByteSource source(bytes);
    const std::optional<QByteArray> ico = quorix::firstProgramIcon(source);
    if (ico && ico->size() < 22)
        __builtin_trap(); // an icon file always has its directory and one entry
    return 0;
}
