#pragma once

#include "listing/ListRow.h"

#include <vector>

namespace quorix {

// The folder rows of the last full listing (ListView2), ordered by caption as the name sort
// orders them. A re-sort rebuilds the top of the list from it without reading the folder.
class FolderStaging
{
public:
    void clear();
    void add(ListRow row);
    int size() const { return int(m_rows.size()); }
    // The rows in caption order.
    const std::vector<ListRow>& rows() const;

private:
    mutable std::vector<ListRow> m_rows;
    mutable bool m_sorted = true;
};

} // namespace quorix
