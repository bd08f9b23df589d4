#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "support/DriveSandbox.h"
#include "RecordingLauncher.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"
#include "navigation/DriveMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeView>

using namespace quorix;
using namespace quorix::test;
using namespace Qt::StringLiterals;

namespace {

// The main window on a folder of sandboxed drives, listed and ready for keys.
class Window
{
public:
    explicit Window(const QString& folder)
    {
        form = std::make_unique<TForm1>();
        form->CurrentDir = folder;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->RefreshFileList(false, false, false);
        form->ListView1->setFocus();
    }
    ~Window()
    {
        if (form)
            form->hide();
    }

    QStringList captions() const
    {
        QStringList out;
        for (const ListRow& r : form->ListModel->rows())
            out << r.caption;
        return out;
    }
    QString selected() const
    {
        const QModelIndexList rows = form->ListView1->selectionModel()->selectedRows();
        return rows.isEmpty() ? QString() : form->ListModel->row(rows.first().row()).caption;
    }
    void select(const QString& caption)
    {
        const int row = int(captions().indexOf(caption));
        QVERIFY2(row >= 0, qPrintable(caption));
        form->SelectItemAt(row);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(form->ListView1, k, m);
    }
    void type(QComboBox* box, const QString& text)
    {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    }
    QStringList history(QComboBox* box) const
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

    std::unique_ptr<TForm1> form;
};

} // namespace

class NavigationFlowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DriveSandbox> drives;

