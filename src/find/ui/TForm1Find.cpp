// Finding a row and filtering the list.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::tlbtnFindFileClick() {}

void TForm1::tlbtnFindClick() {}

} // namespace quorix
