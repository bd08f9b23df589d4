#pragma once

#include "navigation/KeyMap.h"

namespace quorix {

class TForm1;

// The first selected row of ListView1 in list order; -1 when none is selected.
int firstSelectedRow(const TForm1& form);

// What the first selected row is, for the key map.
SelectedRow selectedRowKind(const TForm1& form);

} // namespace quorix
