#include "app/ui/Startup.h"

#include "app/DialogService.h"
#include "app/ui/AppWindows.h"
#include "app/ui/ErrorDisplay.h"
#include "app/ui/Fonts.h"
#include "app/ui/QtDialogService.h"
#include "app/ui/TForm1.h"
#include "platform/InstanceLock.h"
#include "platform/ProgramPath.h"

#include <QApplication>

#include <memory>

namespace quorix {

namespace {

class QuorixApplication final : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            showEscapedError(e);
        }
        return false;
    }
};

} // namespace

int runQuorix(int argc, char** argv)
{
    QuorixApplication app(argc, argv);

    // One copy per program file name. A second copy ends here, silently.
    const QString lockName = platform::InstanceLock::nameForProgram(platform::programFilePath());
    std::unique_ptr<platform::InstanceLock> lock = platform::InstanceLock::acquire(lockName);
    if (!lock)
        return 0;

    // The title "Quorix" is the default caption of message boxes (the dialog service
    // uses it). The application name stays the program file name: the desktop and the
    // accessibility bus know the program under it, and a display name would be appended
    // to every window caption.
    installFontSubstitutes();
    QtDialogService dialogs;
    DialogService::install(&dialogs);
    runShowingErrors([] {
        // The main window first (its creation reads the settings), then the dialogs.
        auto form1 = std::make_unique<TForm1>();
        createDialogs(form1.get());
        form1->show();
        QApplication::exec();
    });
    DialogService::install(nullptr);
    // The lock is released when it goes out of scope, after the loop has ended.
    return 0;
}

} // namespace quorix
