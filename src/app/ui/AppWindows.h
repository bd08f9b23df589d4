#pragma once

namespace quorix {

class TForm1;

// Creates the nine dialogs, in start-up order, as children of form1 and stores each in
// its field of form1. Called once, right after the main window is created.
void createDialogs(TForm1* form1);

} // namespace quorix
