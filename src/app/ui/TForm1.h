#pragma once

#include "listing/FolderStaging.h"
#include "listing/TypeCache.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <array>

class QAction;
class QComboBox;
class QDialog;
class QEvent;
class QFrame;
class QGroupBox;
class QHeaderView;
class QIcon;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;

namespace quorix {

class FileListModel;
class TPlusCopyForm;
class TFindForm;
class TSortForm;
class TFileInfoForm;
class TOutAppForm;
class TAppopenForm;
class TRNameAForm;
class TRNameForm;
class TSettingForm;
class TFolderCheck;

// One of the 26 external command slots (Alt+A .. Alt+Z).
struct ExternalCommandSlot
{
    QString CommandLine; // program path, optionally a space and an argument template
    QString ArgFlag = QStringLiteral("N"); // "Y": ask for the argument first
    QString DisplayName;
};

// Left and top edge of the main window's outer rectangle, taken by RememberWindowRect.
struct WindowOrigin
{
    int Left = 0;
    int Top = 0;
};

// The main window. It holds the state every command shares (the public fields below) and
// every control by its form name. Handlers are grouped by the area that builds them; each
// area keeps its definitions in its own TForm1<Area>.cpp (see the comment of each group),
// so the areas never edit each other's files.
//
// Event plumbing done here, once, for every area:
//  - key presses on ListView1 go to ListView1KeyPress (printable characters and Enter, BS,
//    Esc, Tab as control characters); the handler sets Key to QChar() to eat the key or
//    changes it to type another character; key releases go to ListView1KeyUp (Key = 0 eats);
//  - mouse releases in the list go to ListView1Click, double clicks to ListView1DblClick,
//    header clicks to ListView1ColumnClick;
//  - both combo boxes: a left press (box, edit field or drop-down list) arms ComboClickArmed,
//    a key press goes to ComboBox1KeyDown, typed characters to ComboBox1KeyPress /
//    ComboBox2KeyPress (same Key contract), a choice from the list to ComboBox1Click /
//    ComboBox2Click;
//  - keys pressed while Alt is held (Alt itself included), whichever control has the focus,
//    go to CMDialogKey before the focused control sees them;
//  - files dropped on the window go to FilesDropped.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- Shared fields ---------------------------------------------------------------
    int SortKind = 1; // 1 name, 2 size, 3 type, 4 modified, 5 attributes
    std::array<int, 5> ColumnWidths{180, 60, 140, 120, 40};
    int FileCount = 0;                      // file rows listed
    int FolderCount = 0;                    // folder rows listed, ".." included
    bool EditingName = false;               // an in-place rename is under way
    bool ComboClickArmed = false;           // the last mouse press went to a combo box
    std::array<QString, 5> MaskPatterns;    // patterns of a multi-pattern mask
    QString ReselectName;                   // caption to select again after a refresh
    QString SortMuki = QStringLiteral("U"); // "U" ascending, "D" descending
    QString FileSort = QStringLiteral("N"); // N, S, T, D, A
    bool CopyMode = false;                  // the copy/move dialog copies (true) or moves
    bool PanelShown = false;                // the assignment panel was shown since the last key-up
    QString RequestedPath;                  // a path entered or picked, before it is CurrentDir
    QString NoChgChar;                      // stored setting, no behaviour
    QString AppVersion;                     // "1.06" once shown
    QString LastDrive;                      // drive of the previous listing
    QString CurrentDir;                     // the folder listed, no trailing "\"
    QString TargetPath;                     // the item an operation acts on
    QString NewPath;                        // folder being made / row after in-place rename
    QString SearchPattern;                  // pattern handed to the folder enumeration
    QString EntryPath;                      // full path of the list entry being examined
    QString FileMask;                       // the mask shown in ComboBox2
    QString EditApp;                        // editor program
    std::array<ExternalCommandSlot, 26> ExternalCommand; // slots A .. Z
    int FolderImage = 16;                                // image of folder rows
    int TypeCacheCount = 16;                             // highest type-cache number in use
    quorix::TypeCache TypeCache;                         // type names and pictures seen this run
    int DoneCount = 0;               // successful items of a multi-item operation
    int NoIconImage = 15;            // image of files without an icon
    int LastDialogResult = 0;        // result code of the last message box / dialog
    WindowOrigin MainRect;           // taken by RememberWindowRect
    bool SuspendAutoRefresh = false; // while true the folder watcher does not refresh
    int TextLimit = 0;               // characters the viewer may hold (set when shown)

    // Main image list: 0..16 are the program's own pictures (tool buttons, 15 no icon,
    // 16 folder); the type cache appends from 17 on. ImageList2: the drive menu's pictures.
    QList<QIcon> ImageList1;
    QList<QIcon> ImageList2;

