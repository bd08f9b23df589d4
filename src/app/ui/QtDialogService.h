#pragma once

#include "app/DialogService.h"

namespace quorix {

// The dialog service of the running program: real Qt dialogs with Japanese buttons.
// Folder and file choosers work on logical paths (drive letters) and show the native
// folders behind them.
class QtDialogService final : public DialogService
{
public:
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

    // Buttons of the message boxes.
    static const QString& okText();
    static const QString& cancelText();
    static const QString& yesText();
    static const QString& noText();
    // Caption of the positioned question.
    static const QString& warningCaption();
    // Delay before a progress window appears (a quick operation shows none).
    static constexpr int kProgressDelayMs = 500;
};

} // namespace quorix
