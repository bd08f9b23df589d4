// Moving between folders and changing the mask: up one level, into the selected row, the
// path box, the mask box and the folder chooser.

#include "app/ui/TForm1.h"

#include "app/DialogService.h"
#include "listing/FileListModel.h"
#include "navigation/BrowseForFolder.h"
#include "navigation/FolderSpelling.h"
#include "navigation/NavigationTexts.h"
#include "navigation/PathRules.h"
#include "navigation/PickHistory.h"
#include "navigation/ui/ListSelection.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "settings/ui/HistoryCombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLocale>
#include <QScrollBar>
#include <QTreeView>

namespace quorix {

namespace texts = navigation_texts;

namespace {

constexpr QChar kEnter = QChar(13);
constexpr QChar kBackspace = QChar(8);

// A pick from a box's list: the entry goes in front without cutting the list, and the box
// shows it as its first entry.
void putPickedEntryFirst(QComboBox* box, const QString& entry)
{
    QStringList entries = settings::historyEntries(box);
    putPickInFront(entries, entry);
    settings::setHistoryEntries(box, entries);
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(0);
}

} // namespace

void TForm1::tlbtnUpOneLevelClick()
{
    if (CurrentDir.size() <= 3)
        return;
    RequestedPath = CurrentDir;
    CurrentDir = parentFolder(CurrentDir);
    ComboBox1->setEditText(CurrentDir);
    PushPathHistory();
    RefreshFileList(false, false, false);

    // Select the folder just left.
    const QString left = RequestedPath;
    if (left.size() <= 2)
        return;
    const QLocale locale;
    const QString name = locale.toUpper(lastNamePart(left));
    const int folders = std::min<int>(FolderCount, ListModel->rowCount());
    for (int row = 0; row < folders; ++row) {
        if (locale.toUpper(ListModel->row(row).caption) == name) {
            SelectItemAt(row);
            return;
        }
    }
}

void TForm1::OpenSelectedRow()
{
    const int row = firstSelectedRow(*this);
    if (row < 0)
        return;
    const QString caption = ListModel->row(row).caption;
    if (caption == texts::kParentCaption) {
        tlbtnUpOneLevelClick();
        return;
    }
    EntryPath = CurrentDir + u'\\' + caption;
    if (platform::isDirectory(EntryPath)) {
        CurrentDir = EntryPath;
        ComboBox1->setEditText(CurrentDir);
        PushPathHistory();
        RefreshFileList(false, false, false);
        return;
    }
    platform::ShellOpen(EntryPath, QString());
}

void TForm1::EnterSelectedFolder()
{
    const int row = firstSelectedRow(*this);
    if (row < 0)
        return;
    const QString caption = ListModel->row(row).caption;
    EntryPath = CurrentDir + u'\\' + caption;
    if (caption == texts::kParentCaption || !platform::isDirectory(EntryPath))
        return;
    CurrentDir = EntryPath;
    ComboBox1->setEditText(CurrentDir);
    PushPathHistory();
    RefreshFileList(false, false, false);
}

void TForm1::AcceptRequestedPath()
{
    if (RequestedPath.size() == 2) {
        if (platform::isDirectory(RequestedPath + u'\\'))
            CurrentDir = RequestedPath;
        return;
    }
    const QString existing = existingFolderSpelling(RequestedPath);
    if (!existing.isEmpty()) {
        CurrentDir = existing;
        return;
    }
    const QPoint at = frameGeometry().topLeft() + QPoint(50, 50);
    LastDialogResult = DialogService::instance().warning(
        texts::kMissingFolderQuestionHead + RequestedPath + texts::kMissingFolderQuestionTail, at,
        WarningButtons::YesNo);
    if (LastDialogResult == IDYES) {
        MakeFolderChain(RequestedPath);
        CurrentDir = RequestedPath;
    } else {
        ComboBox1->setEditText(CurrentDir);
    }
}

void TForm1::SelectItemAt(int row)
{
    if (row < 0 || row >= ListModel->rowCount())
        return;
    QItemSelectionModel* selection = ListView1->selectionModel();
    selection->clearSelection();
    ListView1->setFocus(Qt::OtherFocusReason);
    const QModelIndex index = ListModel->index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // A row that is partly in view is left where it is.
    if (!ListView1->visualRect(index).intersects(ListView1->viewport()->rect()))
        ListView1->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TForm1::ComboBox1KeyPress(QChar& Key)
{
    // Enter in the open drop-down list picks the entry; the box acts on the next Enter.
    if (Key == kEnter && ComboBox1->view()->isVisible())
        return;
    if (Key == kEnter && !ComboBox1->currentText().isEmpty()) {
        Key = QChar();
        RequestedPath = ComboBox1->currentText();
        if (RequestedPath.endsWith(u'\\')) {
            RequestedPath.chop(1);
            ComboBox1->setEditText(RequestedPath);
        }
        AcceptRequestedPath();
        PushPathHistory();
        RefreshFileList(false, false, false);
        return;
    }
    if (Key == kEnter) {
        Key = QChar(); // nothing for the box itself to do with it
    } else if (Key != kBackspace && !IsCharAllowed(Key, texts::kPathRefusedChars)) {
        Key = QChar();
        LastDialogResult = DialogService::instance().messageBox(
            texts::kPathRefusedMessage, texts::kConfirmCaption, MB_OK | MB_ICONSTOP);
    }
    ComboClickArmed = false;
}

void TForm1::ComboBox1Click()
{
    if (!ComboClickArmed)
        return;
    ComboClickArmed = false;
    RequestedPath = withoutTrailingBackslash(ComboBox1->currentText());
    AcceptRequestedPath();
    putPickedEntryFirst(ComboBox1, CurrentDir);
    RefreshFileList(false, false, false);
}

void TForm1::ComboBox2KeyPress(QChar& Key)
{
    if (Key == kEnter && ComboBox2->view()->isVisible())
        return;
    if (Key == kEnter && !ComboBox2->currentText().isEmpty()) {
        Key = QChar();
        ComboBox2->setEditText(NormaliseMask(ComboBox2->currentText()));
        FileMask = ComboBox2->currentText();
        PushMaskHistory();
        RefreshFileList(false, false, false);
        return;
    }
    if (Key == kEnter) {
        Key = QChar();
    } else if (!IsCharAllowed(Key, texts::kMaskRefusedChars)) {
        Key = QChar();
        LastDialogResult = DialogService::instance().messageBox(
            texts::kMaskRefusedMessage, texts::kConfirmCaption, MB_OK | MB_ICONSTOP);
    }
    ComboClickArmed = false;
}

void TForm1::ComboBox2Click()
{
    if (!ComboClickArmed)
        return;
    ComboClickArmed = false;
    FileMask = NormaliseMask(ComboBox2->currentText());
    putPickedEntryFirst(ComboBox2, FileMask);
    RefreshFileList(false, false, false);
}

void TForm1::tlbtnBrowseClick()
{
    const QString chosen = BrowseForFolder(texts::kBrowseTitlePrefix + CurrentDir, CurrentDir);
    if (chosen.isEmpty())
        return;
    ComboBox1->setEditText(chosen);
    CurrentDir = chosen;
    PushPathHistory();
    RefreshFileList(false, false, false);
}

} // namespace quorix
