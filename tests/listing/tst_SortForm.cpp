#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/ui/AppWindows.h"
#include "app/ui/TForm1.h"
#include "navigation/ui/TSortForm.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace quorix;
using namespace quorix::test;

class SortFormTest : public QObject
{
    Q_OBJECT

    // Opens the sort dialog the way the S key does and lets work drive it.
    static int runSortDialog(TForm1& form1, const std::function<void(TSortForm*)>& work)
    {
        ScriptedDialogs script;
        script.expectModal(QStringLiteral("TSortForm"), [&](QObject* dialog) {
            auto* form = qobject_cast<TSortForm*>(dialog);
            form->show();
            work(form);
            const int result = form->result() == QDialog::Accepted ? IDOK : IDCANCEL;
            form->hide();
            return result;
        });
        form1.SortForm->setResult(0);
        const int result =
            DialogService::instance().execModal(form1.SortForm, QStringLiteral("TSortForm"));
        if (!script.problems().isEmpty())
            qWarning() << script.problems();
        return result;
    }

private slots:
    void layoutTexts()
    {
        TForm1 form1;
        createDialogs(&form1);
        TSortForm* f = form1.SortForm;
        QCOMPARE(f->windowTitle(), QStringLiteral("ソートタイプ"));
        QCOMPARE(f->RadioGroup1->title(), QStringLiteral("ソート種類"));
        QCOMPARE(f->RadioGroup2->title(), QStringLiteral("ソート向き"));
        QStringList keys;
        for (QAbstractButton* b : f->RadioGroup1->buttons()->buttons())
            keys.append(b->text());
        QCOMPARE(keys, (QStringList{u"名前"_qs, u"ｻｲｽﾞ"_qs, u"種類"_qs, u"日付"_qs, u"属性"_qs}));
        QCOMPARE(f->RadioGroup2->buttons()->button(0)->text(), u"降順"_qs);
        QCOMPARE(f->RadioGroup2->buttons()->button(1)->text(), u"昇順"_qs);
        QCOMPARE(f->Button1->text(), u"ＯＫ"_qs);
        QCOMPARE(f->Button2->text(), u"ｷｬﾝｾﾙ"_qs);
    }

    void preselection_data()
    {
        QTest::addColumn<QString>("fileSort");
        QTest::addColumn<QString>("sortMuki");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("direction");
        QTest::newRow("size descending") << u"S"_qs << u"D"_qs << 1 << 0;
        QTest::newRow("attributes ascending") << u"A"_qs << u"U"_qs << 4 << 1;
        QTest::newRow("unknown letters") << u"Q"_qs << u"x"_qs << -1 << 1;
    }

    void preselection()
    {
        QFETCH(QString, fileSort);
        QFETCH(QString, sortMuki);
        QFETCH(int, key);
        QFETCH(int, direction);
        TForm1 form1;
        createDialogs(&form1);
        form1.FileSort = u"N"_qs; // a first show selects name ...
        runSortDialog(form1, [](TSortForm* f) { f->Button2->click(); });
        form1.FileSort = fileSort; // ... which must not stick when the letter is unknown
        form1.SortMuki = sortMuki;
        runSortDialog(form1, [&](TSortForm* f) {
            QCOMPARE(f->RadioGroup1->itemIndex(), key);
            QCOMPARE(f->RadioGroup2->itemIndex(), direction);
            f->Button1->click();
        });
        // OK with nothing selected keeps the setting.
        QCOMPARE(form1.FileSort, fileSort);
    }

    void keyboardFlowAppliesOnOk()
    {
        TForm1 form1;
        createDialogs(&form1);
        form1.FileSort = u"N"_qs;
        form1.SortMuki = u"U"_qs;
        const int result = runSortDialog(form1, [](TSortForm* f) {
            // An arrow in each group, then Enter: each choice moves the focus on.
            f->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f));
            QCOMPARE(f->focusWidget(), f->RadioGroup1->buttons()->button(0));
            QTest::keyClick(f->focusWidget(), Qt::Key_Down); // 名前 -> ｻｲｽﾞ
            QCOMPARE(f->RadioGroup1->itemIndex(), 1);
            QTRY_COMPARE(f->focusWidget(), f->RadioGroup2->buttons()->button(1));
            QTest::keyClick(f->focusWidget(), Qt::Key_Left); // 昇順 -> 降順
            QCOMPARE(f->RadioGroup2->itemIndex(), 0);
            QTRY_COMPARE(f->focusWidget(), f->Button1);
            QTest::keyClick(f->focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(form1.FileSort, u"S"_qs);
        QCOMPARE(form1.SortMuki, u"D"_qs);
    }

    void cancelChangesNothing()
    {
        TForm1 form1;
        createDialogs(&form1);
        form1.FileSort = u"T"_qs;
        form1.SortMuki = u"D"_qs;
        const int result = runSortDialog(form1, [](TSortForm* f) {
            f->RadioGroup1->buttons()->button(0)->click();
            f->RadioGroup2->buttons()->button(1)->click();
            f->Button2->click();
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(form1.FileSort, u"T"_qs);
        QCOMPARE(form1.SortMuki, u"D"_qs);
    }
};

QUORIX_TEST(SortFormTest)
#include "tst_SortForm.moc"
