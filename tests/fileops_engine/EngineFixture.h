#pragma once

// Real folders for the engine's tests, named by native byte paths so that names of any
// byte value can be made and checked.

#include "platform/fileops/FileOperation.h"
#include "platform/fileops/TestHooks.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>

#include <sys/stat.h>

namespace quorix::test {

// A folder made below base (default: the temporary folder of the home volume), removed
// with everything in it when the object goes.
class NativeTempDir
{
public:
    explicit NativeTempDir(const QByteArray& base = {});
    ~NativeTempDir();
    NativeTempDir(const NativeTempDir&) = delete;
    NativeTempDir& operator=(const NativeTempDir&) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    const QByteArray& path() const { return m_path; }
    QByteArray operator/(const QByteArray& name) const { return m_path + '/' + name; }

private:
    QByteArray m_path;
};

// A folder on another volume than the temporary folder (a tmpfs such as /dev/shm), or
// empty when the machine has none.
QByteArray secondVolumeBase();

void writeFile(const QByteArray& path, const QByteArray& content, mode_t mode = 0644);
QByteArray readFile(const QByteArray& path);
void makeDir(const QByteArray& path, mode_t mode = 0755);
bool exists(const QByteArray& path);
struct stat lstatOf(const QByteArray& path);
void setTimes(const QByteArray& path, qint64 mtimeSeconds);
// Names in a folder, sorted; "." and ".." left out.
QList<QByteArray> entries(const QByteArray& folder);
// Every path below folder (relative, sorted), for comparing whole trees.
QList<QByteArray> tree(const QByteArray& folder);

platform::FileOperationResult runNative(platform::FileOperationKind kind,
                                        const QList<QByteArray>& sources,
                                        const QByteArray& destination = {});

// Drops the file-permission overrides of a privileged user for this thread and the
// threads it starts, so a read-only folder is read-only even when the tests run as root.
class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride();
    ~WithoutPermissionOverride();

private:
    bool m_dropped = false;
};

// Installs engine hooks for the scope of a test.
class HookScope
{
public:
    explicit HookScope(const platform::fileops::TestHooks& hooks) : m_hooks(hooks)
    {
        platform::fileops::setTestHooks(&m_hooks);
    }
    ~HookScope() { platform::fileops::setTestHooks(nullptr); }

private:
    platform::fileops::TestHooks m_hooks;
};

} // namespace quorix::test

Q_DECLARE_METATYPE(quorix::platform::FileOperationKind)
