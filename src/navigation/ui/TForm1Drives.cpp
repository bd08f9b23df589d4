// The drive menu.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

#include <QAction>

namespace quorix {

void TForm1::BuildDriveMenu() {}

void TForm1::DriveMenuClick(QAction*) {}

} // namespace quorix
