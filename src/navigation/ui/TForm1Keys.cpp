// Keys and clicks on the main list: the single-key commands of the key map.

#include "app/ui/TForm1.h"

#include "app/DialogService.h"
#include "navigation/DriveMenu.h"
#include "navigation/KeyMap.h"
#include "navigation/ui/ListSelection.h"
#include "navigation/ui/TSortForm.h"

#include <QMenu>
#include <QTreeView>

namespace quorix {

namespace {

KeyOutcome dispatchFor(const TForm1& form, ListEvent event, int code)
{
    KeyInput in;
    in.event = event;
    in.code = code;
    in.editingName = form.EditingName;
    in.row = selectedRowKind(form);
    in.currentDirLength = int(form.CurrentDir.size());
    return dispatchKey(in);
}

// Runs the command the key map chose.
void runKeyCommand(TForm1& form, KeyCommand command)
{
    switch (command) {
    case KeyCommand::None:
        break;
    case KeyCommand::UpOneLevel:
        form.tlbtnUpOneLevelClick();
        break;
    case KeyCommand::OpenSelectedRow:
        form.OpenSelectedRow();
        break;
    case KeyCommand::EnterSelectedFolder:
        form.EnterSelectedFolder();
        break;
    case KeyCommand::CloseMainWindow:
        form.close();
        break;
    case KeyCommand::RefreshKeepSelection:
        form.RefreshFileList(false, true, false);
        break;
    case KeyCommand::Copy:
        form.tlbtnCopyClick();
        break;
    case KeyCommand::Delete:
        form.tlbtnDelClick();
        break;
    case KeyCommand::Editor:
        form.Menu_outeeClick();
        break;
    case KeyCommand::FindFile:
        form.tlbtnFindFileClick();
        break;
    case KeyCommand::FileInfo:
        form.Menu_infoClick();
        break;
    case KeyCommand::DriveMenu:
        form.BuildDriveMenu();
        form.PopupMenu1->popup(driveMenuPosition(form.frameGeometry(), form.ListView1->height()));
        break;
    case KeyCommand::Move:
        form.tlbtnMoveClick();
        break;
    case KeyCommand::Rename:
        form.Menu_rnameClick();
        break;
    case KeyCommand::Sort:
        form.RememberWindowRect();
        if (form.SortForm)
            DialogService::instance().execModal(form.SortForm, QStringLiteral("TSortForm"));
        break;
    case KeyCommand::View:
        form.View1Click();
        break;
    }
}

} // namespace

void TForm1::ListView1KeyPress(QChar& Key)
{
    const KeyOutcome out = dispatchFor(*this, ListEvent::Character, Key.unicode());
    EditingName = out.editingName;
    if (out.hidePanel)
        HidePanel();
    if (out.consume)
        Key = QChar();
    runKeyCommand(*this, out.command);
}

void TForm1::ListView1KeyUp(int& Key, Qt::KeyboardModifiers)
{
    const KeyOutcome out = dispatchFor(*this, ListEvent::KeyRelease, virtualKeyCode(Key));
    EditingName = out.editingName;
    runKeyCommand(*this, out.command);
    if (out.hidePanel)
        HidePanel();
    if (out.clearPanelShown)
        PanelShown = false;
}

void TForm1::ListView1Click()
{
    EditingName = dispatchFor(*this, ListEvent::Click, 0).editingName;
}

void TForm1::ListView1DblClick()
{
    runKeyCommand(*this, dispatchFor(*this, ListEvent::DoubleClick, 0).command);
}

} // namespace quorix
