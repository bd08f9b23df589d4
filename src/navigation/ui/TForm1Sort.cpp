// Sorting by a column of the main list.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::ListView1ColumnClick(int) {}

} // namespace quorix
