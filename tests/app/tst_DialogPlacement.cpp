#include "support/TestMain.h"

#include "app/DialogPlacement.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TForm1.h"
#include "commands/ui/TAppopenForm.h"
#include "commands/ui/TOutAppForm.h"
#include "commands/ui/TSettingForm.h"
#include "fileinfo/ui/TFileInfoForm.h"
#include "fileops/ui/TPlusCopyForm.h"
#include "fileops/ui/TRNameAForm.h"
#include "fileops/ui/TRNameForm.h"
#include "find/ui/TFindForm.h"
#include "navigation/ui/TSortForm.h"

#include <QTest>

using namespace quorix;

class DialogPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void centredOrigin_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("mainSize");
        QTest::addColumn<int>("dialogSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("worked example") << 100 << 600 << 213 << 294;
        QTest::newRow("odd main size") << 0 << 601 << 100 << 250;
        // Halving truncates toward zero and nothing clamps the result.
        QTest::newRow("off screen to the left") << -7 << 3 << 1001 << -506;
        QTest::newRow("never remembered") << 0 << 580 << 242 << 169;
    }
    void centredOrigin()
    {
        QFETCH(int, edge);
        QFETCH(int, mainSize);
        QFETCH(int, dialogSize);
        QFETCH(int, expected);
        QCOMPARE(quorix::centredOrigin(edge, mainSize, dialogSize), expected);
    }

    // The nine dialogs exist once each, hidden, with their captions and client sizes.
    void dialogsCreatedOnce()
    {
        TForm1 form;
        createDialogs(&form);
        const QList<std::tuple<QDialog*, QString, QSize>> expected = {
            {form.PlusCopyForm, QString(), QSize(242, 213)},
            {form.FindForm, QStringLiteral("絞り込み・検索"), QSize()},
            {form.SortForm, QStringLiteral("ソートタイプ"), QSize()},
            {form.FileInfoForm, QStringLiteral("ﾌｧｲﾙ情報"), QSize(392, 273)},
            {form.OutAppForm, QStringLiteral("引数"), QSize(342, 173)},
            {form.AppopenForm, QStringLiteral("外部コマンド設定"), QSize(494, 366)},
            {form.RNameAForm, QStringLiteral("名前変更"), QSize(372, 116)},
            {form.RNameForm, QStringLiteral("名前変更"), QSize(372, 167)},
            {form.SettingForm, QStringLiteral("設定画面"), QSize(442, 138)},
        };
        for (const auto& [dialog, caption, size] : expected) {
            QVERIFY(dialog);
            if (!caption.isNull())
                QCOMPARE(dialog->windowTitle(), caption);
            if (size.isValid())
                QCOMPARE(dialog->size(), size);
            QVERIFY(!dialog->isVisible());
            QCOMPARE(dialog->parentWidget(), &form);
        }
        QCOMPARE(form.findChildren<QDialog*>(Qt::FindDirectChildrenOnly).size(), 9);
    }

    // A dialog shown by the program places itself from MainRect and the live window size.
    void dialogCentresItselfWhenShown()
    {
        TForm1 form;
        createDialogs(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const int frameExtra = form.frameGeometry().height() - form.height();
        form.resize(580, 600 - frameExtra);
        QTRY_COMPARE(form.frameGeometry().height(), 600);
        form.MainRect.Left = 40;
        form.MainRect.Top = 100;
        TPlusCopyForm* dialog = form.PlusCopyForm;
        QVERIFY(dialog);
        QCOMPARE(dialog->height(), 213);
        dialog->show();
        QCOMPARE(dialog->frameGeometry().top(), 294);
        QCOMPARE(dialog->frameGeometry().left(), 40 + form.frameGeometry().width() / 2 - 242 / 2);
        dialog->hide();
    }
};

QUORIX_TEST(DialogPlacementTest)
#include "tst_DialogPlacement.moc"
