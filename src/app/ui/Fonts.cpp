#include "app/ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace quorix {

namespace {

QStringList installedOf(const QStringList& candidates)
{
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString& c : candidates) {
        if (families.contains(c, Qt::CaseInsensitive))
            found << c;
    }
    return found;
}

} // namespace

void installFontSubstitutes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Fixed-pitch candidates first for the fixed-pitch design font, so columns of the
    // key bar and the panel line up as designed.
    const QStringList fixed =
        installedOf({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                     QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic")});
    const QStringList proportional =
        installedOf({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                     QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic"),
                     QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(kGothic, fixed + proportional);
    QFont::insertSubstitutions(kPGothic, proportional + fixed);
}

QFont designFont(const QString& family, int pixelHeight)
{
    installFontSubstitutes();
    QFont font(family);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace quorix
