#include "navigation/ui/ListSelection.h"

#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"
#include "navigation/NavigationTexts.h"

#include <QItemSelectionModel>
#include <QTreeView>

namespace quorix {

int firstSelectedRow(const TForm1& form)
{
    const QItemSelectionModel* selection = form.ListView1->selectionModel();
    if (!selection)
        return -1;
    int first = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first < form.ListModel->rowCount() ? first : -1;
}

SelectedRow selectedRowKind(const TForm1& form)
{
    const int row = firstSelectedRow(form);
    if (row < 0)
        return SelectedRow::None;
    if (form.ListModel->row(row).caption == navigation_texts::kParentCaption)
        return SelectedRow::Parent;
    return row < form.FolderCount ? SelectedRow::Folder : SelectedRow::File;
}

} // namespace quorix
