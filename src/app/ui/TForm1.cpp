#include "app/ui/TForm1.h"

#include "app/DialogPlacement.h"
#include "app/DialogService.h"
#include "app/StartFolder.h"
#include "app/ui/Fonts.h"
#include "app/ui/MainImages.h"
#include "app/ui/MainWindowTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

namespace quorix {

namespace texts = mainwindow;

namespace {

// Smallest outer size of the window, and the size it is designed for.
constexpr int kMinimumWidth = 560;
constexpr int kMinimumHeight = 400;
constexpr int kDesignedWidth = 580;
constexpr int kDesignedHeight = 400;

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    ImageList1 = mainImages();
    buildControls();
    buildMenus();
    resize(kDesignedWidth, kDesignedHeight);
    updateMinimumSize();
    qApp->installEventFilter(this);
    FormCreate();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

// The minimum is one of the outer frame; Qt's minimum size is one of the client area.
void TForm1::updateMinimumSize()
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int extraW = qMax(0, frame.width() - inner.width());
    const int extraH = qMax(0, frame.height() - inner.height());
    setMinimumSize(kMinimumWidth - extraW, kMinimumHeight - extraH);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
    QTimer::singleShot(0, this, [this] { updateMinimumSize(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

// ---- Application shell ----------------------------------------------------------------

void TForm1::FormCreate()
{
    LoadSettings();
    // The combo box hooks are the event filters installed in buildControls: a left press
    // arms ComboClickArmed and the press goes on to the box unchanged.
}

void TForm1::FormShow()
{
    // 1. Dropped files.
    setAcceptDrops(true);
    // 2. Path and mask histories; the boxes show CurrentDir and FileMask.
    LoadHistories();
    ComboBox1->setEditText(CurrentDir);
    ComboBox2->setEditText(FileMask);
    // 3. The start folder.
    RequestedPath = CurrentDir;
    switch (checkStartFolder(RequestedPath, QPoint(x() + 50, y() + 50), &LastDialogResult)) {
    case StartFolder::Create:
        makeStartFolder(RequestedPath);
        break;
    case StartFolder::UseDriveC:
        CurrentDir = QStringLiteral("c:");
        ComboBox1->setEditText(CurrentDir);
        PushPathHistory();
        break;
    case StartFolder::Keep:
        break;
    }
    // 4. Text limit of the viewer panes.
    TextLimit = 30000000;
    // 5. Pictures.
    LoadShellIcons();
    FolderImage = 16;
    TypeCacheCount = 16;
    NoIconImage = 15;
    // 6. The first listing waits until the window is on screen and the loop is idle.
    if (!m_firstIdleDone)
        QTimer::singleShot(0, this, [this] { runFirstIdle(); });
    // 7. Watcher and flags.
    SuspendAutoRefresh = false;
    StartFolderWatcher();
    EditingName = false;
    ComboClickArmed = true;
    // 8. Drive of the listing.
    LastDrive = driveOf(CurrentDir);
    // 9. Caption.
    AppVersion = texts::kVersion;
    setWindowTitle(texts::kCaptionPrefix + AppVersion + texts::kCaptionSuffix);
    // 10. Assignment panel.
    GroupBox1->hide();
    PanelShown = false;
}

void TForm1::runFirstIdle()
{
    if (m_firstIdleDone)
        return;
    // On screen first: wait for the window system to expose the window (a few tries).
    QWindow* handle = windowHandle();
    if (handle && !handle->isExposed() && m_exposeWaits < 50) {
        ++m_exposeWaits;
        QTimer::singleShot(10, this, [this] { runFirstIdle(); });
        return;
    }
    m_firstIdleDone = true;
    RefreshFileList(false, false, false);
}

void TForm1::FormCloseQuery(bool& CanClose)
{
    if (!SaveSettings()) {
        // The settings file could not be written: the window stays open so that nothing
        // the user set is lost silently.
        CanClose = false;
        return;
    }
    if (!SaveHistories()) {
        // Likewise for a history file: the settings are written, the close stops here.
        CanClose = false;
        return;
    }
    CanClose = true;
}

void TForm1::Menu_closeClick()
{
    close();
}

void TForm1::RememberWindowRect()
{
    if (QApplication::activeWindow() != this)
        return;
    const QRect outer = frameGeometry();
    MainRect.Left = outer.left();
    MainRect.Top = outer.top();
}

void TForm1::CentreOnMain(QWidget* dialog)
{
    if (!dialog)
        return;
    // The main window's outer size, taken live. The dialog's own size is that of its
    // client area: the window system reports a frame only after the first show, and a
    // dialog must land on the same spot every time it is shown.
    const QRect main = frameGeometry();
    dialog->move(centredOrigin(MainRect.Left, main.width(), dialog->width()),
                 centredOrigin(MainRect.Top, main.height(), dialog->height()));
}

void TForm1::ComboBox1KeyDown(int&, Qt::KeyboardModifiers)
{
    ComboClickArmed = false;
}

} // namespace quorix
