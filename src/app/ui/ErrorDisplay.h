#pragma once

#include <exception>
#include <functional>

namespace quorix {

// Runs step; an exception that escapes it is shown once in a message box with its own
// text (title "Quorix", stop icon) and goes no further. Returns false in that case.
// The application object runs every event through this, so the program goes on after a
// failed handler, and start-up runs the creation of the windows and the loop through it.
bool runShowingErrors(const std::function<void()>& step);

// The message box of an escaped error.
void showEscapedError(const std::exception& error);

} // namespace quorix
