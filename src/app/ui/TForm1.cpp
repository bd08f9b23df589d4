#include "app/ui/TForm1.h"

#include "app/DialogPlacement.h"
#include "app/DialogService.h"
#include "app/StartFolder.h"
#include "app/ui/Fonts.h"
#include "app/ui/MainImages.h"
#include "app/ui/MainWindowTexts.h"
#include "listing/FileListModel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace quorix {

namespace texts = mainwindow;

namespace {

// Designed geometry of the client area (pixels).
constexpr int kCoolbarHeight = 53;
constexpr int kToolBandHeight = 27;
constexpr int kBandGrip = 9;
constexpr int kPathBoxWidth = 494;
constexpr int kPanelHeight = 40;
constexpr int kKeyBarHeight = 17;
constexpr int kMinimumWidth = 560;
constexpr int kMinimumHeight = 400;
constexpr int kDesignedWidth = 580;
constexpr int kDesignedHeight = 400;

QHeaderView* makeKeyBar(QWidget* parent, const texts::KeyBarSection* sections, int count)
{
    auto* model = new QStandardItemModel(0, count, parent);
    auto* bar = new QHeaderView(Qt::Horizontal, parent);
    bar->setModel(model);
    for (int i = 0; i < count; ++i)
        model->setHeaderData(i, Qt::Horizontal, QString::fromUtf16(sections[i].text));
    bar->setSectionsMovable(false);
    bar->setSectionsClickable(false);
    bar->setHighlightSections(false);
    bar->setStretchLastSection(false);
    bar->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar->setMinimumSectionSize(1);
    bar->setSectionResizeMode(QHeaderView::Fixed);
    for (int i = 0; i < count; ++i)
        bar->resizeSection(i, sections[i].width);
    bar->setFocusPolicy(Qt::NoFocus);
    // A bare header has no accessible children of its own: the strip reads out as a whole.
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::fromUtf16(sections[i].text);
    bar->setAccessibleName(texts.join(QStringLiteral("  ")));
    return bar;
}

// The upper-case rule of the path and mask boxes: typed letters become capitals.
QChar upperCased(QChar c)
{
    return c.toUpper();
}

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

// ---- Construction ---------------------------------------------------------------------

void TForm1::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->setFont(designFont(kPGothic, 12));
    setCentralWidget(m_client);

    Coolbar1 = new QFrame(m_client);
    Coolbar1->setObjectName(QStringLiteral("Coolbar1"));
    Coolbar1->setFrameShape(QFrame::NoFrame);
    buildToolBar();

