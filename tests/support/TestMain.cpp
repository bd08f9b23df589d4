#include "support/TestMain.h"

#include "platform/ProgramPath.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <map>
#include <string>

namespace quorix::test {

namespace {

std::map<std::string, TestFactory>& registry()
{
    static std::map<std::string, TestFactory> tests;
    return tests;
}

QString g_programFolder;

void clearFolder(const QString& path)
{
    QDir dir(path);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            dir.remove(entry.fileName());
    }
}

} // namespace

bool registerTest(const char* name, TestFactory factory)
{
    registry().emplace(name, std::move(factory));
    return true;
}

QString programFolder()
{
    return g_programFolder;
}

} // namespace quorix::test

// Runs every registered test class, or only the one named by the first argument
// (tst_area ClassName [Qt Test options]).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    QTemporaryDir programDir;
    if (!programDir.isValid())
        return 1;
    quorix::test::g_programFolder = programDir.path();
    quorix::platform::setProgramFilePathForTests(programDir.filePath(QStringLiteral("quorix")));

    std::vector<char*> args(argv, argv + argc);
    std::string only;
    if (args.size() > 1 && quorix::test::registry().count(args[1])) {
        only = args[1];
        args.erase(args.begin() + 1);
    }

    int failed = 0;
    for (auto& [name, factory] : quorix::test::registry()) {
        if (!only.empty() && name != only)
            continue;
        std::unique_ptr<QObject> test = factory();
        failed += QTest::qExec(test.get(), int(args.size()), args.data());
        // A main window closed by one test class writes its settings and history files
        // beside the stand-in program file; the next class starts without them.
        quorix::test::clearFolder(programDir.path());
    }
    return failed == 0 ? 0 : 1;
}
