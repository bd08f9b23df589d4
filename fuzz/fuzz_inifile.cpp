// Settings files come from disk: parsing, reading every key, writing every key and
// parsing the result again must never crash or hang, whatever the bytes.
#include "settings/IniFile.h"
#include "settings/Settings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quorix::settings;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    IniFile ini = IniFile::fromBytes(bytes);
    Settings settings = readSettings(ini);
    writeSettings(settings, ini);
    const IniFile again = IniFile::fromBytes(ini.toBytes());
    if (!(readSettings(again) == settings))
        __builtin_trap(); // what was written must read back
    return 0;
}