    Coolbar1BandText = new QLabel(texts::kBandText, Coolbar1);
    Coolbar1BandText->setObjectName(QStringLiteral("Coolbar1BandText"));
    ComboBox1 = new QComboBox(Coolbar1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->setAccessibleName(texts::kBandText);
    Coolbar1BandText->setBuddy(ComboBox1);

    Panel1 = new QFrame(m_client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = new QLabel(texts::kLabel1Initial, Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(texts::kLabel2Initial, Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(texts::kLabel3Initial, Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    for (QLabel* l : {Label1, Label2, Label3})
        l->setTextFormat(Qt::PlainText);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setMaxVisibleItems(20);

    ListModel = new FileListModel(this);
    ListView1 = new QTreeView(m_client);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(ListModel);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setDragEnabled(true);
    ListView1->setDragDropMode(QAbstractItemView::DragOnly);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setFont(designFont(kGothic, 12));
    ListView1->setTextElideMode(Qt::ElideRight);
    ListView1->setSortingEnabled(false);
    QHeaderView* header = ListView1->header();
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(0);
    for (int c = 0; c < FileListModel::ColumnCount; ++c)
        header->resizeSection(c, ColumnWidths[size_t(c)]);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { ListView1ColumnClick(column); });
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);

    buildKeyBar();

    TextView = new QPlainTextEdit(m_client);
    TextView->setObjectName(QStringLiteral("TextView"));
    TextView->setReadOnly(true);
    TextView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TextView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextView->setFont(designFont(kGothic, 13));
    TextView->hide();

    GroupBox1 = new QGroupBox(m_client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFlat(true);
    GroupBox1->setAutoFillBackground(true);
    {
        QPalette pal = GroupBox1->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
        GroupBox1->setPalette(pal);
    }
    GroupBox1->setStyleSheet(
        QStringLiteral("QGroupBox#GroupBox1 { background: white; border: 1px solid gray; "
                       "margin: 0px; padding: 0px; }"));
    GroupBox1->setGeometry(10, 120, 415, 185);
    Label4 = new QLabel(GroupBox1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(5, 10, 200, 170);
    Label5 = new QLabel(GroupBox1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(210, 22, 200, 158);
    for (QLabel* l : {Label4, Label5}) {
        l->setFont(designFont(kGothic, 12));
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(false);
    }
    GroupBox1->hide();

    ListBox1 = new QListWidget(m_client);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->hide();
    Image1 = new QLabel(m_client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();
    RichEdit1 = new QPlainTextEdit(m_client);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->hide();
    Memo1 = new QPlainTextEdit(m_client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->hide();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    // Combo boxes: the box, its edit field and its drop-down list all report here.
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
        box->view()->installEventFilter(this);
        box->view()->viewport()->installEventFilter(this);
    }
    connect(ComboBox1, &QComboBox::activated, this, [this](int) { ComboBox1Click(); });
    connect(ComboBox2, &QComboBox::activated, this, [this](int) { ComboBox2Click(); });

    // Tab order of the visible controls.
    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, ListView1);
}

void TForm1::buildToolBar()
{
    tlbrMyButtons = new QToolBar(Coolbar1);
    tlbrMyButtons->setObjectName(QStringLiteral("tlbrMyButtons"));
    tlbrMyButtons->setMovable(false);
    tlbrMyButtons->setFloatable(false);
    tlbrMyButtons->setIconSize(QSize(16, 16));
    tlbrMyButtons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tlbrMyButtons->setStyleSheet(QStringLiteral("QToolBar { border: 0px; spacing: 0px; }"));
    tlbrMyButtons->setContentsMargins(0, 0, 0, 0);

    auto add = [this](const char* name, const QString& hint, int image, void (TForm1::*handler)()) {
        auto* b = new QToolButton(tlbrMyButtons);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setFixedSize(28, 27);
        b->setIcon(ImageList1.value(image));
        b->setIconSize(QSize(16, 16));
        b->setText(hint);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        tlbrMyButtons->addWidget(b);
        return b;
    };
    tlbtnBrowse = add("tlbtnBrowse", texts::kHintBrowse, 0, &TForm1::tlbtnBrowseClick);
    tlbtnUpOneLevel = add("tlbtnUpOneLevel", texts::kHintUp, 1, &TForm1::tlbtnUpOneLevelClick);
    tlbtnNewFd = add("tlbtnNewFd", texts::kHintNewFolder, 5, &TForm1::tlbtnNewFdClick);
    tlbrMyButtons->addSeparator();
    tlbtnDel = add("tlbtnDel", texts::kHintDelete, 2, &TForm1::tlbtnDelClick);
    tlbtnCopy = add("tlbtnCopy", texts::kHintCopy, 3, &TForm1::tlbtnCopyClick);
    tlbtnMove = add("tlbtnMove", texts::kHintMove, 4, &TForm1::tlbtnMoveClick);
    tlbtnFindFile = add("tlbtnFindFile", texts::kHintFindFile, 8, &TForm1::tlbtnFindFileClick);
    tlbrMyButtons->addSeparator();
    tlbtnFind = add("tlbtnFind", texts::kHintFind, 7, &TForm1::tlbtnFindClick);
    tlbrMyButtons->addSeparator();
    tlbcalculat = add("tlbcalculat", texts::kHintCalculator, 14, &TForm1::tlbcalculatClick);
}

void TForm1::buildKeyBar()
{
    HeaderControl1 = makeKeyBar(m_client, texts::kKeyBar1, int(std::size(texts::kKeyBar1)));
    HeaderControl1->setObjectName(QStringLiteral("HeaderControl1"));
    HeaderControl2 = makeKeyBar(m_client, texts::kKeyBar2, int(std::size(texts::kKeyBar2)));
    HeaderControl2->setObjectName(QStringLiteral("HeaderControl2"));
}

void TForm1::buildMenus()
{
    m_menuHolder = new QWidget(this);
    m_menuHolder->setObjectName(QStringLiteral("MenuHolder"));
    auto* holderLayout = new QVBoxLayout(m_menuHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->setSpacing(0);
    MainMenu1 = new QMenuBar(m_menuHolder);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    MainMenu2 = new QMenuBar(m_menuHolder);
    MainMenu2->setObjectName(QStringLiteral("MainMenu2"));
    MainMenu2->setNativeMenuBar(false);
    holderLayout->addWidget(MainMenu1);
    holderLayout->addWidget(MainMenu2);
    MainMenu2->hide();
    setMenuWidget(m_menuHolder);

    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = MainMenu1->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& text, void (TForm1::*handler)()) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };

    Menu_file = menu("Menu_file", texts::kMenuFile);
    Menu_esplorer =
        item(Menu_file, "Menu_esplorer", texts::kMenuExplorer, &TForm1::Menu_esplorerClick);
    Menu_control = item(Menu_file, "Menu_control", texts::kMenuControl, &TForm1::Menu_controlClick);
    Menu_file->addSeparator();
    Menu_close = item(Menu_file, "Menu_close", texts::kMenuClose, &TForm1::Menu_closeClick);

    Menu_edit = menu("Menu_edit", texts::kMenuEdit);
    Menu_del = item(Menu_edit, "Menu_del", texts::kMenuDelete, &TForm1::tlbtnDelClick);
    Menu_copy = item(Menu_edit, "Menu_copy", texts::kMenuCopy, &TForm1::tlbtnCopyClick);
    Menu_move = item(Menu_edit, "Menu_move", texts::kMenuMove, &TForm1::tlbtnMoveClick);
    Menu_find = item(Menu_edit, "Menu_find", texts::kMenuFind, &TForm1::tlbtnFindFileClick);
    Menu_view = item(Menu_edit, "Menu_view", texts::kMenuView, &TForm1::View1Click);
    Menu_edit->addSeparator();
    Menu_rname = item(Menu_edit, "Menu_rname", texts::kMenuRename, &TForm1::Menu_rnameClick);
    Menu_info = item(Menu_edit, "Menu_info", texts::kMenuInfo, &TForm1::Menu_infoClick);
    Menu_edit->addSeparator();
    Menu_all = item(Menu_edit, "Menu_all", texts::kMenuAll, &TForm1::Menu_allClick);

    Menu_outapp = menu("Menu_outapp", texts::kMenuOutApp);
    Menu_set = item(Menu_outapp, "Menu_set", texts::kMenuSet, &TForm1::Menu_setClick);
    for (int i = 0; i < 26; ++i) {
        const QChar letter(char16_t(u'A' + i));
        QAction* a = Menu_outapp->addAction(texts::kMenuOutPrefix + letter);
        a->setObjectName(QStringLiteral("Menu_out") + letter.toLower());
        a->setData(i + 2); // tag
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, a] { Menu_outaClick(a); });
        // A hidden menu item carries no shortcut of its own, so the window holds it.
        auto* sc = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + i)), this);
        sc->setObjectName(QStringLiteral("Shortcut_out") + letter.toLower());
        sc->setContext(Qt::WindowShortcut);
        connect(sc, &QShortcut::activated, a, &QAction::trigger);
        a->setShortcut(sc->key());
        a->setShortcutContext(Qt::WidgetShortcut); // the QShortcut above is the one in force
        Menu_out[size_t(i)] = a;
    }

