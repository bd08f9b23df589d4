#pragma once

// Single-key commands of the file list: which list event runs which command.
//
// The list's handlers translate the toolkit's events into a KeyInput, ask dispatchKey for
// the outcome and run the command it names. The bindings are one table (keyBindings()) so
// that the whole map can be read, and checked, in one place.

#include <QChar>
#include <Qt>

#include <span>

namespace quorix {

enum class ListEvent {
    Character,   // a translated character (KeyPress)
    KeyRelease,  // a released key, by virtual key code (KeyUp)
    DoubleClick, // DblClick
    Click,       // Click
};

// The first selected row of the list.
enum class SelectedRow { None, Parent, Folder, File };

enum class KeyCommand {
    None,
    UpOneLevel,           // tlbtnUpOneLevelClick
    OpenSelectedRow,      // OpenSelectedRow
    EnterSelectedFolder,  // EnterSelectedFolder
    CloseMainWindow,      // close the main window
    RefreshKeepSelection, // RefreshFileList(false, true, false)
    Copy,                 // tlbtnCopyClick
    Delete,               // tlbtnDelClick
    Editor,               // Menu_outeeClick
    FindFile,             // tlbtnFindFileClick
    FileInfo,             // Menu_infoClick
    DriveMenu,            // BuildDriveMenu, then PopupMenu1 at the drive menu position
    Move,                 // tlbtnMoveClick
    Rename,               // Menu_rnameClick
    Sort,                 // RememberWindowRect, then TSortForm modally
    View,                 // View1Click
};

// Character codes and virtual key codes the map uses.
namespace keycode {
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Esc = 27;
constexpr int Space = 32;
constexpr int Left = 0x25;
constexpr int Right = 0x27;
} // namespace keycode

// When a binding applies.
enum class KeyCondition {
    Always,
    BelowRoot,    // CurrentDir is longer than 3 characters (not a drive root)
    OnParentRow,  // the selected row is ".."
    NotParentRow, // any selected row but "..", or none
    HasRow,       // some row is selected
};

struct KeyBinding
{
    ListEvent event;
    int code; // character code (upper case for letters) or virtual key; 0 for mouse events
    KeyCondition condition;
    KeyCommand command;
};

// Every binding, in table order. For one event and code the first binding whose condition
// holds wins; a character without a binding runs nothing (and is still consumed).
std::span<const KeyBinding> keyBindings();

struct KeyInput
{
    ListEvent event = ListEvent::Character;
    int code = 0;
    bool editingName = false;
    SelectedRow row = SelectedRow::None;
    int currentDirLength = 0;
};

struct KeyOutcome
{
    KeyCommand command = KeyCommand::None;
    bool consume = false;         // Character: stop the list control from seeing it
    bool editingName = false;     // EditingName after the event
    bool hidePanel = false;       // hide the assignment panel
    bool clearPanelShown = false; // PanelShown := false
};

KeyOutcome dispatchKey(const KeyInput& input);

// The character code of a key press, as the keyboard's translation gives it: Ctrl with a
// letter or with [ \ ] gives the control character (Ctrl+H is 8, Ctrl+M 13, Ctrl+[ 27);
// Backspace, Enter (both keys), Esc and Space give 8, 13, 27 and 32; otherwise the first
// character of the event's text, or 0 when it has none.
int characterCode(int qtKey, Qt::KeyboardModifiers modifiers, QChar firstTextChar);

// The virtual key code of a released key: the left and right arrows and Enter map to
// 0x25, 0x27 and 13; every other key to 0 (no binding).
int virtualKeyCode(int qtKey);

} // namespace quorix
