#include "listing/RowColourRule.h"

namespace quorix {

QString folderTypeText()
{
    return QStringLiteral("ﾌｧｲﾙ ﾌｫﾙﾀﾞ");
}

QString programTypeText()
{
    return QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ");
}

QString programWithoutIconText()
{
    return QStringLiteral("DOSｱﾌﾟﾘｹｰｼｮﾝ");
}

QString generatedTypeSuffix()
{
    return QStringLiteral(" ﾌｧｲﾙ");
}

RowColour rowColourFor(const QString& typeText, const QString& attributeText)
{
    static const QString folder = folderTypeText();
    static const QString program = programTypeText();
    if (typeText == folder)
        return RowColour::WindowText;
    if (typeText == program)
        return RowColour::Navy;
    if (attributeText.contains(u'S'))
        return RowColour::Purple;
    if (attributeText.contains(u'H'))
        return RowColour::Grey;
    if (attributeText.contains(u'R'))
        return RowColour::MaroonStruck;
    return RowColour::WindowText;
}

} // namespace quorix
