#include "navigation/ui/TSortForm.h"

#include "app/ui/TForm1.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace quorix {

namespace {

// Letters of the items of the two groups, in item order.
const QString kKeyLetters = QStringLiteral("NSTDA");
const QString kDirectionLetters = QStringLiteral("DU");

int itemOfLetter(const QString& letters, const QString& value)
{
    return value.size() == 1 ? int(letters.indexOf(value.at(0))) : -1;
}

} // namespace

RadioGroup::RadioGroup(QWidget* parent, const QString& caption, const QStringList& items,
                       int columns)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_buttons->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // Unchecking the checked button of an exclusive group needs the group open briefly.
    m_buttons->setExclusive(false);
    for (QAbstractButton* b : m_buttons->buttons())
        b->setChecked(false);
    m_buttons->setExclusive(true);
}

void RadioGroup::focusItem()
{
    QAbstractButton* b = m_buttons->checkedButton();
    if (!b)
        b = m_buttons->button(0);
    if (b)
        b->setFocus(Qt::OtherFocusReason);
}

TSortForm::TSortForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("ソートタイプ"), QSize(240, 170))
{
    setObjectName(QStringLiteral("SortForm"));
    RadioGroup1 =
        new RadioGroup(this, QStringLiteral("ソート種類"),
                       {QStringLiteral("名前"), QStringLiteral("ｻｲｽﾞ"), QStringLiteral("種類"),
                        QStringLiteral("日付"), QStringLiteral("属性")},
                       1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 4, 104, 158);
    RadioGroup2 = new RadioGroup(this, QStringLiteral("ソート向き"),
                                 {QStringLiteral("降順"), QStringLiteral("昇順")}, 2);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(120, 4, 112, 56);

    Button1 = new QPushButton(QStringLiteral("ＯＫ"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(120, 98, 112, 26);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(120, 132, 112, 26);

    // An item chosen by click or arrow key moves the focus on, so arrow, arrow, Enter is
    // the whole dialog from the keyboard.
    // Queued: an arrow key moves the focus to the item it selects after the click, and the
    // focus must move on from there.
    connect(
        RadioGroup1->buttons(), &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); },
        Qt::QueuedConnection);
    connect(
        RadioGroup2->buttons(), &QButtonGroup::idClicked, this, [this] { RadioGroup2Click(); },
        Qt::QueuedConnection);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    setTabOrder(RadioGroup1, RadioGroup2);
    setTabOrder(RadioGroup2, Button1);
    setTabOrder(Button1, Button2);
}

void TSortForm::FormShow()
{
    QuorixDialog::FormShow();
    // A letter outside the items selects nothing, so OK keeps that setting; a direction
    // other than "D" means ascending everywhere, so it shows as 昇順.
    RadioGroup1->setItemIndex(itemOfLetter(kKeyLetters, Form1->FileSort));
    RadioGroup2->setItemIndex(Form1->SortMuki == u"D" ? 0 : 1);
    RadioGroup1->focusItem();
}

void TSortForm::RadioGroup1Click()
{
    RadioGroup2->focusItem();
}

void TSortForm::RadioGroup2Click()
{
    Button1->setFocus(Qt::OtherFocusReason);
}

void TSortForm::Button1Click()
{
    const int key = RadioGroup1->itemIndex();
    if (key >= 0)
        Form1->FileSort = kKeyLetters.at(key);
    const int direction = RadioGroup2->itemIndex();
    if (direction >= 0)
        Form1->SortMuki = kDirectionLetters.at(direction);
    Form1->RefreshFileList(false, true, true);
    accept();
}

void TSortForm::Button2Click()
{
    reject();
}

} // namespace quorix
