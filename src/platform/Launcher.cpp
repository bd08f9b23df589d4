#include "platform/Launcher.h"

#include "platform/PathMapping.h"

#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorix::platform {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Parses one argument word starting at i (not blank); moves i past it.
QString takeArgument(const QString& s, qsizetype& i)
{
    QString word;
    bool quoted = false;
    while (i < s.size() && (quoted || !isBlank(s[i]))) {
        qsizetype slashes = 0;
        while (i < s.size() && s[i] == u'\\') {
            ++slashes;
            ++i;
        }
        if (i < s.size() && s[i] == u'"') {
            word += QString(slashes / 2, u'\\');
            if (slashes % 2) {
                word += u'"';
                ++i;
            } else if (quoted && i + 1 < s.size() && s[i + 1] == u'"') {
                word += u'"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        word += QString(slashes, u'\\');
        if (i < s.size() && (quoted || !isBlank(s[i])))
            word += s[i++];
    }
    return word;
}

// The program word: quotes group, backslashes are plain characters.
QString takeProgram(const QString& s, qsizetype& i)
{
    QString word;
    bool quoted = false;
    for (; i < s.size() && (quoted || !isBlank(s[i])); ++i) {
        if (s[i] == u'"')
            quoted = !quoted;
        else
            word += s[i];
    }
    return word;
}

void skipBlanks(const QString& s, qsizetype& i)
{
    while (i < s.size() && isBlank(s[i]))
        ++i;
}

bool isLogicalAbsolute(const QString& word)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z]:(\\\\.*)?$"),
                                       QRegularExpression::DotMatchesEverythingOption);
    return re.match(word).hasMatch();
}

// A word as the started program receives it.
QByteArray nativeWord(const QString& word)
{
    if (isLogicalAbsolute(word)) {
        bool ok = false;
        QByteArray native = toNative(word, &ok);
        if (ok)
            return native;
    }
    return word.toUtf8();
}

bool isRegularFile(const QByteArray& native)
{
    struct stat st
    {
    };
    return ::stat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// A file the user may run that is a program rather than a document: an ELF binary or a
// script with "#!". Files on FAT media often carry the execute bit without being programs.
bool isProgramFile(const QByteArray& native)
{
    if (!isRegularFile(native) || ::access(native.constData(), X_OK) != 0)
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    char head[4] = {};
    const ssize_t n = ::read(fd, head, sizeof head);
    ::close(fd);
    return (n >= 2 && head[0] == '#' && head[1] == '!') ||
           (n == 4 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F');
}

// Full path of a bare program name found in PATH; empty when there is none.
QByteArray findInPath(const QByteArray& name)
{
    const QByteArray path = qgetenv("PATH");
    for (const QByteArray& dir : path.split(':')) {
        const QByteArray candidate = (dir.isEmpty() ? QByteArray(".") : dir) + '/' + name;
        if (isRegularFile(candidate) && ::access(candidate.constData(), X_OK) == 0)
            return candidate;
    }
    return {};
}

class PosixLauncher final : public Launcher
{
public:
    bool startDetached(const QList<QByteArray>& argv) override
    {
        if (argv.isEmpty() || argv.first().isEmpty())
            return false;
        const QByteArray program =
            argv.first().contains('/') ? argv.first() : findInPath(argv.first());
        if (program.isEmpty())
            return false;

        // Everything the children use is prepared here: after fork() only
        // async-signal-safe calls are allowed.
        std::vector<char*> args;
        args.reserve(argv.size() + 1);
        for (const QByteArray& a : argv)
            args.push_back(const_cast<char*>(a.constData()));
        args.push_back(nullptr);

        int report[2];
        if (::pipe2(report, O_CLOEXEC) != 0)
            return false;
        const pid_t middle = ::fork();
        if (middle < 0) {
            ::close(report[0]);
            ::close(report[1]);
            return false;
        }
        if (middle == 0) {
            // The middle child exits at once, so the program is adopted by init and never
            // becomes a zombie of the file manager.
            if (::fork() == 0) {
                ::setsid();
                sigset_t none;
                sigemptyset(&none);
                ::sigprocmask(SIG_SETMASK, &none, nullptr);
                ::signal(SIGPIPE, SIG_DFL);
                // Only standard input, output and error are handed on.
                ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
                ::execve(program.constData(), args.data(), environ);
                const int error = errno;
                [[maybe_unused]] ssize_t w = ::write(report[1], &error, sizeof error);
                ::_exit(127);
            }
            ::_exit(0);
        }
        ::close(report[1]);
        int status = 0;
        while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t n;
        while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        ::close(report[0]);
        return n == 0;
    }
};

PosixLauncher g_posixLauncher;
Launcher* g_launcher = nullptr;

} // namespace

Launcher& Launcher::instance()
{
    return g_launcher ? *g_launcher : g_posixLauncher;
}

void Launcher::install(Launcher* launcher)
{
    g_launcher = launcher;
}

QStringList splitArguments(const QString& arguments)
{
    QStringList words;
    qsizetype i = 0;
    for (skipBlanks(arguments, i); i < arguments.size(); skipBlanks(arguments, i))
        words.append(takeArgument(arguments, i));
    return words;
}

QStringList splitCommandLine(const QString& commandLine)
{
    qsizetype i = 0;
    skipBlanks(commandLine, i);
    if (i >= commandLine.size())
        return {};
    QStringList words{takeProgram(commandLine, i)};
    words += splitArguments(commandLine.mid(i));
    return words;
}

QList<QByteArray> shellOpenArguments(const QString& path, const QString& args)
{
    if (args.isEmpty()) {
        if (path.isEmpty())
            return {};
        const QByteArray native = nativeWord(path);
        if (isProgramFile(native))
            return {native};
        if (!native.contains('/')) {
            const QByteArray found = findInPath(native);
            if (!found.isEmpty() && isProgramFile(found))
                return {found};
        }
        return {QByteArrayLiteral("xdg-open"), native};
    }

    const QString line = path + u' ' + args;
    qsizetype start = 0;
    skipBlanks(line, start);
    QString program;
    QString rest;
    if (start < line.size() && line[start] != u'"') {
        // Try "C:\Program", then "C:\Program Files\ed.exe", ...: the first that is a file.
        for (qsizetype i = start; i <= line.size(); ++i) {
            if (i < line.size() && !isBlank(line[i]))
                continue;
            const QString candidate = line.mid(start, i - start);
            if (isLogicalAbsolute(candidate) && isRegularFile(nativeWord(candidate))) {
                program = candidate;
                rest = line.mid(i);
                break;
            }
        }
    }
    QStringList words;
    if (program.isEmpty()) {
        words = splitCommandLine(line);
    } else {
        words = QStringList{program} + splitArguments(rest);
    }
    QList<QByteArray> argv;
    for (const QString& w : std::as_const(words))
        argv.append(nativeWord(w));
    return argv;
}

void ShellOpen(const QString& path, const QString& args)
{
    const QList<QByteArray> argv = shellOpenArguments(path, args);
    if (!argv.isEmpty())
        Launcher::instance().startDetached(argv);
}

} // namespace quorix::platform
