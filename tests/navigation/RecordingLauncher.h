#pragma once

#include "platform/Launcher.h"

namespace quorix::test {

// Records what would have been started instead of starting it; installed while it lives.
class RecordingLauncher final : public platform::Launcher
{
public:
    RecordingLauncher() { platform::Launcher::install(this); }
    ~RecordingLauncher() override { platform::Launcher::install(nullptr); }

    bool startDetached(const QList<QByteArray>& argv) override
    {
        started.append(argv);
        return true;
    }

    QList<QList<QByteArray>> started;
};

} // namespace quorix::test
