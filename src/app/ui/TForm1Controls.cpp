// Controls of the main window and where they sit.

#include "app/ui/TForm1.h"

#include "app/ui/Fonts.h"
#include "app/ui/MainWindowTexts.h"
#include "listing/FileListModel.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

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

} // namespace

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
    // The list's events reach eventFilter through the application-wide filter; a filter
    // of its own would run every list handler twice per event.

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

    // Combo boxes: the box, its edit field and its drop-down list report to eventFilter
    // through the application-wide filter (a filter of their own would see every event twice).
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
        // The labels grow with their texts as far as the mask box; a long count text runs
        // under the sort label rather than being cut.
        Label2->setGeometry(5, 22, 400, labelHeight);
        Label3->setGeometry(232, 22, 175, labelHeight);
        Label3->raise();
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

} // namespace quorix
