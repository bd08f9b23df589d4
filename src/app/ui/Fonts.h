#pragma once

#include <QFont>
#include <QString>

namespace quorix {

// Font family names the windows are designed with.
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");    // fixed pitch
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional

// Maps the design families onto installed Japanese fonts (IPAGothic, Noto Sans CJK JP, ...).
// Safe to call more than once.
void installFontSubstitutes();

// A design font with a character height in pixels.
QFont designFont(const QString& family, int pixelHeight);

} // namespace quorix
