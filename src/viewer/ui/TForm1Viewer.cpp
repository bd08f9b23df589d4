// The text viewer inside the main window.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::View1Click() {}

void TForm1::ViewCloseClick() {}

void TForm1::Find_m2Click() {}

void TForm1::FindDialog1Find() {}

} // namespace quorix
