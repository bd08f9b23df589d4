#include "app/ui/QtDialogService.h"

#include "app/ui/DialogPaths.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <limits>

namespace quorix {

namespace {

const QString kOk = QStringLiteral("OK");
const QString kCancel = QStringLiteral("キャンセル");
const QString kYes = QStringLiteral("はい(&Y)");
const QString kNo = QStringLiteral("いいえ(&N)");
const QString kWarning = QStringLiteral("警告");
const QString kDefaultTitle = QStringLiteral("Quorix");

QWidget* ownerWindow()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->inherits("QMainWindow"))
            return w;
    }
    return nullptr;
}

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A message box with the given buttons (text, result code); closing it without a button
// gives closeResult.
int runBox(QMessageBox& box, const QList<std::pair<QString, int>>& buttons, int closeResult)
{
    QList<std::pair<QAbstractButton*, int>> made;
    for (const auto& [text, result] : buttons) {
        const QMessageBox::ButtonRole role = result == IDCANCEL || result == IDNO
                                                 ? QMessageBox::RejectRole
                                                 : QMessageBox::AcceptRole;
        made.append({box.addButton(text, role), result});
    }
    if (!made.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(made.first().first));
    box.exec();
    for (const auto& [button, result] : made) {
        if (box.clickedButton() == button)
            return result;
    }
    return closeResult;
}

void labelFileDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::Accept, kOk);
    dialog.setLabelText(QFileDialog::Reject, kCancel);
}

class QtProgressWindow final : public ProgressWindow
{
public:
    explicit QtProgressWindow(const QString& caption) : m_dialog(new QProgressDialog(ownerWindow()))
    {
        m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        m_dialog->setWindowTitle(caption);
        m_dialog->setCancelButtonText(kCancel);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        // QProgressDialog would show itself on its own schedule; this window decides.
        m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
        m_dialog->setRange(0, 0);
        m_dialog->hide();
        m_clock.start();
        // Also appears when the operation runs while the event loop turns.
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, m_dialog, [this] { showNow(); });
        m_timer.start(QtDialogService::kProgressDelayMs);
    }
    ~QtProgressWindow() override
    {
        m_timer.stop();
        if (m_dialog) {
            m_dialog->hide();
            delete m_dialog;
        }
    }

    void setText(const QString& text) override
    {
        if (m_dialog)
            m_dialog->setLabelText(text);
        poll();
    }
    void setProgress(qint64 done, qint64 total) override
    {
        if (m_dialog) {
            // QProgressDialog counts in int; scale 64-bit byte counts down.
            int shift = 0;
            while ((total >> shift) > 1'000'000'000)
                ++shift;
            m_dialog->setMaximum(int(total >> shift));
            m_dialog->setValue(int(qMin(done, total) >> shift));
        }
        poll();
    }
    bool cancelRequested() const override
    {
        const_cast<QtProgressWindow*>(this)->poll();
        return m_dialog && m_dialog->wasCanceled();
    }

    bool isShown() const { return m_dialog && m_dialog->isVisible(); }

private:
    void showNow()
    {
        if (m_dialog && !m_dialog->isVisible())
            m_dialog->show();
    }
    // An operation that runs on the main thread calls in often: let the window appear
    // after the delay and keep its cancel button working, without pumping on every call.
    void poll()
    {
        if (m_clock.elapsed() >= QtDialogService::kProgressDelayMs)
            showNow();
        if (m_lastPump.isValid() && m_lastPump.elapsed() < 50)
            return;
        m_lastPump.start();
        QCoreApplication::processEvents();
    }

    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    QElapsedTimer m_lastPump;
    QTimer m_timer;
};

} // namespace

const QString& QtDialogService::okText()
{
    return kOk;
}
const QString& QtDialogService::cancelText()
{
    return kCancel;
}
const QString& QtDialogService::yesText()
{
    return kYes;
}
const QString& QtDialogService::noText()
{
    return kNo;
}
const QString& QtDialogService::warningCaption()
{
    return kWarning;
}

int QtDialogService::messageBox(const QString& text, const QString& caption, int flags)
{
    QMessageBox box(ownerWindow());
    box.setWindowTitle(caption.isEmpty() ? kDefaultTitle : caption);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(iconOf(flags));
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return runBox(box, {{kOk, IDOK}, {kCancel, IDCANCEL}}, IDCANCEL);
    case MB_YESNO:
        return runBox(box, {{kYes, IDYES}, {kNo, IDNO}}, IDNO);
    default:
        return runBox(box, {{kOk, IDOK}}, IDOK);
    }
}

int QtDialogService::warning(const QString& text, QPoint topLeft, WarningButtons buttons)
{
    QMessageBox box(ownerWindow());
    box.setWindowTitle(kWarning);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::Warning);
    // Placed where the asking window wants it, once the box knows its size.
    QTimer::singleShot(0, &box, [&box, topLeft] { box.move(topLeft); });
    box.move(topLeft);
    if (buttons == WarningButtons::YesOnly)
        return runBox(box, {{kYes, IDYES}}, IDYES);
    return runBox(box, {{kYes, IDYES}, {kNo, IDNO}}, IDNO);
}

int QtDialogService::execModal(QObject* dialog, const QString&)
{
    auto* d = qobject_cast<QDialog*>(dialog);
    if (!d)
        return IDCANCEL;
    return d->exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

QString QtDialogService::inputBox(const QString& caption, const QString& prompt,
                                  const QString& defaultText, bool* accepted)
{
    QInputDialog dialog(ownerWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(kOk);
    dialog.setCancelButtonText(kCancel);
    dialog.setInputMode(QInputDialog::TextInput);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (accepted)
        *accepted = ok;
    return ok ? dialog.textValue() : QString();
}

QString QtDialogService::browseForFolder(const QString& title, const QString& startLogical)
{
    QFileDialog dialog(ownerWindow(), title, nativeFolderForDialog(startLogical));
    labelFileDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return logicalPathFromDialog(dialog.selectedFiles().constFirst());
}

QString QtDialogService::openFileName(const QString& title, const QString& startLogical,
                                      const QStringList& filters)
{
    QFileDialog dialog(ownerWindow(), title, nativeFolderForDialog(startLogical));
    labelFileDialog(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList nameFilters;
    for (const QString& f : filters) {
        const qsizetype bar = f.indexOf(u'|');
        const QString caption = bar < 0 ? f : f.left(bar);
        QString patterns = bar < 0 ? f : f.mid(bar + 1);
        patterns.replace(u';', u' ');
        nameFilters << caption + QStringLiteral(" (") + patterns + u')';
    }
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return logicalPathFromDialog(dialog.selectedFiles().constFirst());
}

int QtDialogService::choose(const QString& text, const QString& caption, const QStringList& buttons,
                            int iconFlags)
{
    QMessageBox box(ownerWindow());
    box.setWindowTitle(caption.isEmpty() ? kDefaultTitle : caption);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(iconOf(iconFlags));
    QList<QAbstractButton*> made;
    for (const QString& b : buttons)
        made << box.addButton(b, QMessageBox::AcceptRole);
    if (!made.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(made.first()));
    box.exec();
    return int(made.indexOf(box.clickedButton()));
}

std::unique_ptr<ProgressWindow> QtDialogService::openProgress(const QString& caption)
{
    return std::make_unique<QtProgressWindow>(caption);
}

} // namespace quorix
