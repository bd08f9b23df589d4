#include "platform/DosAttributes.h"

#include <cerrno>
#include <cstdio>
#include <sys/xattr.h>

namespace quorix::platform {

quint32 parseDosAttrib(const char* value, qsizetype size)
{
    if (size < 3 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return 0;
    quint32 bits = 0;
    for (qsizetype i = 2; i < size && i < 10; ++i) {
        const char c = value[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        bits = (bits << 4) | quint32(digit);
    }
    return bits;
}

bool readDosAttrib(const char* path, quint32* bits)
{
    *bits = 0;
    char value[256];
    const ssize_t n = getxattr(path, DosAttribName, value, sizeof value);
    if (n >= 0) {
        *bits = parseDosAttrib(value, n);
        return true;
    }
    return errno != ENOTSUP;
}

int writeDosAttrib(const char* path, quint32 bits)
{
    if (bits == 0) {
        if (removexattr(path, DosAttribName) == 0 || errno == ENODATA || errno == ENOTSUP)
            return 0;
        return errno;
    }
    char text[16];
    const int n = std::snprintf(text, sizeof text, "0x%x", bits);
    return setxattr(path, DosAttribName, text, size_t(n), 0) == 0 ? 0 : errno;
}

} // namespace quorix::platform
