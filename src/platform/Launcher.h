#pragma once

// Starting programs and opening documents. Nothing here goes through a shell: every
// program gets an argument vector, and file names reach it as plain bytes.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quorix::platform {

// Starts processes. The program installs nothing and gets the real one; tests install a
// recording launcher so that nothing is started behind their back.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // Starts argv[0] (a native path, or a bare name looked up in PATH) with argv as its
    // arguments, in the current working folder and environment, and does not wait for it.
    // Returns whether the program was started.
    virtual bool startDetached(const QList<QByteArray>& argv) = 0;

    // The launcher in force.
    static Launcher& instance();
    // Installs launcher (not owned); nullptr restores the real one.
    static void install(Launcher* launcher);
};

// Splits a command line into words as Windows programs parse theirs: words are separated
// by spaces and tabs; double quotes group words and are removed; inside a word 2n
// backslashes before a quote give n backslashes and the quote counts as a quote, 2n + 1
// give n backslashes and a literal quote; "" inside quotes is a literal quote; other
// backslashes are kept. The first word, the program, is taken without backslash escapes.
QStringList splitCommandLine(const QString& commandLine);

// As splitCommandLine, for the arguments after the program.
QStringList splitArguments(const QString& arguments);

// The argument vector ShellOpen starts (see there); empty when there is nothing to start.
QList<QByteArray> shellOpenArguments(const QString& path, const QString& args);

// Starts a program or opens a document, without waiting and without a result.
// - args empty: a program file (an executable binary or script) is started by itself;
//   any other path is handed to the desktop's "open" action (xdg-open), so a document
//   opens in its associated program.
// - otherwise the command line path + " " + args is split into words (splitCommandLine);
//   when the line does not start with a quote, the program is the shortest run of words
//   that names an existing file, so an unquoted program path with spaces still starts.
// Every word that is an absolute logical path ("C:", "C:\DATA\A.TXT") of a known drive is
// passed as its native path; the rest as UTF-8 text. No working folder is set: programs
// inherit the file manager's, which it never changes.
void ShellOpen(const QString& path, const QString& args);

} // namespace quorix::platform
