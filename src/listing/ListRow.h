#pragma once

#include <QCollatorSortKey>
#include <QString>

#include <optional>

namespace quorix {

// How a row of the main list is drawn; the widget side turns it into a colour and font.
enum class RowColour {
    WindowText,   // folders, the ".." row and plain files
    Navy,         // programs with an icon
    Purple,       // system files
    Grey,         // hidden files
    MaroonStruck, // read-only files: maroon and struck out
};

// One line of the main list. The texts are exactly what the commands compare and copy;
// caption is the reversible name every path is built from.
struct ListRow
{
    QString caption;
    QString sizeText;
    QString typeText;
    QString timeText;
    QString attributeText;
    int imageIndex = 0;
    RowColour colour = RowColour::WindowText;
    // Friendlier form of caption for drawing and reading out; empty when it equals caption.
    QString displayName;
    // Collation key of a caption, kept once made so that sorting by name again is cheap.
    struct NameKey
    {
        QString caption; // the caption the key was made for
        QCollatorSortKey key;
    };
    std::optional<NameKey> nameKey;

    const QString& shownName() const { return displayName.isEmpty() ? caption : displayName; }
    // The kept name key, when it still belongs to the caption (a renamed row has none).
    const QCollatorSortKey* cachedNameKey() const
    {
        return nameKey && nameKey->caption == caption ? &nameKey->key : nullptr;
    }
};

} // namespace quorix
