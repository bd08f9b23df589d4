#pragma once

#include "app/ui/QuorixDialog.h"

#include <QGroupBox>

class QButtonGroup;
class QPushButton;

namespace quorix {

// A group of radio buttons with one selected item, or none (ItemIndex -1).
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(QWidget* parent, const QString& caption, const QStringList& items, int columns);

    QButtonGroup* buttons() const { return m_buttons; }
    int itemIndex() const;
    void setItemIndex(int index); // -1 selects none
    // Gives the focus to the selected item, or to the first when none is selected.
    void focusItem();

private:
    QButtonGroup* m_buttons;
};

// Sort order dialog: the sort key and the direction, applied on OK.
class TSortForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TSortForm(TForm1* form1);

    RadioGroup* RadioGroup1 = nullptr; // key: 名前 ｻｲｽﾞ 種類 日付 属性
    RadioGroup* RadioGroup2 = nullptr; // direction: 降順 昇順
    QPushButton* Button1 = nullptr;    // ＯＫ
    QPushButton* Button2 = nullptr;    // ｷｬﾝｾﾙ

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    void RadioGroup1Click();
    void RadioGroup2Click();
};

} // namespace quorix