    // ---- Controls ---------------------------------------------------------------------
    QFrame* Coolbar1 = nullptr; // band bar: tool bar band, path box band
    QToolBar* tlbrMyButtons = nullptr;
    QToolButton* tlbtnBrowse = nullptr;
    QToolButton* tlbtnUpOneLevel = nullptr;
    QToolButton* tlbtnNewFd = nullptr;
    QToolButton* tlbtnDel = nullptr;
    QToolButton* tlbtnCopy = nullptr;
    QToolButton* tlbtnMove = nullptr;
    QToolButton* tlbtnFindFile = nullptr;
    QToolButton* tlbtnFind = nullptr;
    QToolButton* tlbcalculat = nullptr;
    QLabel* Coolbar1BandText = nullptr; // "ディレクトリ" before the path box
    QComboBox* ComboBox1 = nullptr;     // path box
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;       // path label
    QLabel* Label2 = nullptr;       // counts and free space
    QLabel* Label3 = nullptr;       // sort label
    QComboBox* ComboBox2 = nullptr; // mask box
    QTreeView* ListView1 = nullptr; // the folder listing, over ListModel
    FileListModel* ListModel = nullptr;
    FolderStaging ListView2; // folder staging list of the listing: plain rows, no widget
    QHeaderView* HeaderControl1 = nullptr; // key bar, upper strip
    QHeaderView* HeaderControl2 = nullptr; // key bar, lower strip
    QPlainTextEdit* TextView = nullptr;    // text viewer, hidden outside the viewer
    QGroupBox* GroupBox1 = nullptr;        // assignment panel
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QListWidget* ListBox1 = nullptr;     // hidden item list of delete / copy / move
    QLabel* Image1 = nullptr;            // hidden picture
    QPlainTextEdit* RichEdit1 = nullptr; // hidden, without use
    QPlainTextEdit* Memo1 = nullptr;     // hidden, without use
    QMenu* PopupMenu1 = nullptr;         // drive menu
    QDialog* FindDialog1 = nullptr;      // viewer search; created by the viewer area
    QTimer* RefreshTimer = nullptr;      // watcher's refresh timer; created by the watcher area
    TFolderCheck* FolderCheck = nullptr; // the folder watcher; created by the watcher area

    // Menus. MainMenu1 is the normal menu bar, MainMenu2 the viewer's; ShowViewerMenu swaps.
    QMenuBar* MainMenu1 = nullptr;
    QMenuBar* MainMenu2 = nullptr;
    QMenu* Menu_file = nullptr;   // "ﾌｧｲﾙ"
    QMenu* Menu_edit = nullptr;   // "編集"
    QMenu* Menu_outapp = nullptr; // "外部ｺﾏﾝﾄﾞ"
    QMenu* Menu_text = nullptr;   // "編集ｱﾌﾟﾘ"
    QMenu* Menu_other = nullptr;  // "その他"
    QMenu* Menu_help = nullptr;   // "ﾍﾙﾌﾟ"
    QAction* Menu_esplorer = nullptr;
    QAction* Menu_control = nullptr;
    QAction* Menu_close = nullptr;
    QAction* Menu_del = nullptr;
    QAction* Menu_copy = nullptr;
    QAction* Menu_move = nullptr;
    QAction* Menu_find = nullptr;
    QAction* Menu_view = nullptr;
    QAction* Menu_rname = nullptr;
    QAction* Menu_info = nullptr;
    QAction* Menu_all = nullptr;
    QAction* Menu_set = nullptr;
    std::array<QAction*, 26> Menu_out{}; // Menu_outa .. Menu_outz, hidden, Alt+A .. Alt+Z
    QAction* Menu_outee = nullptr;
    QAction* Menu_sete = nullptr;
    QAction* DeskTop_set = nullptr;
    QAction* Menu_hp = nullptr;
    QAction* Menu_add = nullptr;
    QAction* Menu_ver = nullptr;
    QAction* ViewClose = nullptr; // viewer menu "閉じる", Esc
    QAction* Find_m2 = nullptr;   // viewer menu "検索"

    // The nine dialogs, created once after the main window (createDialogs) and living as
    // long as it.
    TPlusCopyForm* PlusCopyForm = nullptr;
    TFindForm* FindForm = nullptr;
    TSortForm* SortForm = nullptr;
    TFileInfoForm* FileInfoForm = nullptr;
    TOutAppForm* OutAppForm = nullptr;
    TAppopenForm* AppopenForm = nullptr;
    TRNameAForm* RNameAForm = nullptr;
    TRNameForm* RNameForm = nullptr;
    TSettingForm* SettingForm = nullptr;

