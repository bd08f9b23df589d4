#pragma once

#include "app/DialogService.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <atomic>
#include <deque>
#include <functional>

namespace quorix::test {

// One call the program made to the dialog service.
struct DialogCall
{
    enum Kind { Message, Warning, Modal, Input, Browse, OpenFile, Choice };
    Kind kind;
    QString text;     // message text, prompt, or title of a chooser
    QString caption;  // caption, or the dialog's class name for Modal
    int flags = 0;    // message flags; WarningButtons as int for Warning
    QPoint position;  // Warning only
    QStringList buttons;  // Choice only
    QString defaultText;  // Input: default text; Browse/OpenFile: start folder
};

// A dialog service that answers each call from a script, in order, and records every
// call. A call that the script did not expect (wrong kind, or the script is used up) is
// recorded as a failure and answered with "no"/"cancel". Installs itself on construction
// and restores the previous state on destruction.
class ScriptedDialogs final : public DialogService
{
public:
    using ModalHandler = std::function<int(QObject* dialog)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    ScriptedDialogs& expectMessage(int result = IDOK);
    ScriptedDialogs& expectWarning(int result);
    // The handler works the dialog (fills fields, presses buttons) and returns the modal
    // result; the dialog's class name must match.
    ScriptedDialogs& expectModal(const QString& className, ModalHandler handler);
    ScriptedDialogs& expectInput(const QString& text, bool accepted = true);
    ScriptedDialogs& expectBrowse(const QString& logicalPath);
    ScriptedDialogs& expectOpenFile(const QString& logicalPath);
    ScriptedDialogs& expectChoice(int buttonIndex);

    // Every progress window opened from now on reports that the user cancelled.
    void setCancelProgress(bool cancel) { m_cancelProgress = cancel; }
    QStringList progressCaptions() const { return m_progressCaptions; }

    const QList<DialogCall>& calls() const { return m_calls; }
    const DialogCall& lastCall() const { return m_calls.back(); }
    QStringList failures() const { return m_failures; }
    bool allAnswered() const { return m_script.empty(); }
    // Empty when every call was expected and every answer used; otherwise what went wrong.
    QString problems() const;

    int messageBox(const QString& text, const QString& caption, int flags) override;
    int warning(const QString& text, QPoint topLeft, WarningButtons buttons) override;
    int execModal(QObject* dialog, const QString& name) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultText,
                     bool* accepted) override;
    QString browseForFolder(const QString& title, const QString& startLogical) override;
    QString openFileName(const QString& title, const QString& startLogical,
                         const QStringList& filters) override;
    int choose(const QString& text, const QString& caption, const QStringList& buttons,
               int iconFlags) override;
    std::unique_ptr<ProgressWindow> openProgress(const QString& caption) override;

private:
    struct Step
    {
        DialogCall::Kind kind;
        int result = 0;
        QString text;
        bool accepted = true;
        QString className;
        ModalHandler handler;
    };

    bool take(const DialogCall& call, Step* step);

    std::deque<Step> m_script;
    QList<DialogCall> m_calls;
    QStringList m_failures;
    QStringList m_progressCaptions;
    std::atomic<bool> m_cancelProgress{false};
};

} // namespace quorix::test

// Fails the current test when the script saw an unexpected call or has answers left.
#define QUORIX_VERIFY_SCRIPT(script) QVERIFY2((script).problems().isEmpty(), qPrintable((script).problems()))
