#pragma once

#include <QByteArray>
#include <QtEndian>

namespace quorix::test {

// Builds a minimal 32-bit Windows program file whose resources hold one icon group with one
// 16 x 16 image of a single colour 0xRRGGBB (or no resources at all).
inline QByteArray buildPeWithIcon(quint32 colour, bool withIcon = true)
{
    QByteArray f(0x200, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, f.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, f.data() + at); };
    f[0] = 'M';
    f[1] = 'Z';
    put32(0x3C, 0x40);
    f.replace(0x40, 4, QByteArray("PE\0\0", 4));
    put16(0x44, 0x14C); // i386
    put16(0x46, 1);     // one section
    put16(0x54, 224);   // optional header size
    const int opt = 0x58;
    put16(opt, 0x10B);
    put32(opt + 92, 16);
    const int table = opt + 224;
    f.replace(table, 5, QByteArray(".rsrc"));
    if (!withIcon)
        return f;

    // Resource section at file offset 0x200, RVA 0x1000.
    QByteArray r(0x100, '\0');
    auto r16 = [&](int at, quint16 v) { qToLittleEndian(v, r.data() + at); };
    auto r32 = [&](int at, quint32 v) { qToLittleEndian(v, r.data() + at); };
    auto dir = [&](int at, quint32 id, quint32 target) {
        r16(at + 14, 1);
        r32(at + 16, id);
        r32(at + 20, target);
    };
    // root: RT_ICON (3) -> 0x30, RT_GROUP_ICON (14) -> 0x60
    r16(14, 2);
    r32(16, 3);
    r32(20, 0x80000000u | 0x30);
    r32(24, 14);
    r32(28, 0x80000000u | 0x60);
    dir(0x30, 1, 0x80000000u | 0x48);   // icon id 1
    dir(0x48 - 0, 0x411, 0xA0);         // its language -> data entry 0xA0 (dir at 0x48 is 24 bytes)
    dir(0x60, 100, 0x80000000u | 0x78); // group id 100
    dir(0x78, 0x411, 0xB0);
    const quint32 imageAt = 0x100, imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    const quint32 groupAt = imageAt + imageSize;
    r32(0xA0, 0x1000 + imageAt);
    r32(0xA4, imageSize);
    r32(0xB0, 0x1000 + groupAt);
    r32(0xB4, 6 + 14);

    QByteArray image(int(imageSize), '\0');
    qToLittleEndian<quint32>(40, image.data());
    qToLittleEndian<qint32>(16, image.data() + 4);
    qToLittleEndian<qint32>(32, image.data() + 8);
    qToLittleEndian<quint16>(1, image.data() + 12);
    qToLittleEndian<quint16>(32, image.data() + 14);
    for (int i = 0; i < 256; ++i)
        qToLittleEndian<quint32>(colour | 0xFF000000u, image.data() + 40 + i * 4);
    r += image;

    QByteArray group(6 + 14, '\0');
    qToLittleEndian<quint16>(1, group.data() + 2);
    qToLittleEndian<quint16>(1, group.data() + 4);
    group[6] = 16;
    group[7] = 16;
    qToLittleEndian<quint16>(1, group.data() + 10);
    qToLittleEndian<quint16>(32, group.data() + 12);
    qToLittleEndian<quint32>(imageSize, group.data() + 14);
    qToLittleEndian<quint16>(1, group.data() + 18);
    r += group;

    put32(opt + 96 + 16, 0x1000);
    put32(opt + 96 + 20, quint32(r.size()));
    put32(table + 8, quint32(r.size()));  // virtual size
    put32(table + 12, 0x1000);            // virtual address
    put32(table + 16, quint32(r.size())); // raw size
    put32(table + 20, 0x200);             // raw offset
    return f + r;
}

} // namespace quorix::test
