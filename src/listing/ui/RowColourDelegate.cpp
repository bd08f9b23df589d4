#include "listing/ui/RowColourDelegate.h"

#include "listing/FileListModel.h"
#include "listing/ui/TypeImages.h"

namespace quorix::ui {

QColor rowTextColour(RowColour colour, const QPalette& palette)
{
    switch (colour) {
    case RowColour::Navy:
        return QColor(0, 0, 128);
    case RowColour::Purple:
        return QColor(128, 0, 128);
    case RowColour::Grey:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case RowColour::MaroonStruck:
        return QColor(128, 0, 0);
    case RowColour::WindowText:
    default:
        return palette.color(QPalette::Active, QPalette::Text);
    }
}

RowColourDelegate::RowColourDelegate(const QList<QIcon>* images, QObject* parent)
    : QStyledItemDelegate(parent), m_images(images)
{
}

void RowColourDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const auto colour = RowColour(index.data(FileListModel::ColourRole).toInt());
    const QColor text = rowTextColour(colour, option->palette);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        option->palette.setColor(group, QPalette::Text, text);
    option->font.setStrikeOut(colour == RowColour::MaroonStruck);

    if (index.column() == FileListModel::NameColumn && m_images) {
        const QIcon icon = m_images->value(index.data(FileListModel::ImageIndexRole).toInt());
        if (!icon.isNull()) {
            option->icon = icon;
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->decorationSize = QSize(kImageSize, kImageSize);
        }
    }
}

} // namespace quorix::ui
