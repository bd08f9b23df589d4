// Folder listing of the main window.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::RefreshFileList(bool, bool, bool) {}

void TForm1::LoadShellIcons() {}

} // namespace quorix
