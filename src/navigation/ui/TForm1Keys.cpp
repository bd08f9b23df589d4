// Keys and clicks on the main list.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::ListView1KeyPress(QChar&) {}

void TForm1::ListView1KeyUp(int&, Qt::KeyboardModifiers) {}

void TForm1::ListView1Click() {}

void TForm1::ListView1DblClick() {}

} // namespace quorix