    Menu_text = menu("Menu_text", texts::kMenuEditApp);
    Menu_outee = item(Menu_text, "Menu_outee", texts::kMenuEditor, &TForm1::Menu_outeeClick);
    Menu_text->addSeparator();
    Menu_sete = item(Menu_text, "Menu_sete", texts::kMenuSet, &TForm1::Menu_seteClick);

    Menu_other = menu("Menu_other", texts::kMenuOther);
    DeskTop_set = item(Menu_other, "DeskTop_set", texts::kMenuShortcut, &TForm1::DeskTop_setClick);

    Menu_help = menu("Menu_help", texts::kMenuHelp);
    Menu_hp = item(Menu_help, "Menu_hp", texts::kMenuHomePage, &TForm1::Menu_hpClick);
    Menu_add = item(Menu_help, "Menu_add", texts::kMenuMail, &TForm1::Menu_addClick);
    Menu_help->addSeparator();
    Menu_ver = item(Menu_help, "Menu_ver", texts::kMenuVersion, &TForm1::Menu_verClick);

    // Viewer menu: two items straight on the bar.
    ViewClose = MainMenu2->addAction(texts::kViewClose);
    ViewClose->setObjectName(QStringLiteral("ViewClose"));
    ViewClose->setShortcut(QKeySequence(Qt::Key_Escape));
    ViewClose->setShortcutContext(Qt::WindowShortcut);
    ViewClose->setEnabled(false);
    connect(ViewClose, &QAction::triggered, this, [this] { ViewCloseClick(); });
    Find_m2 = MainMenu2->addAction(texts::kViewFind);
    Find_m2->setObjectName(QStringLiteral("Find_m2"));
    Find_m2->setEnabled(false);
    connect(Find_m2, &QAction::triggered, this, [this] { Find_m2Click(); });
}