    // ---- Application shell (TForm1.cpp) ----------------------------------------------
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& CanClose);
    void Menu_closeClick();
    void RememberWindowRect();
    void CentreOnMain(QWidget* dialog);
    void ComboBox1KeyDown(int& Key, Qt::KeyboardModifiers Shift); // both boxes: disarm
    // Makes the viewer menu (true) or the normal menu (false) the menu bar.
    void ShowViewerMenu(bool viewer);
    // True once the first listing (made when the loop first became idle) has run.
    bool firstListingMade() const { return m_firstIdleDone; }

    // ---- Settings and histories (src/settings/ui/TForm1Settings.cpp) -----------------
    void LoadSettings();  // creation: read the settings file and apply it
    bool SaveSettings();  // close: false when the file could not be written
    void LoadHistories(); // show: path and mask histories into the two boxes
    bool SaveHistories(); // close: push and save both histories; false when one failed
    void PushPathHistory();
    void PushMaskHistory();

    // ---- Listing (src/listing/ui/TForm1Listing.cpp) -----------------------------------
    void RefreshFileList(bool PatternPreset, bool KeepSelection, bool ResortOnly);
    void LoadShellIcons(); // show: the drive menu pictures and ImageList1 extras

    // ---- Navigation (src/navigation/ui/TForm1Navigation.cpp) --------------------------
    void tlbtnBrowseClick();
    void tlbtnUpOneLevelClick();
    void OpenSelectedRow();
    void EnterSelectedFolder();
    void AcceptRequestedPath();
    void SelectItemAt(int row);
    void ComboBox1Click();
    void ComboBox1KeyPress(QChar& Key);
    void ComboBox2Click();
    void ComboBox2KeyPress(QChar& Key);

    // ---- Keys (src/navigation/ui/TForm1Keys.cpp) -----------------------------------------
    void ListView1KeyPress(QChar& Key);
    void ListView1KeyUp(int& Key, Qt::KeyboardModifiers Shift);
    void ListView1Click();
    void ListView1DblClick();

    // ---- Sorting (src/navigation/ui/TForm1Sort.cpp) --------------------------------------
    void ListView1ColumnClick(int column);

    // ---- Drives (src/navigation/ui/TForm1Drives.cpp) -------------------------------------
    void BuildDriveMenu();
    void DriveMenuClick(QAction* Sender);

    // ---- Folder watcher (src/navigation/ui/TForm1Watcher.cpp) ----------------------------
    // Show: starts the watcher on CurrentDir. There is only ever one: a later call just has
    // it follow CurrentDir, like FolderShownChanged.
    void StartFolderWatcher();
    // Every full listing calls this once CurrentDir is final, so the watcher watches the
    // folder shown (free when it already does).
    void FolderShownChanged();
    void StartRefreshTimer();
    void RefreshTimerFired();

    // ---- File operations (src/fileops/ui/TForm1FileOps.cpp) -------------------------------
    void tlbtnDelClick();
    void tlbtnCopyClick();
    void tlbtnMoveClick();
    void tlbtnNewFdClick();
    void Menu_rnameClick();
    void Menu_allClick();
    void ListView1Editing(bool& AllowEdit);
    void ListView1Edited(QString& S);
    void CollectSelectedNames();
    void FilesDropped(const QStringList& nativePaths);

    // ---- Find and filter (src/find/ui/TForm1Find.cpp) -------------------------------------
    void tlbtnFindFileClick();
    void tlbtnFindClick();

    // ---- File information (src/fileinfo/ui/TForm1FileInfo.cpp) ----------------------------
    void Menu_infoClick();

    // ---- Text viewer (src/viewer/ui/TForm1Viewer.cpp) -------------------------------------
    void View1Click();
    void ViewCloseClick();
    void Find_m2Click();
    void FindDialog1Find();

    // ---- External commands and utilities (src/commands/ui/TForm1Commands.cpp) -------------
    void Menu_setClick();
    void Menu_outaClick(QAction* Sender); // Sender's data() is its tag, 2 .. 27
    void LaunchExternalCommand(QChar letter);
    void Menu_outeeClick();
    void Menu_seteClick();
    void Menu_esplorerClick();
    void Menu_controlClick();
    void DeskTop_setClick();
    void Menu_hpClick();
    void Menu_addClick();
    void Menu_verClick();
    void tlbcalculatClick();
    void HidePanel();
    // Keys pressed while Alt is held; the event goes on to the focused control afterwards.
    void CMDialogKey(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildToolBar();
    void buildMenus();
    void buildKeyBar();
    void layoutControls();
    void updateMinimumSize();
    bool filterComboEvent(QComboBox* box, QObject* watched, QEvent* event);
    bool filterListEvent(QEvent* event);
    void runFirstIdle();

    QWidget* m_client = nullptr;
    QWidget* m_menuHolder = nullptr;
    bool m_firstIdleDone = false;
    const QEvent* m_keyAtComboEdit = nullptr; // a key press handled at a combo edit field
    int m_exposeWaits = 0;
};

} // namespace quorix