private slots:
    void init()
    {
        drives = std::make_unique<DriveSandbox>(QStringList{u"C"_s, u"D"_s});
        drives->mkdir(u'C', u"A/B/C1"_s);
        drives->mkdir(u'C', u"A/X"_s);
        drives->write(u'C', u"A/B/FILE.TXT"_s);
        drives->write(u'C', u"A/B/XRAY.DOC"_s);
        drives->write(u'C', u"A/B/DELTA.TXT"_s);
        drives->write(u'C', u"A/B/ALPHA.TXT"_s);
        drives->write(u'D', u"ONLY-ON-D.TXT"_s);
    }
    void cleanup() { drives.reset(); }

    void upOneLevelSelectsTheFolderLeft()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        w.key(Qt::Key_Backspace);
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QCOMPARE(w.selected(), u"B"_s);
        QCOMPARE(w.form->ComboBox1->currentText(), u"C:\\A"_s);
        w.key(Qt::Key_Left);
        QCOMPARE(w.form->CurrentDir, u"C:"_s);
        QCOMPARE(w.selected(), u"A"_s);
        // In a drive root neither key does anything.
        w.key(Qt::Key_Backspace);
        w.key(Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(w.form->CurrentDir, u"C:"_s);
        QCOMPARE(w.selected(), u"A"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    // Holding Left down repeats the press; only the real release goes up, once.
    void heldLeftArrowGoesUpOnce()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        QWidget* list = w.form->ListView1;
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(list, &press);
            if (i < 2) {
                QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(list, &repeat);
            }
        }
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);
        w.form->PanelShown = true;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QVERIFY(!w.form->PanelShown);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void controlCharactersActAsTheirKeys()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        w.key(Qt::Key_H, Qt::ControlModifier); // Backspace
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        w.select(u"X"_s);
        w.key(Qt::Key_M, Qt::ControlModifier); // Enter
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\X"_s);
        QVERIFY(w.form->isVisible());
        w.key(Qt::Key_BracketLeft, Qt::ControlModifier); // Esc closes the window
        QTRY_VERIFY(!w.form->isVisible());
        QUORIX_VERIFY_SCRIPT(script);
    }

    void enterAndRightGoIntoFolders()
    {
        ScriptedDialogs script;
        Window w(u"C:"_s);
        w.select(u"A"_s);
        w.key(Qt::Key_Return);
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QCOMPARE(w.history(w.form->ComboBox1).value(0), u"C:\\A"_s);
        w.select(u"B"_s);
        w.key(Qt::Key_Right);
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);
        // Right on a file or on ".." does nothing; E on ".." goes up.
        w.select(u"FILE.TXT"_s);
        w.key(Qt::Key_Right);
        w.select(u".."_s);
        w.key(Qt::Key_Right);
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);
        w.key(Qt::Key_E);
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QCOMPARE(w.selected(), u"B"_s);
        // Enter on "..": up as well.
        w.select(u".."_s);
        w.key(Qt::Key_Return);
        QCOMPARE(w.form->CurrentDir, u"C:"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void enterOnAFileOpensItAndKeepsTheList()
    {
        ScriptedDialogs script;
        RecordingLauncher launcher;
        Window w(u"C:\\A\\B"_s);
        w.select(u"FILE.TXT"_s);
        const QStringList before = w.captions();
        w.key(Qt::Key_Return);
        QCOMPARE(launcher.started.size(), 1);
        QCOMPARE(launcher.started[0],
                 (QList<QByteArray>{"xdg-open", drives->native(u'C', u"A/B/FILE.TXT"_s).toUtf8()}));
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);
        QCOMPARE(w.captions(), before);
        QCOMPARE(w.selected(), u"FILE.TXT"_s);
        // A double click does the same.
        QTest::mouseDClick(
            w.form->ListView1->viewport(), Qt::LeftButton, {},
            w.form->ListView1
                ->visualRect(w.form->ListModel->index(int(before.indexOf(u"FILE.TXT"_s)), 0))
                .center());
        QCOMPARE(launcher.started.size(), 2);
        QUORIX_VERIFY_SCRIPT(script);
    }

    // No row selected: Enter, Right and double-click do nothing.
    void withoutASelectionNothingOpens()
    {
        ScriptedDialogs script;
        RecordingLauncher launcher;
        Window w(u"C:\\A"_s);
        w.form->ListView1->selectionModel()->clearSelection();
        w.key(Qt::Key_Return);
        w.key(Qt::Key_Right);
        w.form->ListView1DblClick();
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QVERIFY(launcher.started.isEmpty());
        QUORIX_VERIFY_SCRIPT(script);
    }

    // Characters are not the list's type-to-select while no name is edited; while one
    // is, they are, and D does not delete.
    void editingNameHandsCharactersToTheList()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        w.select(u"FILE.TXT"_s);
        w.key(Qt::Key_X);
        QCOMPARE(w.selected(), u"FILE.TXT"_s);
        w.form->EditingName = true;
        w.key(Qt::Key_D);
        QCOMPARE(w.selected(), u"DELTA.TXT"_s);
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);
        QVERIFY(w.form->EditingName);
        // A click ends it.
        QTest::mouseClick(w.form->ListView1->viewport(), Qt::LeftButton, {},
                          w.form->ListView1->visualRect(w.form->ListModel->index(0, 0)).center());
        QVERIFY(!w.form->EditingName);
        // After a rename cancelled with Esc the flag stays; the first Enter clears it and
        // opens the selected row.
        RecordingLauncher launcher;
        w.select(u"FILE.TXT"_s);
        w.form->EditingName = true;
        w.key(Qt::Key_Return);
        QVERIFY(!w.form->EditingName);
        QCOMPARE(launcher.started.size(), 1);
        QUORIX_VERIFY_SCRIPT(script);
    }

    // Tab is no character for the list: it moves the focus on.
    void tabLeavesTheList()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A"_s);
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.form->ListView1->setFocus();
        QTRY_VERIFY(w.form->ListView1->hasFocus());
        w.key(Qt::Key_Tab);
        QTRY_VERIFY(!w.form->ListView1->hasFocus());
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void sortKeyShowsTheSortDialog()
    {
        ScriptedDialogs script;
        script.expectModal(u"TSortForm"_s, [](QObject*) { return int(IDCANCEL); });
        Window w(u"C:\\A\\B"_s);
        createDialogs(w.form.get());
        w.key(Qt::Key_S);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void typedDriveIsListed()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A"_s);
        w.type(w.form->ComboBox1, u"D:\\"_s);
        QTest::keyClick(w.form->ComboBox1->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.form->ComboBox1->currentText(), u"D:"_s);
        QCOMPARE(w.form->CurrentDir, u"D:"_s);
        QVERIFY(w.captions().contains(u"ONLY-ON-D.TXT"_s));
        QUORIX_VERIFY_SCRIPT(script);
    }

    void unknownDriveChangesNothingButIsRemembered()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A"_s);
        w.type(w.form->ComboBox1, u"q:"_s);
        QCOMPARE(w.form->ComboBox1->currentText(), u"Q:"_s); // typed letters in capitals
        QTest::keyClick(w.form->ComboBox1->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QCOMPARE(w.form->ComboBox1->currentText(), u"Q:"_s);
        QCOMPARE(w.history(w.form->ComboBox1).value(0), u"Q:"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void missingFolderIsMadeOnYes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("はい") << int(IDYES);
        QTest::newRow("いいえ") << int(IDNO);
    }
    void missingFolderIsMadeOnYes()
    {
        QFETCH(int, answer);
        ScriptedDialogs script;
        script.expectWarning(answer);
        Window w(u"C:\\A"_s);
        w.type(w.form->ComboBox1, u"C:\\NEW\\SUB"_s);
        QTest::keyClick(w.form->ComboBox1->lineEdit(), Qt::Key_Return);
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.lastCall().text,
                 u"ディレクトリが有りません。\nC:\\NEW\\SUBを作成しますか？"_s);
        QCOMPARE(script.lastCall().position, w.form->frameGeometry().topLeft() + QPoint(50, 50));
        const bool made = QFileInfo(drives->native(u'C', u"NEW/SUB"_s)).isDir();
        if (answer == IDYES) {
            QVERIFY(made);
            QCOMPARE(w.form->CurrentDir, u"C:\\NEW\\SUB"_s);
        } else {
            QVERIFY(!made);
            QVERIFY(!QFileInfo::exists(drives->native(u'C', u"NEW"_s)));
            QCOMPARE(w.form->CurrentDir, u"C:\\A"_s);
            QCOMPARE(w.form->ComboBox1->currentText(), u"C:\\A"_s);
        }
    }

    void typedUpperCaseFindsFolder()
    {
        ScriptedDialogs script;
        drives->mkdir(u'C', u"home/user"_s);
        Window w(u"C:"_s);
        w.type(w.form->ComboBox1, u"c:\\home\\user"_s);
        QTest::keyClick(w.form->ComboBox1->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.form->CurrentDir, u"C:\\home\\user"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void refusedCharacters_data()
    {
        QTest::addColumn<bool>("pathBox");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("dot in path box")
            << true << u"A.B"_s << u"AB"_s << u"この文字はフォルダー名に使えません。\n/:,;*?<>|."_s;
        QTest::newRow("colon in mask box")
            << false << u"A:B"_s << u"AB"_s << u"この文字はフォルダー名に使えません。\n/:;?<>"_s;
        QTest::newRow("separators in mask box")
            << false << u"*.txt|*.c,x"_s << u"*.TXT|*.C,X"_s << QString();
        QTest::newRow("colon and backslash in path box")
            << true << u"c:\\x"_s << u"C:\\X"_s << QString();
    }
    void refusedCharacters()
    {
        QFETCH(bool, pathBox);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ScriptedDialogs script;
        if (!message.isEmpty())
            script.expectMessage(IDOK);
        Window w(u"C:\\A"_s);
        QComboBox* box = pathBox ? w.form->ComboBox1 : w.form->ComboBox2;
        w.type(box, typed);
        QCOMPARE(box->currentText(), shown);
        QUORIX_VERIFY_SCRIPT(script);
        if (!message.isEmpty()) {
            QCOMPARE(script.lastCall().text, message);
            QCOMPARE(script.lastCall().caption, u"確認"_s);
            QCOMPARE(script.lastCall().flags, int(MB_OK | MB_ICONSTOP));
        }
    }

    void maskIsNormalisedAndApplied_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("extension")
            << u"TXT"_s << u"*.TXT"_s << QStringList{u"ALPHA.TXT"_s, u"DELTA.TXT"_s, u"FILE.TXT"_s};
        QTest::newRow("name pattern") << u"A*.TXT"_s << u"*.A*.TXT"_s << QStringList{};
    }
    void maskIsNormalisedAndApplied()
    {
        QFETCH(QString, typed);
        QFETCH(QString, mask);
        QFETCH(QStringList, files);
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        w.type(w.form->ComboBox2, typed);
        QTest::keyClick(w.form->ComboBox2->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.form->ComboBox2->currentText(), mask);
        QCOMPARE(w.form->FileMask, mask);
        QCOMPARE(w.history(w.form->ComboBox2).value(0), mask);
        QStringList listed = w.captions();
        listed.removeAll(u".."_s);
        listed.removeAll(u"C1"_s);
        listed.sort();
        QCOMPARE(listed, files);
        QUORIX_VERIFY_SCRIPT(script);
    }

    // The arrow keys walk the path box's list without moving; a mouse pick moves, and
    // the picked entry is not doubled in the history.
    void pathBoxPicks()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        QComboBox* box = w.form->ComboBox1;
        {
            const QSignalBlocker quiet(box);
            box->clear();
            box->addItems({u"C:\\A"_s, u"D:"_s, u"C:\\A\\B"_s});
            box->setEditText(u"C:\\A\\B"_s);
        }
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(w.form->CurrentDir, u"C:\\A\\B"_s);

        box->showPopup();
        QAbstractItemView* view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QRect first = view->visualRect(view->model()->index(0, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
        QTRY_COMPARE(w.form->CurrentDir, u"C:\\A"_s);
        QCOMPARE(w.history(box), (QStringList{u"C:\\A"_s, u"D:"_s, u"C:\\A\\B"_s}));
        QCOMPARE(box->currentText(), u"C:\\A"_s);
        QCOMPARE(w.selected().isEmpty(), false);
        QUORIX_VERIFY_SCRIPT(script);
    }

    void maskBoxPicks()
    {
        ScriptedDialogs script;
        Window w(u"C:\\A\\B"_s);
        QComboBox* box = w.form->ComboBox2;
        {
            const QSignalBlocker quiet(box);
            box->clear();
            box->addItems({u"*.*"_s, u"*.DOC"_s, u"*.*"_s});
            box->setEditText(u"*.*"_s);
        }
        w.form->FileMask = u"*.*"_s;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(w.form->FileMask, u"*.*"_s);
        box->showPopup();
        QAbstractItemView* view = box->view();
        QTRY_VERIFY(view->isVisible());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(1, 0)).center());
        QTRY_COMPARE(w.form->FileMask, u"*.DOC"_s);
        QCOMPARE(w.history(box), (QStringList{u"*.DOC"_s, u"*.*"_s, u"*.*"_s}));
        QCOMPARE(w.captions().filter(u".TXT"_s), QStringList());
        QVERIFY(w.captions().contains(u"XRAY.DOC"_s));
        QUORIX_VERIFY_SCRIPT(script);
    }

    void browseForFolder()
    {
        ScriptedDialogs script;
        script.expectBrowse(u"D:\\"_s).expectBrowse(QString());
        Window w(u"C:\\A"_s);
        w.form->tlbtnBrowseClick();
        QCOMPARE(script.calls()[0].text, u"現ﾃﾞｨﾚｸﾄﾘ C:\\A"_s);
        QCOMPARE(script.calls()[0].defaultText, u"C:\\A"_s);
        QCOMPARE(w.form->CurrentDir, u"D:"_s);
        QVERIFY(w.captions().contains(u"ONLY-ON-D.TXT"_s));
        // Cancelled: the folder shown is listed again.
        w.form->tlbtnBrowseClick();
        QCOMPARE(w.form->CurrentDir, u"D:"_s);
        QUORIX_VERIFY_SCRIPT(script);
    }
};

