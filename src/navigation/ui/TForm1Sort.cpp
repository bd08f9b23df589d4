// Sorting by a column of the main list.

#include "app/ui/TForm1.h"

#include "navigation/SortCompare.h"

namespace quorix {

void TForm1::ListView1ColumnClick(int column)
{
    if (sortLetterForColumn(column).isEmpty())
        return;
    applyColumnClick(column, FileSort, SortMuki);
    RefreshFileList(false, true, true);
}

} // namespace quorix
