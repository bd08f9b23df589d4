#include "app/ui/Startup.h"

#include <QApplication>
#include <QMainWindow>

namespace quorix {

int runQuorix(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorix"));
    window.show();
    app.exec();
    return 0;
}

} // namespace quorix
