#include "app/ui/ErrorDisplay.h"

#include "app/DialogService.h"

#include <QString>

namespace quorix {

bool runShowingErrors(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        showEscapedError(e);
    }
    return false;
}

void showEscapedError(const std::exception& error)
{
    DialogService::instance().messageBox(QString::fromLocal8Bit(error.what()),
                                         QStringLiteral("Quorix"), MB_OK | MB_ICONSTOP);
}

} // namespace quorix
