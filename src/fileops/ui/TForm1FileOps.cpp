// Delete, copy, move, new folder, renames, selection, dropped files.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::tlbtnDelClick() {}

void TForm1::tlbtnCopyClick() {}

void TForm1::tlbtnMoveClick() {}

void TForm1::tlbtnNewFdClick() {}

void TForm1::Menu_rnameClick() {}

void TForm1::Menu_allClick() {}

void TForm1::ListView1Editing(bool&) {}

void TForm1::ListView1Edited(QString&) {}

void TForm1::CollectSelectedNames() {}

void TForm1::FilesDropped(const QStringList&) {}

} // namespace quorix