void TForm1::ShowViewerMenu(bool viewer)
{
    MainMenu1->setVisible(!viewer);
    MainMenu2->setVisible(viewer);
    // Only the menu bar in force has live shortcuts.
    ViewClose->setEnabled(viewer);
    Find_m2->setEnabled(viewer);
    for (QShortcut* sc : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
        sc->setEnabled(!viewer);
}

// ---- Layout ---------------------------------------------------------------------------

void TForm1::layoutControls()
{
    if (!m_client)
        return;
    const int w = m_client->width();
    const int h = m_client->height();
    int top = 0;
    if (Coolbar1->isVisibleTo(m_client)) {
        Coolbar1->setGeometry(0, 0, w, kCoolbarHeight);
        tlbrMyButtons->setGeometry(kBandGrip, 0, qMax(0, w - kBandGrip), kToolBandHeight);
        const int bandTop = kToolBandHeight;
        const int bandHeight = kCoolbarHeight - kToolBandHeight;
        const QSize textSize = Coolbar1BandText->sizeHint();
        Coolbar1BandText->setGeometry(kBandGrip, bandTop + (bandHeight - textSize.height()) / 2,
                                      textSize.width(), textSize.height());
        const int boxHeight = qMin(bandHeight, qMax(20, ComboBox1->sizeHint().height()));
        ComboBox1->setGeometry(kBandGrip + textSize.width() + 4,
                               bandTop + (bandHeight - boxHeight) / 2, kPathBoxWidth, boxHeight);
        top += kCoolbarHeight;
    }
    if (Panel1->isVisibleTo(m_client)) {
        Panel1->setGeometry(0, top, w, kPanelHeight);
        const int labelHeight = Label1->sizeHint().height();
        Label1->setGeometry(5, 5, qMax(0, w - 10), labelHeight);
        Label2->setGeometry(5, 22, 225, labelHeight);
        Label3->setGeometry(232, 22, 175, labelHeight);
        const int boxHeight = qMin(kPanelHeight - 16 - 1, ComboBox2->sizeHint().height());
        ComboBox2->setGeometry(410, 16, 135, qMax(18, boxHeight));
        top += kPanelHeight;
    }
    const int bottom = h - 2 * kKeyBarHeight;
    HeaderControl1->setGeometry(0, bottom, w, kKeyBarHeight);
    HeaderControl2->setGeometry(0, bottom + kKeyBarHeight, w, kKeyBarHeight);
    ListView1->setGeometry(0, top, w, qMax(0, bottom - top));
    TextView->setGeometry(0, top, w, qMax(0, bottom - top));
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutControls();
    // The window manager may add or change the frame at any time after the first show.
    if (isVisible())
        updateMinimumSize();
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

// ---- Events ---------------------------------------------------------------------------

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

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (!paths.isEmpty())
        FilesDropped(paths);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* ke = static_cast<QKeyEvent*>(event);
        // Keys with Alt held reach the dialog-key hook once, at the focused control.
        QWidget* focus = QApplication::focusWidget();
        const bool atFocus = w && (w == focus || (!focus && w == this));
        if (atFocus && w->window() == this &&
            (ke->modifiers().testFlag(Qt::AltModifier) || ke->key() == Qt::Key_Alt))
            CMDialogKey(ke);
    }
    if (watched == ComboBox1 || watched == ComboBox2) {
        return filterComboEvent(static_cast<QComboBox*>(watched), event);
    }
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        if (box && (watched == box->lineEdit() || watched == box->view() ||
                    watched == box->view()->viewport()))
            return filterComboEvent(box, event);
    }
    if (ListView1 && (watched == ListView1 || watched == ListView1->viewport()))
        return filterListEvent(event);
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::filterComboEvent(QComboBox* box, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ComboClickArmed = true;
        return false;
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        int key = ke->key();
        ComboBox1KeyDown(key, ke->modifiers());
        const QString text = ke->text();
        if (text.size() != 1 || ke->modifiers().testFlag(Qt::ControlModifier) ||
            ke->modifiers().testFlag(Qt::AltModifier))
            return false;
        QChar typed = text.at(0);
        const QChar original = typed;
        if (box == ComboBox1)
            ComboBox1KeyPress(typed);
        else
            ComboBox2KeyPress(typed);
        if (typed.isNull())
            return true;
        if (!typed.isPrint())
            return typed != original;
        const QChar shown = upperCased(typed);
        if (shown == original)
            return false;
        // Replace the key by the character the handlers and the upper-case rule leave.
        if (box->view()->isVisible())
            return false;
        box->lineEdit()->insert(QString(shown));
        return true;
    }
    default:
        return false;
    }
}

bool TForm1::filterListEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        const QString text = ke->text();
        if (text.size() != 1 || ke->modifiers().testFlag(Qt::ControlModifier) ||
            ke->modifiers().testFlag(Qt::AltModifier))
            return false;
        QChar typed = text.at(0);
        ListView1KeyPress(typed);
        return typed.isNull();
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->isAutoRepeat())
            return false;
        int key = ke->key();
        ListView1KeyUp(key, ke->modifiers());
        return key == 0;
    }
    case QEvent::MouseButtonRelease:
        ListView1Click();
        return false;
    case QEvent::MouseButtonDblClick:
        ListView1DblClick();
        return false;
    default:
        return false;
    }
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
    SaveHistories();
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
