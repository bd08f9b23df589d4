// The file information command.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::Menu_infoClick() {}

} // namespace quorix
