#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;

namespace {

// One line per menu entry: "menu/item", "menu/-" for a separator, "(hidden)" suffix for an
// item the user never sees.
QStringList walkMenuBar(QMenuBar* bar)
{
    QStringList lines;
    for (QAction* top : bar->actions()) {
        QMenu* menu = top->menu();
        if (!menu) {
            lines << top->text();
            continue;
        }
        for (QAction* a : menu->actions()) {
            QString line =
                top->text() + u'/' + (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (!a->isVisible())
                line += QStringLiteral(" (hidden)");
            lines << line;
        }
    }
    return lines;
}

QStringList headerTexts(QHeaderView* h)
{
    QStringList texts;
    for (int i = 0; i < h->count(); ++i)
        texts << h->model()->headerData(i, Qt::Horizontal).toString() + u' ' +
                     QString::number(h->sectionSize(i));
    return texts;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void menusInOrder()
    {
        TForm1 form;
        QStringList expected = {
            u"ﾌｧｲﾙ/ｴｸｽﾌﾟﾛｰﾗ"_s, u"ﾌｧｲﾙ/ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ"_s, u"ﾌｧｲﾙ/-"_s,         u"ﾌｧｲﾙ/閉じる"_s,
            u"編集/削除"_s,     u"編集/ｺﾋﾟｰ"_s,       u"編集/移動"_s,      u"編集/検索"_s,
            u"編集/ﾌｧｲﾙﾋﾞｭｰ"_s, u"編集/-"_s,          u"編集/名前変更"_s,  u"編集/ﾌｧｲﾙ情報変更"_s,
            u"編集/-"_s,        u"編集/すべて選択"_s, u"外部ｺﾏﾝﾄﾞ/設定"_s,
        };
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            expected << u"外部ｺﾏﾝﾄﾞ/外部ｱﾌﾟﾘ"_s + QChar(c) + u" (hidden)"_s;
        expected << u"編集ｱﾌﾟﾘ/ｴﾃﾞｨﾀ起動"_s << u"編集ｱﾌﾟﾘ/-"_s << u"編集ｱﾌﾟﾘ/設定"_s
                 << u"その他/ﾃﾞｨｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄ作成"_s << u"ﾍﾙﾌﾟ/ﾎｰﾑﾍﾟｰｼﾞ"_s << u"ﾍﾙﾌﾟ/ﾒｰﾙ"_s
                 << u"ﾍﾙﾌﾟ/-"_s << u"ﾍﾙﾌﾟ/ﾊﾞｰｼﾞｮﾝ情報"_s;
        QCOMPARE(walkMenuBar(form.MainMenu1), expected);
        QCOMPARE(walkMenuBar(form.MainMenu2), QStringList({u"閉じる"_s, u"検索"_s}));
        QCOMPARE(form.ViewClose->shortcut(), QKeySequence(Qt::Key_Escape));

        // No automatic access keys anywhere.
        for (QAction* a : form.MainMenu1->findChildren<QAction*>())
            QVERIFY2(!a->text().contains(u'&'), qPrintable(a->text()));

        // The hidden items carry tags 2 .. 27 and Alt+A .. Alt+Z.
        for (int i = 0; i < 26; ++i) {
            QAction* a = form.Menu_out[size_t(i)];
            QCOMPARE(a->data().toInt(), i + 2);
            QCOMPARE(a->shortcut(), QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + i)));
            QCOMPARE(a->objectName(), u"Menu_out"_s + QChar(char16_t(u'a' + i)));
        }
    }

