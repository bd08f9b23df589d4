// Listing benchmark: a folder of 100 000 files with mixed extensions and 300 folders, listed
// by the program's own RefreshFileList (full read, then a re-sort), against `ls -l` on the
// same folder in the same run. The last two lines are the figures:
//   listing refresh/ls-l ratio R
//   listing resort seconds S

#include "../tests/listing/PeBuilder.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"
#include "listing/FolderListing.h"
#include "navigation/SortCompare.h"
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

using namespace quorix;

namespace {

constexpr int kFiles = 100000;
constexpr int kFolders = 300;
constexpr int kRuns = 3;

const char* const kExtensions[] = {"txt", "cpp", "h",    "jpg", "png",  "pdf", "doc", "xls",
                                   "zip", "mp3", "html", "md",  "json", "xyz", "log", "csv"};

bool makeFolder(const QString& path)
{
    QDir dir(path);
    const QByteArray pe = quorix::test::buildPeWithIcon(0x3060A0);
    for (int i = 0; i < kFolders; ++i) {
        if (!dir.mkdir(QStringLiteral("folder %1").arg(i, 3, 10, QLatin1Char('0'))))
            return false;
    }
    for (int i = 0; i < kFiles; ++i) {
        QString name;
        if (i % 1000 == 0)
            name = QStringLiteral("Program%1.exe").arg(i / 1000);
        else if (i % 97 == 0)
            name = QStringLiteral("README%1").arg(i);
        else
            name = QStringLiteral("%1 File_%2.%3")
                       .arg(i % 3 == 0 ? QStringLiteral("report") : QStringLiteral("Data"))
                       .arg((i * 7919) % kFiles, 6, 10, QLatin1Char('0'))
                       .arg(QLatin1String(kExtensions[i % std::size(kExtensions)]));
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        if (name.endsWith(QLatin1String(".exe")))
            f.write(pe);
        else
            f.write(QByteArray((i * 131) % 4000, 'x'));
    }
    return true;
}

double seconds(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

double timeLsL(const QString& folder)
{
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    ls.start(QStringLiteral("ls"), {QStringLiteral("-l"), folder});
    ls.waitForFinished(-1);
    return seconds(t);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // QUORIX_BENCH_DIR keeps the generated folder between runs (for profiling).
    const QString kept = qEnvironmentVariable("QUORIX_BENCH_DIR");
    QTemporaryDir temporary;
    if (kept.isEmpty() && !temporary.isValid())
        return 1;
    const QDir root(kept.isEmpty() ? temporary.path() : kept);
    const QString big = root.filePath(QStringLiteral("BIG"));
    if (!QDir(big).exists()) {
        QDir().mkpath(big);
        std::printf("generating %d files and %d folders ...\n", kFiles, kFolders);
        std::fflush(stdout);
        if (!makeFolder(big))
            return 1;
    }
    qputenv("QUORIX_DRIVES", (QStringLiteral("C=/;Q=") + root.path()).toUtf8());
    platform::DriveTable::reload();

    TForm1 form;
    createDialogs(&form);
    form.FileMask = QStringLiteral("*.*");
    form.FileSort = QStringLiteral("N");
    form.SortMuki = QStringLiteral("U");
    form.CurrentDir = QStringLiteral("Q:\\BIG");
    form.show();
    // The first listing of the run fills the type cache, as starting the program would.
    QElapsedTimer first;
    first.start();
    while (!form.firstListingMade())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    std::printf("first listing (type cache empty) %.3f s, %d rows\n", seconds(first),
                form.ListModel->rowCount());

    double refresh = 1e9, ls = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        form.RefreshFileList(false, true, false);
        QCoreApplication::processEvents(); // the view lays out and paints the new rows
        refresh = std::min(refresh, seconds(t));
        ls = std::min(ls, timeLsL(big));
    }
    double enumerate = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        const platform::EnumResult r = platform::enumerate(QStringLiteral("Q:\\BIG\\*.*"));
        enumerate = std::min(enumerate, seconds(t));
        if (run == 0) {
            // Where the rest of the time goes, for whoever tunes this.
            FileMaskMatcher mask(QStringLiteral("*.*"));
            RowBuildContext context;
            context.currentDir = QStringLiteral("Q:\\BIG");
            context.mask = &mask;
            context.typeCache = &form.TypeCache;
            std::vector<ListRow> files;
            FolderStaging folders;
            t.restart();
            buildListRows(r.entries, context, files, folders);
            const double build = seconds(t);
            t.restart();
            folders.rows();
            sortFileRows(files, SortByName, false);
            const double sort = seconds(t);
            t.restart();
            FileListModel model;
            model.setRows(std::move(files));
            std::printf("rows %.3f s, name sort %.3f s, model %.3f s\n", build, sort, seconds(t));
        }
    }
    std::printf("full refresh %.3f s (best of %d; enumeration alone %.3f s), ls -l %.3f s\n",
                refresh, kRuns, enumerate, ls);

    double resort = 0;
    for (const char* key : {"S", "T", "D", "A", "N"}) {
        form.FileSort = QString::fromLatin1(key);
        QElapsedTimer t;
        t.start();
        form.RefreshFileList(false, true, true);
        QCoreApplication::processEvents();
        const double s = seconds(t);
        std::printf("re-sort by %s %.3f s\n", key, s);
        resort = std::max(resort, s);
    }
    if (form.ListModel->rowCount() != kFiles + kFolders + 1)
        std::printf("unexpected row count %d\n", form.ListModel->rowCount());
    std::printf("listing refresh/ls-l ratio %.3f\n", refresh / ls);
    std::printf("listing resort seconds %.3f\n", resort);
    return 0;
}
