// Names, mount tables, drive specs and attribute values come from outside: mapping them
// must never crash, and a native name must always map back to the same bytes.
#include "platform/CodePage.h"
#include "platform/DosAttributes.h"
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"
#include "platform/Mounts.h"
#include "platform/PathMapping.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quorix::platform;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    QByteArray name = bytes;
    name.replace('/', 'x').replace('\0', 'y');
    const QString reversible = nameFromNative(name);
    if (nameToNative(reversible) != name)
        __builtin_trap();
    (void)displayName(reversible);
    (void)displayName(QString::fromUtf8(bytes));

    bool ok = false;
    const QString text = fromCp932(bytes, &ok);
    (void)toCp932(text, &ok);
    (void)decodeLocalText(bytes);

    const qsizetype cut = bytes.indexOf('\n');
    if (cut >= 0)
        (void)wildcardMatch(QString::fromUtf8(bytes.left(cut)),
                            QString::fromUtf8(bytes.mid(cut + 1)));

    for (const MountEntry& mount : parseMounts(bytes))
        (void)kindForMount(mount, DriveKind::Fixed);
    (void)DriveTable::fromSpec(bytes).drives();
    (void)parseDosAttrib(bytes.constData(), bytes.size());
    return 0;
}
