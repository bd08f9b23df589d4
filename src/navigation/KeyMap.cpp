#include "navigation/KeyMap.h"

#include <array>

namespace quorix {

namespace {

using enum ListEvent;
using enum KeyCondition;
using enum KeyCommand;

constexpr std::array kBindings{
    KeyBinding{Character, keycode::Backspace, BelowRoot, UpOneLevel},
    KeyBinding{Character, keycode::Enter, HasRow, OpenSelectedRow},
    KeyBinding{Character, keycode::Esc, Always, CloseMainWindow},
    KeyBinding{Character, keycode::Space, Always, RefreshKeepSelection},
    KeyBinding{Character, 'C', Always, Copy},
    KeyBinding{Character, 'D', Always, Delete},
    KeyBinding{Character, 'E', OnParentRow, UpOneLevel},
    KeyBinding{Character, 'E', NotParentRow, Editor},
    KeyBinding{Character, 'F', Always, FindFile},
    KeyBinding{Character, 'I', Always, FileInfo},
    KeyBinding{Character, 'L', Always, DriveMenu},
    KeyBinding{Character, 'M', Always, Move},
    KeyBinding{Character, 'R', Always, Rename},
    KeyBinding{Character, 'S', Always, Sort},
    KeyBinding{Character, 'V', Always, View},
    KeyBinding{KeyRelease, keycode::Left, BelowRoot, UpOneLevel},
    KeyBinding{KeyRelease, keycode::Right, HasRow, EnterSelectedFolder},
    KeyBinding{DoubleClick, 0, HasRow, OpenSelectedRow},
};

bool holds(KeyCondition condition, const KeyInput& input)
{
    switch (condition) {
    case Always:
        return true;
    case BelowRoot:
        return input.currentDirLength > 3;
    case OnParentRow:
        return input.row == SelectedRow::Parent;
    case NotParentRow:
        return input.row != SelectedRow::Parent;
    case HasRow:
        return input.row != SelectedRow::None;
    }
    return false;
}

KeyCommand lookUp(ListEvent event, int code, const KeyInput& input)
{
    if (event == Character && code >= 'a' && code <= 'z')
        code -= 'a' - 'A';
    for (const KeyBinding& b : kBindings) {
        if (b.event == event && b.code == code && holds(b.condition, input))
            return b.command;
    }
    return None;
}

} // namespace

std::span<const KeyBinding> keyBindings()
{
    return kBindings;
}

KeyOutcome dispatchKey(const KeyInput& input)
{
    KeyOutcome out;
    out.editingName = input.editingName;
    switch (input.event) {
    case Character:
        if (out.editingName && input.code == keycode::Enter)
            out.editingName = false;
        out.hidePanel = true;
        // While a name is edited the character belongs to the list control.
        if (out.editingName)
            return out;
        out.command = lookUp(Character, input.code, input);
        out.consume = true;
        return out;
    case KeyRelease:
        if (out.editingName && input.code == keycode::Enter)
            out.editingName = false;
        if (!out.editingName)
            out.command = lookUp(KeyRelease, input.code, input);
        out.hidePanel = true;
        out.clearPanelShown = true;
        return out;
    case DoubleClick:
        out.command = lookUp(DoubleClick, 0, input);
        return out;
    case Click:
        out.editingName = false;
        return out;
    }
    return out;
}

int characterCode(int qtKey, Qt::KeyboardModifiers modifiers, QChar firstTextChar)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return keycode::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keycode::Enter;
    case Qt::Key_Escape:
        return keycode::Esc;
    case Qt::Key_Space:
        return keycode::Space;
    default:
        break;
    }
    // The platform may or may not have translated Ctrl combinations already; do it here
    // so that Ctrl+H, Ctrl+M and Ctrl+[ are the same everywhere.
    if (modifiers.testFlag(Qt::ControlModifier) && qtKey >= Qt::Key_A &&
        qtKey <= Qt::Key_BracketRight)
        return qtKey - Qt::Key_A + 1;
    return firstTextChar.unicode();
}

int virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return keycode::Left;
    case Qt::Key_Right:
        return keycode::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keycode::Enter;
    default:
        return 0;
    }
}

} // namespace quorix