    // Alt+letter reaches its hidden item from the list; the viewer menu turns them off and
    // its own Esc on.
    void shortcutsFollowTheMenuBarInForce()
    {
        TForm1 form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.ListView1->setFocus();
        QSignalSpy altZ(form.Menu_out[25], &QAction::triggered);
        QSignalSpy esc(form.ViewClose, &QAction::triggered);

        QTest::keyClick(form.ListView1, Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(altZ.count(), 1);
        // Esc in the list closes the window; the path box leaves it to the shortcuts.
        QTest::keyClick(form.ComboBox1->lineEdit(), Qt::Key_Escape);
        QCOMPARE(esc.count(), 0);

        form.ShowViewerMenu(true);
        QVERIFY(form.MainMenu2->isVisible());
        QVERIFY(!form.MainMenu1->isVisible());
        form.TextView->show();
        form.TextView->setFocus();
        QTest::keyClick(form.TextView, Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(altZ.count(), 1);
        QTest::keyClick(form.TextView, Qt::Key_Escape);
        QCOMPARE(esc.count(), 1);

        form.ShowViewerMenu(false);
        form.TextView->hide();
        QVERIFY(form.MainMenu1->isVisible());
    }

    void toolButtonsInOrder()
    {
        TForm1 form;
        QStringList seen;
        for (QAction* a : form.tlbrMyButtons->actions()) {
            if (a->isSeparator()) {
                seen << u"|"_s;
                continue;
            }
            auto* b = qobject_cast<QToolButton*>(form.tlbrMyButtons->widgetForAction(a));
            QVERIFY(b);
            QVERIFY2(!b->icon().pixmap(16).isNull(), qPrintable(b->objectName()));
            QCOMPARE(b->size(), QSize(28, 27));
            QCOMPARE(b->accessibleName(), b->toolTip());
            seen << b->objectName() + u' ' + b->toolTip();
        }
        QCOMPARE(
            seen,
            QStringList({u"tlbtnBrowse フォルダー参照"_s, u"tlbtnUpOneLevel １つ上のﾌｫﾙﾀﾞｰへ"_s,
                         u"tlbtnNewFd ﾌｫﾙﾀﾞｰの新規作成"_s, u"|"_s, u"tlbtnDel 削除"_s,
                         u"tlbtnCopy コピー"_s, u"tlbtnMove 移動"_s, u"tlbtnFindFile ﾌｧｲﾙ検索"_s,
                         u"|"_s, u"tlbtnFind 検索・絞り込み"_s, u"|"_s, u"tlbcalculat 計算機"_s}));
        QCOMPARE(form.ImageList1.size(), 17);
    }

    void keyBarAndList()
    {
        TForm1 form;
        QCOMPARE(headerTexts(form.HeaderControl1),
                 QStringList({u"L:ﾄﾞﾗｲﾌﾞ 53"_s, u"←(BS)/→:ﾌｫﾙﾀﾞ入れ替え 145"_s, u"S:ｿｰﾄ 43"_s,
                              u"M:移動 47"_s, u"F:検索 47"_s, u"D:削除 47"_s, u"C:ｺﾋﾟｰ 47"_s,
                              u"V:ﾋﾞｭｰ 47"_s, u"E:編集 50"_s}));
        QCOMPARE(headerTexts(form.HeaderControl2),
                 QStringList({u"I:ﾌｧｲﾙ情報 70"_s, u"R:名前変更 70"_s, u"SP:ﾌｧｲﾙﾘｽﾄ更新 100"_s,
                              u"ESC :終了 65"_s}));
        QVERIFY(!form.HeaderControl1->sectionsMovable());
        QVERIFY(!form.HeaderControl2->sectionsMovable());
        QCOMPARE(headerTexts(form.ListView1->header()),
                 QStringList({u"名前 180"_s, u"ｻｲｽﾞ 60"_s, u"種類 140"_s, u"更新日時 120"_s,
                              u"属性 40"_s}));
        QVERIFY(form.ListView1->uniformRowHeights());
        QCOMPARE(form.ListView1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(form.ListView1->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(form.ListView1->font().pixelSize(), 12);
        QCOMPARE(form.ListView1->model(), form.ListModel);
    }

    void controlsWhereDesigned()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QWidget* client = form.centralWidget();
        QCOMPARE(form.Coolbar1->geometry(), QRect(0, 0, client->width(), 53));
        QCOMPARE(form.Coolbar1BandText->text(), u"ディレクトリ"_s);
        QCOMPARE(form.ComboBox1->width(), 494);
        QCOMPARE(form.Panel1->geometry(), QRect(0, 53, client->width(), 40));
        QCOMPARE(form.Label1->pos(), QPoint(5, 5));
        QCOMPARE(form.Label2->pos(), QPoint(5, 22));
        QCOMPARE(form.Label3->pos(), QPoint(232, 22));
        QCOMPARE(form.ComboBox2->geometry().topLeft(), QPoint(410, 16));
        QCOMPARE(form.ComboBox2->width(), 135);
        QCOMPARE(form.HeaderControl2->geometry(),
                 QRect(0, client->height() - 17, client->width(), 17));
        QCOMPARE(form.HeaderControl1->geometry(),
                 QRect(0, client->height() - 34, client->width(), 17));
        QCOMPARE(form.ListView1->geometry(), QRect(0, 93, client->width(), client->height() - 127));
        QCOMPARE(form.GroupBox1->geometry(), QRect(10, 120, 415, 185));
        QCOMPARE(form.Label4->geometry(), QRect(5, 10, 200, 170));
        QCOMPARE(form.Label5->geometry(), QRect(210, 22, 200, 158));
        const QList<QWidget*> hiddenOnes = {form.TextView, form.GroupBox1, form.ListBox1,
                                            form.Image1,   form.RichEdit1, form.Memo1,
                                            form.MainMenu2};
        for (QWidget* hidden : hiddenOnes)
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QCOMPARE(form.TextView->font().pixelSize(), 13);
        QVERIFY(form.TextView->isReadOnly());
    }

    // The window cannot be made smaller than 560 x 400, frame included.
    void minimumSize()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(100, 100);
        QTRY_VERIFY(form.frameGeometry().width() >= 560);
        QVERIFY(form.frameGeometry().height() >= 400);
        const int extraW = form.frameGeometry().width() - form.width();
        const int extraH = form.frameGeometry().height() - form.height();
        QTRY_COMPARE(form.minimumSize(), QSize(560 - extraW, 400 - extraH));
    }

    void showSequence()
    {
        TForm1 form;
        form.CurrentDir = u"C:"_s;
        form.FileMask = u"*.TXT"_s;
        form.ComboClickArmed = false;
        form.EditingName = true;
        form.PanelShown = true;
        form.GroupBox1->show();
        QVERIFY(form.windowTitle().isEmpty() || !form.windowTitle().startsWith(u"Quorix Ver"_s));
        form.show();
        // The first listing waits for the loop: the window is on screen first.
        QVERIFY(!form.firstListingMade());
        QCOMPARE(form.windowTitle(), u"Quorix Ver1.06 (Win98/Me/2000/Xp)"_s);
        QCOMPARE(form.AppVersion, u"1.06"_s);
        QCOMPARE(form.ComboBox1->currentText(), u"C:"_s);
        QCOMPARE(form.ComboBox2->currentText(), u"*.TXT"_s);
        QCOMPARE(form.RequestedPath, u"C:"_s);
        QCOMPARE(form.LastDrive, u"C:"_s);
        QCOMPARE(form.TextLimit, 30000000);
        QCOMPARE(form.FolderImage, 16);
        QCOMPARE(form.TypeCacheCount, 16);
        QCOMPARE(form.NoIconImage, 15);
        QVERIFY(form.ComboClickArmed);
        QVERIFY(!form.EditingName);
        QVERIFY(!form.PanelShown);
        QVERIFY(!form.GroupBox1->isVisible());
        QVERIFY(!form.SuspendAutoRefresh);
        QVERIFY(form.acceptDrops());
        QTRY_VERIFY(form.firstListingMade());
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    // A left press on a box arms the pick, a key disarms it; typed letters become capitals.
    void comboBoxHooks()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (QComboBox* box : {form.ComboBox1, form.ComboBox2}) {
            form.ComboClickArmed = false;
            QTest::mousePress(box->lineEdit(), Qt::LeftButton);
            QTest::mouseRelease(box->lineEdit(), Qt::LeftButton);
            QVERIFY(form.ComboClickArmed);
            QTest::keyClick(box->lineEdit(), Qt::Key_Down);
            QVERIFY(!form.ComboClickArmed);
            QTest::mousePress(box->lineEdit(), Qt::RightButton);
            QVERIFY(!form.ComboClickArmed);
            box->lineEdit()->clear();
            box->lineEdit()->setFocus();
            // The mask box refuses ":".
            const bool path = box == form.ComboBox1;
            QTest::keyClicks(box->lineEdit(), path ? u"c:\\dat"_s : u"*.dat"_s);
            QCOMPARE(box->lineEdit()->text(), path ? u"C:\\DAT"_s : u"*.DAT"_s);
        }
    }

    void rememberWindowRect()
    {
        TForm1 form;
        form.move(120, 70);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        // Not the foreground window: nothing is taken.
        form.RememberWindowRect();
        QCOMPARE(form.MainRect.Left, 0);
        QCOMPARE(form.MainRect.Top, 0);
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.RememberWindowRect();
        QCOMPARE(form.MainRect.Left, form.frameGeometry().left());
        QCOMPARE(form.MainRect.Top, form.frameGeometry().top());
    }
};

QUORIX_TEST(MainWindowTest)
#include "tst_MainWindow.moc"
