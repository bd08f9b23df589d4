#pragma once

namespace quorix {

// One coordinate of a dialog centred on the main window: the main window's remembered
// edge plus half its size minus half the dialog's size. Both halvings truncate toward
// zero, and nothing clamps the result to the screen.
constexpr int centredOrigin(int mainEdge, int mainSize, int dialogSize)
{
    return mainEdge + mainSize / 2 - dialogSize / 2;
}

} // namespace quorix
