// Moving between folders and changing the mask.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::tlbtnBrowseClick() {}

void TForm1::tlbtnUpOneLevelClick() {}

void TForm1::OpenSelectedRow() {}

void TForm1::EnterSelectedFolder() {}

void TForm1::AcceptRequestedPath() {}

void TForm1::SelectItemAt(int) {}

void TForm1::ComboBox1Click() {}

void TForm1::ComboBox1KeyPress(QChar&) {}

void TForm1::ComboBox2Click() {}

void TForm1::ComboBox2KeyPress(QChar&) {}

} // namespace quorix
