#pragma once

#include "listing/ListRow.h"

#include <QAbstractTableModel>

#include <vector>

namespace quorix {

// The rows of the main list as plain structs. The listing builds the whole vector and
// hands it over in one reset, so a folder of any size costs one model signal.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, SizeColumn, TypeColumn, TimeColumn, AttributeColumn, ColumnCount };

    enum Role {
        ImageIndexRole = Qt::UserRole + 1, // int: index into the main image list
        ColourRole,                        // int: a RowColour value
        CaptionRole,                       // QString: the reversible name of the row
    };

    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces every row in one model reset.
    void setRows(std::vector<ListRow> rows);
    // Hands the rows over and leaves the model empty (one reset).
    std::vector<ListRow> takeRows();
    void clear();
    // The two halves of one model reset, for a list rebuilt from its own rows: the first
    // hands the rows over, the second puts the new ones in. Nothing may read the model in
    // between (no events are processed there).
    std::vector<ListRow> beginRebuild();
    void endRebuild(std::vector<ListRow> rows);

    const std::vector<ListRow>& rows() const { return m_rows; }
    const ListRow& row(int index) const { return m_rows[size_t(index)]; }
    // Changes one row in place (a rename); emits dataChanged for its cells.
    void setRow(int index, ListRow row);

    // Designed width in pixels of a column (the settings may override it).
    static int defaultColumnWidth(int column);
    static QString columnTitle(int column);

private:
    std::vector<ListRow> m_rows;
};

} // namespace quorix
