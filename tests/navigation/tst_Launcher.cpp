#include "support/TestMain.h"

#include "support/DriveSandbox.h"
#include "RecordingLauncher.h"
#include "platform/Launcher.h"

#include <QFile>
#include <QTest>

using namespace quorix;
using namespace Qt::StringLiterals;
using platform::shellOpenArguments;

namespace {

// A program that writes each of its arguments, one a line, to out.
void writeArgvScript(const QString& script, const QString& out)
{
    QFile f(script);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" + out.toUtf8() + "'\n");
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class LauncherTest : public QObject
{
    Q_OBJECT

private slots:
    void splitting_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("spaces") << u"prog a  b\tc "_s
                                << QStringList{u"prog"_s, u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("quoted program")
            << u"\"C:\\Program Files\\ed.exe\" C:\\A.TXT"_s
            << QStringList{u"C:\\Program Files\\ed.exe"_s, u"C:\\A.TXT"_s};
        QTest::newRow("quotes group") << u"p \"a b\" c"_s << QStringList{u"p"_s, u"a b"_s, u"c"_s};
        QTest::newRow("quotes inside a word")
            << u"p a\"b c\"d"_s << QStringList{u"p"_s, u"ab cd"_s};
        QTest::newRow("escaped quote") << u"p a\\\"b"_s << QStringList{u"p"_s, u"a\"b"_s};
        QTest::newRow("even backslashes")
            << u"p a\\\\\"b c\""_s << QStringList{u"p"_s, u"a\\b c"_s};
        QTest::newRow("plain backslashes")
            << u"p C:\\DIR\\ C:\\A\\B"_s << QStringList{u"p"_s, u"C:\\DIR\\"_s, u"C:\\A\\B"_s};
        QTest::newRow("quoted folder ending in backslash")
            << u"p \"C:\\DIR\\\" x"_s << QStringList{u"p"_s, u"C:\\DIR\" x"_s};
        QTest::newRow("doubled quote inside quotes")
            << u"p \"a\"\"b\""_s << QStringList{u"p"_s, u"a\"b"_s};
        QTest::newRow("empty argument") << u"p \"\" x"_s << QStringList{u"p"_s, QString(), u"x"_s};
        QTest::newRow("program keeps backslash before quote")
            << u"\"C:\\A\\\"B x"_s << QStringList{u"C:\\A\\B"_s, u"x"_s};
        QTest::newRow("metacharacters are text")
            << u"p ;rm -rf ~ $(x) `y` |z &"_s << QStringList{u"p"_s,    u";rm"_s, u"-rf"_s, u"~"_s,
                                                             u"$(x)"_s, u"`y`"_s, u"|z"_s,  u"&"_s};
        QTest::newRow("blank") << u"   "_s << QStringList{};
    }
    void splitting()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        QCOMPARE(platform::splitCommandLine(line), words);
    }

    // Logical paths become native ones; unknown drives and other words stay text.
    void argumentVectors()
    {
        test::DriveSandbox drives({u"C"_s, u"D"_s});
        drives.mkdir(u'C', u"Program Files"_s);
        drives.write(u'C', u"Program Files/ed"_s);
        drives.write(u'D', u"A.TXT"_s);
        const QByteArray c = drives.root(u'C').toUtf8();
        const QByteArray d = drives.root(u'D').toUtf8();

        QCOMPARE(shellOpenArguments(u"C:\\Program Files\\ed"_s, u"D:\\A.TXT -n Q:\\X"_s),
                 (QList<QByteArray>{c + "/Program Files/ed", d + "/A.TXT", "-n", "Q:\\X"}));
        // Unquoted file names with spaces are several words, as on the original platform.
        QCOMPARE(shellOpenArguments(u"vi"_s, u"D:\\MY FILE.TXT"_s),
                 (QList<QByteArray>{"vi", d + "/MY", "FILE.TXT"}));
        QCOMPARE(shellOpenArguments(u"vi"_s, u"\"D:\\MY FILE.TXT\""_s),
                 (QList<QByteArray>{"vi", d + "/MY FILE.TXT"}));
        QCOMPARE(shellOpenArguments(u"vi"_s, u"D:"_s), (QList<QByteArray>{"vi", d}));
    }

    void documentsOpenThroughTheDesktop()
    {
        test::DriveSandbox drives;
        drives.write(u'C', u"A.TXT"_s, "#!/bin/sh\n"); // a document, even with that head
        drives.write(u'C', u"run.sh"_s, "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(drives.native(u'C', u"run.sh"_s),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray c = drives.root(u'C').toUtf8();

        test::RecordingLauncher launcher;
        platform::ShellOpen(u"C:\\A.TXT"_s, QString());
        platform::ShellOpen(u"C:\\run.sh"_s, QString());
        platform::ShellOpen(u"C:\\run.sh"_s, u"C:\\A.TXT"_s);
        QCOMPARE(launcher.started.size(), 3);
        QCOMPARE(launcher.started[0], (QList<QByteArray>{"xdg-open", c + "/A.TXT"}));
        QCOMPARE(launcher.started[1], (QList<QByteArray>{c + "/run.sh"}));
        QCOMPARE(launcher.started[2], (QList<QByteArray>{c + "/run.sh", c + "/A.TXT"}));
    }

    // A real program receives a hostile file name byte for byte, and nothing in the name
    // is run.
    void hostileNameReachesProgramAsText()
    {
        test::DriveSandbox drives;
        const QString hostile = u"; rm -rf ~ $(touch PWNED) `touch PWNED2` & x"_s;
        drives.write(u'C', hostile, "data");
        const QString out = drives.native(u'C', u"out.txt"_s);
        writeArgvScript(drives.native(u'C', u"args.sh"_s), out);

        const QByteArray c = drives.root(u'C').toUtf8();
        platform::ShellOpen(u"C:\\args.sh"_s, u'"' + u"C:\\"_s + hostile + u"\" tail"_s);
        QTRY_VERIFY_WITH_TIMEOUT(readAll(out).endsWith("tail\n"), 10000);
        QCOMPARE(readAll(out), c + "/args.sh\n" + c + '/' + hostile.toUtf8() + "\ntail\n");
        QVERIFY(!QFile::exists(u"PWNED"_s));
        QVERIFY(!QFile::exists(drives.native(u'C', u"PWNED"_s)));
    }

    // A program file named with shell metacharacters starts by itself.
    void hostileProgramNameStarts()
    {
        test::DriveSandbox drives;
        const QString name = u"run; touch PWNED $(touch PWNED)"_s;
        const QString out = drives.native(u'C', u"out.txt"_s);
        writeArgvScript(drives.native(u'C', name), out);
        platform::ShellOpen(u"C:\\"_s + name, QString());
        QTRY_VERIFY_WITH_TIMEOUT(!readAll(out).isEmpty(), 10000);
        QCOMPARE(readAll(out), drives.native(u'C', name).toUtf8() + '\n');
        QVERIFY(!QFile::exists(u"PWNED"_s));
    }

    void missingProgramIsNotStarted()
    {
        QVERIFY(!platform::Launcher::instance().startDetached({"/nonexistent/program"}));
        QVERIFY(!platform::Launcher::instance().startDetached({"quorix-no-such-program"}));
        QVERIFY(platform::Launcher::instance().startDetached({"true"}));
    }
};

QUORIX_TEST(LauncherTest)
#include "tst_Launcher.moc"
