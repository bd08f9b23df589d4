#include "listing/FileListModel.h"

#include <array>

namespace quorix {

namespace {

struct ColumnInfo
{
    const char16_t* title;
    int width;
};

// Titles and designed widths of the five columns of the main list.
constexpr std::array<ColumnInfo, FileListModel::ColumnCount> kColumns{{
    {u"名前", 180},
    {u"ｻｲｽﾞ", 60},
    {u"種類", 140},
    {u"更新日時", 120},
    {u"属性", 40},
}};

const QString& cellText(const ListRow& row, int column)
{
    switch (column) {
    case FileListModel::NameColumn:
        return row.shownName();
    case FileListModel::SizeColumn:
        return row.sizeText;
    case FileListModel::TypeColumn:
        return row.typeText;
    case FileListModel::TimeColumn:
        return row.timeText;
    default:
        return row.attributeText;
    }
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ListRow& r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cellText(r, index.column());
    case Qt::EditRole:
        return index.column() == NameColumn ? QVariant(r.shownName()) : QVariant();
    case Qt::ToolTipRole:
        return index.column() == NameColumn ? QVariant(r.shownName()) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == SizeColumn ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                            : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    case ImageIndexRole:
        return index.column() == NameColumn ? QVariant(r.imageIndex) : QVariant();
    case ColourRole:
        return int(r.colour);
    case CaptionRole:
        return r.caption;
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return columnTitle(section);
    case Qt::TextAlignmentRole:
        return section == SizeColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                     : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Renaming in place is started by the program itself, on the name column only.
    Qt::ItemFlags f =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == NameColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

void FileListModel::setRows(std::vector<ListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

std::vector<ListRow> FileListModel::takeRows()
{
    beginResetModel();
    std::vector<ListRow> rows = std::move(m_rows);
    m_rows.clear();
    endResetModel();
    return rows;
}

std::vector<ListRow> FileListModel::beginRebuild()
{
    beginResetModel();
    std::vector<ListRow> rows = std::move(m_rows);
    m_rows.clear();
    return rows;
}

void FileListModel::endRebuild(std::vector<ListRow> rows)
{
    m_rows = std::move(rows);
    endResetModel();
}

void FileListModel::clear()
{
    setRows({});
}

void FileListModel::setRow(int index, ListRow row)
{
    if (index < 0 || size_t(index) >= m_rows.size())
        return;
    m_rows[size_t(index)] = std::move(row);
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

int FileListModel::defaultColumnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? kColumns[size_t(column)].width : 0;
}

QString FileListModel::columnTitle(int column)
{
    return column >= 0 && column < ColumnCount ? QString::fromUtf16(kColumns[size_t(column)].title)
                                               : QString();
}

} // namespace quorix
