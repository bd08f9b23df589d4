// Settings file and the two main-window histories.
// Handlers of TForm1; they do nothing until this area is built.

#include "app/ui/TForm1.h"

namespace quorix {

void TForm1::LoadSettings() {}

bool TForm1::SaveSettings()
{
    return true;
}

void TForm1::LoadHistories() {}

void TForm1::SaveHistories() {}

void TForm1::PushPathHistory() {}

void TForm1::PushMaskHistory() {}

} // namespace quorix
