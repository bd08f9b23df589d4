#pragma once

#include "listing/ListRow.h"

#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>

namespace quorix::ui {

class ImageList;

// The text colour of a row kind in a palette: window text, navy, purple, the grey of
// disabled text, maroon.
QColor rowTextColour(RowColour colour, const QPalette& palette);

// Draws the rows of the main list: the picture of the row's image index in the name
// column, and the row's colour and strike-out on the list's own font (so nothing carries
// over from one row to the next). Background, selection highlight and the accessible texts
// stay as the view makes them.
class RowColourDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    RowColourDelegate(const ImageList* images, QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const ImageList* m_images;
};

} // namespace quorix::ui
