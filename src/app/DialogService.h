#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>

class QObject;

namespace quorix {

// Flag word of a message box: one button set plus one icon.
enum MessageFlags : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

// Result codes of message boxes and modal dialogs.
enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Buttons of the positioned "警告" question.
enum class WarningButtons { YesNo, YesOnly };

// A progress window of a long operation. Methods are called on the main thread.
class ProgressWindow
{
public:
    virtual ~ProgressWindow() = default;
    virtual void setText(const QString& text) = 0;
    virtual void setProgress(qint64 done, qint64 total) = 0;
    // True once the user pressed the window's cancel button.
    virtual bool cancelRequested() const = 0;
};

// Every message box and modal dialog of the program goes through this service, so that
// tests can answer them from a script. All calls run on the main thread.
class DialogService
{
public:
    virtual ~DialogService() = default;

    // Message box with the platform flag word; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int messageBox(const QString& text, const QString& caption, int flags) = 0;

    // The "警告" question with "はい(&Y)" / "いいえ(&N)", its top-left corner at topLeft.
    // Returns IDYES or IDNO (IDNO also when closed without an answer; YesOnly: IDYES).
    virtual int warning(const QString& text, QPoint topLeft, WarningButtons buttons) = 0;

    // Shows a dialog (a QDialog) modally; returns IDOK when accepted, IDCANCEL otherwise.
    // name is the dialog's class name, used by test scripts to check the order of calls.
    virtual int execModal(QObject* dialog, const QString& name) = 0;

    // Input box; *accepted is false when cancelled (the returned text is then empty).
    virtual QString inputBox(const QString& caption, const QString& prompt,
                             const QString& defaultText, bool* accepted) = 0;

    // Folder chooser opening at startLogical; returns the chosen logical path or an
    // empty text when cancelled.
    virtual QString browseForFolder(const QString& title, const QString& startLogical) = 0;

    // File-open dialog; filters are "caption|pattern" pairs. Empty text when cancelled.
    virtual QString openFileName(const QString& title, const QString& startLogical,
                                 const QStringList& filters) = 0;

    // A question with buttons of the caller's choosing (file operations: yes, yes to all,
    // no, cancel ...). Returns the index of the chosen button, or -1 when closed.
    virtual int choose(const QString& text, const QString& caption, const QStringList& buttons,
                       int iconFlags) = 0;

    // Opens a progress window; it closes when the returned object is destroyed.
    virtual std::unique_ptr<ProgressWindow> openProgress(const QString& caption) = 0;

    // The service in force; the program installs the widget one at start-up, tests a script.
    static DialogService& instance();
    // Installs service (not owned); nullptr restores the default that answers nothing.
    static void install(DialogService* service);
};

} // namespace quorix
