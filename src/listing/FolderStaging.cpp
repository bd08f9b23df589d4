#include "listing/FolderStaging.h"

#include "navigation/SortCompare.h"

namespace quorix {

void FolderStaging::clear()
{
    m_rows.clear();
    m_sorted = true;
}

void FolderStaging::add(ListRow row)
{
    // Sorting once when the rows are read back is the same order as inserting each row in
    // its place, without moving the rows again for every folder.
    m_rows.push_back(std::move(row));
    m_sorted = m_rows.size() < 2;
}

const std::vector<ListRow>& FolderStaging::rows() const
{
    if (!m_sorted) {
        sortByCaption(m_rows);
        m_sorted = true;
    }
    return m_rows;
}

} // namespace quorix
