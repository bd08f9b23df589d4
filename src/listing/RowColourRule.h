#pragma once

#include "listing/ListRow.h"

namespace quorix {

// Type texts the listing and the colour rules recognise rows by.
QString folderTypeText();         // "ﾌｧｲﾙ ﾌｫﾙﾀﾞ"
QString programTypeText();        // "ｱﾌﾟﾘｹｰｼｮﾝ"
QString programWithoutIconText(); // "DOSｱﾌﾟﾘｹｰｼｮﾝ"
QString generatedTypeSuffix();    // " ﾌｧｲﾙ"

// How a row is drawn, from its type and attribute texts; the first rule that applies
// decides: folders, programs, system, hidden, read-only (struck out), everything else.
RowColour rowColourFor(const QString& typeText, const QString& attributeText);

} // namespace quorix
