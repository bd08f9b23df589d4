// Copy speed of the file-operation engine against cp in the same run, on one volume:
//   copy large ratio R   one large file (1 GiB; QUORIX_BENCH_COPY_MB sets the size in MiB)
//   copy small ratio R   10 000 files of 4 KiB in 100 folders, against cp -r
// R is the engine's time divided by cp's; each side runs five times in turns (the order
// alternating), the fastest run of each counts, so a busy machine disturbs it least.

#include "platform/fileops/FileOperation.h"
#include "platform/fileops/NativeFs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace quorix::platform;

namespace {

void writeFile(const QByteArray& path, qint64 size)
{
    fileops::Fd fd(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 31 + i / 977);
    for (qint64 done = 0; done < size;) {
        const qint64 n = qMin<qint64>(block.size(), size - done);
        if (::write(fd.get(), block.constData(), size_t(n)) != n) {
            std::fprintf(stderr, "cannot write %s\n", path.constData());
            std::exit(1);
        }
        done += n;
    }
}

void removeAll(const QByteArray& folder)
{
    fileops::Fd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QList<QByteArray> names;
    fileops::listDir(fd.get(), &names);
    for (const QByteArray& n : names)
        fileops::removeTree(fd.get(), n);
}

double timeEngine(const QByteArray& source, const QByteArray& target)
{
    removeAll(target);
    ::sync();
    QElapsedTimer t;
    t.start();
    const auto r = runNativeFileOperation({FileOperationKind::Copy, {source}, target, nullptr});
    const double s = t.nsecsElapsed() / 1e9;
    if (!r.succeeded()) {
        std::fprintf(stderr, "engine copy failed: %d\n", r.code);
        std::exit(1);
    }
    return s;
}

double timeCp(const QStringList& args)
{
    ::sync();
    QElapsedTimer t;
    t.start();
    if (QProcess::execute(QStringLiteral("cp"), args) != 0) {
        std::fprintf(stderr, "cp failed\n");
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e9;
}

double ratio(const char* what, const QByteArray& source, const QByteArray& target,
             const QStringList& cpArgs)
{
    double engine = 1e9, cp = 1e9;
    for (int run = 0; run < 5; ++run) {
        removeAll(target);
        if (run % 2) {
            engine = qMin(engine, timeEngine(source, target));
            removeAll(target);
            cp = qMin(cp, timeCp(cpArgs));
        } else {
            cp = qMin(cp, timeCp(cpArgs));
            engine = qMin(engine, timeEngine(source, target));
        }
    }
    removeAll(target);
    std::printf("copy %s: engine %.3f s, cp %.3f s\n", what, engine, cp);
    return engine / cp;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quorix-bench-copy-XXXXXX"));
    if (!dir.isValid())
        return 1;
    const QByteArray base = QFile::encodeName(dir.path());
    const QByteArray target = base + "/target";
    ::mkdir(target.constData(), 0755);

    bool ok = false;
    qint64 mib = qEnvironmentVariableIntValue("QUORIX_BENCH_COPY_MB", &ok);
    if (!ok || mib <= 0)
        mib = 1024;
    const QByteArray large = base + "/large.bin";
    writeFile(large, mib * 1024 * 1024);
    const QString targetText = QFile::decodeName(target);
    const double largeRatio =
        ratio("large", large, target, {QFile::decodeName(large), targetText + QStringLiteral("/")});
    ::unlink(large.constData());
    std::printf("copy large ratio %.2f (%lld MiB)\n", largeRatio, mib);

    const QByteArray small = base + "/small";
    ::mkdir(small.constData(), 0755);
    for (int d = 0; d < 100; ++d) {
        const QByteArray folder = small + "/d" + QByteArray::number(d);
        ::mkdir(folder.constData(), 0755);
        for (int f = 0; f < 100; ++f)
            writeFile(folder + "/f" + QByteArray::number(f) + ".dat", 4096);
    }
    const double smallRatio =
        ratio("small", small, target,
              {QStringLiteral("-r"), QFile::decodeName(small), targetText + QStringLiteral("/")});
    std::printf("copy small ratio %.2f\n", smallRatio);
    std::fflush(stdout);
    return 0;
}
