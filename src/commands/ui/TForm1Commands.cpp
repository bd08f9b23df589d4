// External commands, the editor, the assignment panel and shell utilities.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

#include <QAction>
#include <QKeyEvent>

namespace quorix {

void TForm1::Menu_setClick() {}

void TForm1::Menu_outaClick(QAction*) {}

void TForm1::LaunchExternalCommand(QChar) {}

void TForm1::Menu_outeeClick() {}

void TForm1::Menu_seteClick() {}

void TForm1::Menu_esplorerClick() {}

void TForm1::Menu_controlClick() {}

void TForm1::DeskTop_setClick() {}

void TForm1::Menu_hpClick() {}

void TForm1::Menu_addClick() {}

void TForm1::Menu_verClick() {}

void TForm1::tlbcalculatClick() {}

void TForm1::HidePanel() {}

void TForm1::CMDialogKey(QKeyEvent*) {}

} // namespace quorix
