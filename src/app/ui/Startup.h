#pragma once

namespace quorix {

// The program: single-instance check, application object, windows, message loop.
// Always returns 0.
int runQuorix(int argc, char** argv);

} // namespace quorix