QUORIX_TEST(NavigationFlowTest)

// The drive menu on a floppy, a fixed disk and a CD-ROM drive.
class DriveMenuFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void letterLPopsUpTheDrivesAndATypedLetterChooses()
    {
        DriveSandbox drives({u"A=removable:"_s, u"C"_s, u"D=cdrom"_s});
        drives.mkdir(u'C', u"SUB"_s);
        ScriptedDialogs script;
        Window w(u"C:\\SUB"_s);
        w.key(Qt::Key_L);
        QMenu* menu = w.form->PopupMenu1;
        QTRY_VERIFY(menu->isVisible());
        QStringList captions;
        for (QAction* a : menu->actions()) {
            captions << a->text();
            QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(captions,
                 (QStringList{u"&A: (ﾌﾛｯﾋﾟｰﾃﾞｨｽｸ)"_s, u"&C: (固定ﾃﾞｨｽｸ)"_s, u"&D: (CD-ROM)"_s}));
        QTest::keyClick(menu, Qt::Key_C);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(w.form->CurrentDir, u"C:"_s);
        QCOMPARE(w.form->ComboBox1->currentText(), u"C:"_s);
        QCOMPARE(w.form->ComboBox1->itemText(0), u"C:"_s);
        QVERIFY(w.captions().contains(u"SUB"_s));
        QUORIX_VERIFY_SCRIPT(script);
    }

    // A drive without a medium is offered; choosing it reports the failure and the
    // folder shown before comes back.
    void driveWithoutMediumReturnsToTheFolderShown()
    {
        DriveSandbox drives({u"A=removable:"_s, u"C"_s});
        drives.mkdir(u'C', u"SUB"_s);
        ScriptedDialogs script;
        script.expectMessage(IDOK);
        Window w(u"C:\\SUB"_s);
        w.key(Qt::Key_L);
        QMenu* menu = w.form->PopupMenu1;
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_A);
        QTRY_VERIFY(!menu->isVisible());
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(w.form->CurrentDir, u"C:\\SUB"_s);
    }
};

QUORIX_TEST(DriveMenuFlowTest)
#include "tst_NavigationFlow.moc"
