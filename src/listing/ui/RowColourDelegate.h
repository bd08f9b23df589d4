#pragma once

#include "listing/ListRow.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPalette>
#include <QStyledItemDelegate>

namespace quorix::ui {

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
    // images: the main image list the rows' image indexes point into.
    RowColourDelegate(const QList<QIcon>* images, QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const QList<QIcon>* m_images;
};

} // namespace quorix::ui
