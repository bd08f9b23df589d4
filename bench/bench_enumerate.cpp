// Lists a folder of 100 000 files through the platform layer and compares the time with
// `ls -l` on the same folder (CPU time, best of three runs each).
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorix::platform;

namespace {

qint64 toNs(const timeval& tv)
{
    return qint64(tv.tv_sec) * 1000000000 + qint64(tv.tv_usec) * 1000;
}

qint64 cpuNanoseconds(int who)
{
    struct rusage usage
    {
    };
    getrusage(who, &usage);
    return toNs(usage.ru_utime) + toNs(usage.ru_stime);
}

// CPU time of `ls -l folder` with its output thrown away.
qint64 lsCpuNanoseconds(const QByteArray& folder)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execlp("ls", "ls", "-l", folder.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage
    {
    };
    wait4(pid, &status, 0, &usage);
    return toNs(usage.ru_utime) + toNs(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QByteArray root = dir.path().toLocal8Bit();
    for (int i = 0; i < count; ++i) {
        const QByteArray name = root + "/file" + QByteArray::number(i) + ".txt";
        const int fd = open(name.constData(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0 || write(fd, "x", 1) != 1)
            return 1;
        close(fd);
    }
    DriveTable::setCurrentForTests(DriveTable::fromSpec("C=" + root));

    // CPU time (user + system), which a busy machine disturbs far less than wall time.
    qint64 ours = -1;
    size_t entries = 0;
    for (int run = 0; run < 3; ++run) {
        const qint64 before = cpuNanoseconds(RUSAGE_SELF);
        const EnumResult r = enumerate(QStringLiteral("C:\\*.*"));
        const qint64 ns = cpuNanoseconds(RUSAGE_SELF) - before;
        entries = r.entries.size();
        ours = ours < 0 ? ns : std::min(ours, ns);
    }
    qint64 ls = -1;
    for (int run = 0; run < 3; ++run) {
        const qint64 ns = lsCpuNanoseconds(root);
        ls = ls < 0 ? ns : std::min(ls, ns);
    }
    std::printf("enumerate: %zu entries, %.1f ms CPU; ls -l: %.1f ms CPU; ratio %.2f\n", entries,
                double(ours) / 1e6, double(ls) / 1e6, double(ours) / double(ls));
    nftw(
        root.constData(),
        [](const char* path, const struct stat*, int, struct FTW*) {
            remove(path);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
    return 0;
}
