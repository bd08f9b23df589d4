#include "app/DialogService.h"

namespace quorix {

namespace {

// Used until a real service is installed: answers every question with its "no" or
// "cancel", so nothing is done on behalf of a user who was never asked.
class NullDialogService final : public DialogService
{
public:
    int messageBox(const QString&, const QString&, int flags) override
    {
        const int buttons = flags & 0x0F;
        return buttons == MB_YESNO ? IDNO : buttons == MB_OKCANCEL ? IDCANCEL : IDOK;
    }
    int warning(const QString&, QPoint, WarningButtons b) override
    {
        return b == WarningButtons::YesOnly ? IDYES : IDNO;
    }
    int execModal(QObject*, const QString&) override { return IDCANCEL; }
    QString inputBox(const QString&, const QString&, const QString&, bool* accepted) override
    {
        if (accepted)
            *accepted = false;
        return {};
    }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    int choose(const QString&, const QString&, const QStringList&, int) override { return -1; }
    std::unique_ptr<ProgressWindow> openProgress(const QString&) override;
};

class NullProgress final : public ProgressWindow
{
public:
    void setText(const QString&) override {}
    void setProgress(qint64, qint64) override {}
    bool cancelRequested() const override { return false; }
};

std::unique_ptr<ProgressWindow> NullDialogService::openProgress(const QString&)
{
    return std::make_unique<NullProgress>();
}

NullDialogService g_nullService;
DialogService* g_service = nullptr;

} // namespace

DialogService& DialogService::instance()
{
    return g_service ? *g_service : g_nullService;
}

void DialogService::install(DialogService* service)
{
    g_service = service;
}

} // namespace quorix
