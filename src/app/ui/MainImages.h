#pragma once

#include <QIcon>
#include <QList>

namespace quorix {

// The first 17 pictures of the main image list (16 x 16): tool buttons, the picture of
// files without an icon (15) and of folder rows (16). Each comes from the desktop's icon
// theme by its freedesktop name, or is drawn here when the theme has none, so no slot is
// ever blank.
QList<QIcon> mainImages();

// The same picture for one index, drawn by the program itself (no theme).
QIcon drawnImage(int index);

} // namespace quorix
