#include "support/ScriptedDialogs.h"
#include "support/TestMain.h"

#include "PeBuilder.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TForm1.h"
#include "listing/FileListModel.h"
#include "listing/FolderListing.h"
#include "listing/RowColourRule.h"
#include "listing/ui/RowColourDelegate.h"
#include "navigation/ui/TSortForm.h"
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <sys/stat.h>

using namespace quorix;
using namespace quorix::test;

namespace {

// Drive Q: is a temporary folder; files are made with given sizes, attributes and times.
class DriveFixture
{
public:
    DriveFixture()
    {
        qputenv("QUORIX_DRIVES", (u"C=/;Q="_qs + m_root.path()).toUtf8());
        platform::DriveTable::reload();
    }
    ~DriveFixture()
    {
        qunsetenv("QUORIX_DRIVES");
        platform::DriveTable::reload();
    }

    QString native(const QString& relative) const { return m_root.filePath(relative); }

    void folder(const QString& relative) { QDir(m_root.path()).mkpath(relative); }

    void file(const QString& relative, qint64 size = 0, quint32 attributes = 0,
              const QDateTime& time = {}, const QByteArray& content = {})
    {
        QDir().mkpath(QFileInfo(native(relative)).path());
        QFile f(native(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        if (size > content.size())
            f.resize(size);
        f.close();
        const QString logical = u"Q:\\"_qs + QString(relative).replace(u'/', u'\\');
        if (time.isValid())
            QVERIFY(platform::setLastWriteTime(logical, time).ok);
        if (attributes)
            QVERIFY(platform::setAttributes(logical, attributes).ok);
    }

private:
    QTemporaryDir m_root;
};

QStringList captions(const TForm1& form)
{
    QStringList list;
    for (const ListRow& r : form.ListModel->rows())
        list.append(r.caption);
    return list;
}

int selectedRow(const TForm1& form)
{
    const QModelIndexList rows = form.ListView1->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -rows.size() - 1;
}

// Exposes the delegate's style option for one cell.
class ProbeDelegate : public ui::RowColourDelegate
{
public:
    using RowColourDelegate::RowColourDelegate;
    QStyleOptionViewItem option(const QModelIndex& index) const
    {
        QStyleOptionViewItem o;
        o.font = QFont(QStringLiteral("IPAGothic"), 9);
        initStyleOption(&o, index);
        return o;
    }
};

} // namespace

class RefreshFileListTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TForm1> makeForm()
    {
        auto form = std::make_unique<TForm1>();
        createDialogs(form.get());
        form->FileMask = u"*.*"_qs;
        form->FileSort = u"N"_qs;
        form->SortMuki = u"U"_qs;
        form->LoadShellIcons();
        return form;
    }

private slots:
    void subFolderListsParentFoldersThenFiles()
    {
        DriveFixture drive;
        for (const QString& f : {u"SUB/gamma"_qs, u"SUB/Alpha"_qs, u"SUB/beta"_qs})
            drive.folder(f);
        for (int i = 11; i >= 0; --i)
            drive.file(u"SUB/f%1.txt"_qs.arg(i, 2, 10, QLatin1Char('0')), i * 100);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\SUB"_qs;
        QAbstractItemModelTester tester(form->ListModel,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(form->ListModel, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(form->ListModel, &QAbstractItemModel::rowsInserted);
        form->RefreshFileList(false, false, false);
        form->RefreshFileList(false, true, false);
        form->RefreshFileList(false, true, true);
        QCOMPARE(resets.size(), 3); // one reset per refresh, full or re-sort
        QCOMPARE(inserts.size(), 0);

        QStringList expected{u".."_qs, u"Alpha"_qs, u"beta"_qs, u"gamma"_qs};
        for (int i = 0; i < 12; ++i)
            expected.append(u"f%1.txt"_qs.arg(i, 2, 10, QLatin1Char('0')));
        QCOMPARE(captions(*form), expected);
        QCOMPARE(form->FileCount, 12);
        QCOMPARE(form->FolderCount, 4);
        QCOMPARE(form->SearchPattern, u"Q:\\SUB\\*.*"_qs);
        QCOMPARE(form->Label1->text(), u"Q:\\SUB\\*.*"_qs);
        QVERIFY2(form->Label2->text().startsWith(u"12 Files ( +3 Folder) / "_qs),
                 qPrintable(form->Label2->text()));
        QCOMPARE(form->Label3->text(), u"ソートタイプ： 名前   向き： 昇順"_qs);
        QCOMPARE(selectedRow(*form), 4); // the first file row
        QCOMPARE(form->ListView1->currentIndex().row(), 4);

        const ListRow& parent = form->ListModel->row(0);
        QCOMPARE(parent.imageIndex, 1);
        QVERIFY(parent.typeText.isEmpty() && parent.timeText.isEmpty());
        const ListRow& folder = form->ListModel->row(1);
        QCOMPARE(folder.typeText, folderTypeText());
        QCOMPARE(folder.imageIndex, 16);
        QVERIFY(folder.sizeText.isEmpty());
        QCOMPARE(form->ListModel->row(5).sizeText, u"1KB"_qs); // 100 bytes
    }

    void rootsAndEmptyFolders()
    {
        DriveFixture drive;
        drive.folder(u"EMPTY"_qs);
        auto form = makeForm();

        // An empty drive root: nothing matches, the labels say so.
        form->CurrentDir = u"Q:\\"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->CurrentDir, u"Q:"_qs);
        QCOMPARE(captions(*form), QStringList{u"EMPTY"_qs});
        QVERIFY2(form->Label2->text().startsWith(u"0 Files ( +1 Folder) "_qs),
                 qPrintable(form->Label2->text()));
        QCOMPARE(selectedRow(*form), 0);

        // A folder holding only "." and "..": the ".." row alone, selected.
        form->CurrentDir = u"Q:\\EMPTY"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(captions(*form), QStringList{u".."_qs});
        QVERIFY(form->Label2->text().startsWith(u"0 Files ( +0 Folder) "_qs));
        QCOMPARE(selectedRow(*form), 0);
    }

    void emptyDriveRootMatchesNothing()
    {
        DriveFixture drive;
        auto form = makeForm();
        form->CurrentDir = u"Q:"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->ListModel->rowCount(), 0);
        QCOMPARE(form->Label1->text(), u"Q:\\*.*"_qs);
        QVERIFY2(form->Label2->text().startsWith(u"0 files "_qs), qPrintable(form->Label2->text()));
        QCOMPARE(form->FileCount, 0);
        QCOMPARE(form->FolderCount, 0);
    }

    void maskFiltersFilesOnly()
    {
        DriveFixture drive;
        drive.folder(u"M/sub.dir"_qs);
        for (const QString& f : {u"M/x.txt"_qs, u"M/Y.TXT"_qs, u"M/z.text"_qs, u"M/t"_qs})
            drive.file(f);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\M"_qs;
        form->FileMask = u"*.TXT"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(captions(*form), (QStringList{u".."_qs, u"sub.dir"_qs, u"x.txt"_qs, u"Y.TXT"_qs}));
        QCOMPARE(form->Label1->text(), u"Q:\\M\\*.TXT"_qs);

        form->FileMask = u"*.TXT,,*.X"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(captions(*form),
                 (QStringList{u".."_qs, u"sub.dir"_qs, u"t"_qs, u"x.txt"_qs, u"Y.TXT"_qs}));
        QCOMPARE(form->MaskPatterns[0], u"*.TXT"_qs);
        QCOMPARE(form->MaskPatterns[1], QString());
        QCOMPARE(form->MaskPatterns[2], u"*.X"_qs);
    }

    void rowTextsAndColours()
    {
        DriveFixture drive;
        const QDateTime when(QDate(2021, 6, 7), QTime(8, 9, 10));
        drive.folder(u"C/hidden.dir"_qs);
        drive.file(u"C/ra.txt"_qs, 1025, platform::FA_READONLY | platform::FA_ARCHIVE, when);
        drive.file(u"C/hs.txt"_qs, 1024, platform::FA_HIDDEN | platform::FA_SYSTEM);
        drive.file(u"C/rh.txt"_qs, 0, platform::FA_HIDDEN | platform::FA_READONLY);
        drive.file(u"C/tool.exe"_qs, 0, 0, {}, buildPeWithIcon(0x2040C0));
        drive.file(u"C/dos.exe"_qs, 10);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\C"_qs;
        form->RefreshFileList(false, false, false);
        QVERIFY(platform::setAttributes(u"Q:\\C\\hidden.dir"_qs,
                                        platform::FA_DIRECTORY | platform::FA_HIDDEN)
                    .ok);
        form->RefreshFileList(false, false, false);

        auto rowOf = [&](const QString& name) -> const ListRow& {
            const int at = int(captions(*form).indexOf(name));
            return form->ListModel->row(at);
        };
        const ListRow& ra = rowOf(u"ra.txt"_qs);
        QCOMPARE(ra.sizeText, u"2KB"_qs);
        QCOMPARE(ra.attributeText, u"RA"_qs);
        QCOMPARE(ra.timeText, u"2021-06-07 08:09"_qs);
        QCOMPARE(ra.colour, RowColour::MaroonStruck);
        QCOMPARE(rowOf(u"hs.txt"_qs).attributeText, u"HS"_qs);
        QCOMPARE(rowOf(u"hs.txt"_qs).colour, RowColour::Purple);
        QCOMPARE(rowOf(u"rh.txt"_qs).colour, RowColour::Grey);
        QCOMPARE(rowOf(u"hidden.dir"_qs).colour, RowColour::WindowText);
        QVERIFY(rowOf(u"hidden.dir"_qs).attributeText.contains(u'H'));
        const ListRow& tool = rowOf(u"tool.exe"_qs);
        QCOMPARE(tool.typeText, programTypeText());
        QCOMPARE(tool.colour, RowColour::Navy);
        QVERIFY(tool.imageIndex >= 18);
        QCOMPARE(rowOf(u"dos.exe"_qs).typeText, programWithoutIconText());
        QCOMPARE(rowOf(u"dos.exe"_qs).imageIndex, 15);

        // The delegate draws the colour and the strike-out and starts from the list's font
        // on every row.
        ProbeDelegate probe(&form->ImageList1);
        const int raRow = int(captions(*form).indexOf(u"ra.txt"_qs));
        const int hsRow = int(captions(*form).indexOf(u"hs.txt"_qs));
        const QStyleOptionViewItem struck = probe.option(form->ListModel->index(raRow, 2));
        QVERIFY(struck.font.strikeOut());
        QCOMPARE(struck.palette.color(QPalette::Text), QColor(128, 0, 0));
        const QStyleOptionViewItem plain = probe.option(form->ListModel->index(hsRow, 0));
        QVERIFY(!plain.font.strikeOut());
        QCOMPARE(plain.palette.color(QPalette::Text), QColor(128, 0, 128));
        QVERIFY(plain.features & QStyleOptionViewItem::HasDecoration);
        QCOMPARE(form->ListModel->index(raRow, 0).data(Qt::AccessibleTextRole).toString(),
                 u"ra.txt"_qs);
    }

    void programIconsOnlyFromPlainFiles()
    {
        DriveFixture drive;
        drive.file(u"P/good.exe"_qs, 0, 0, {}, buildPeWithIcon(0x102030));
        drive.folder(u"P/dir.exe"_qs);
        // A FIFO would block a plain open until a writer comes; it must be refused at once.
        QVERIFY(::mkfifo(QFile::encodeName(drive.native(u"P/pipe.exe"_qs)).constData(), 0600) == 0);
        QVERIFY(readProgramIcon(u"Q:\\P\\good.exe"_qs).has_value());
        QVERIFY(!readProgramIcon(u"Q:\\P\\dir.exe"_qs).has_value());
        QVERIFY(!readProgramIcon(u"Q:\\P\\pipe.exe"_qs).has_value());
        QVERIFY(!readProgramIcon(u"Q:\\P\\missing.exe"_qs).has_value());

        auto form = makeForm();
        form->CurrentDir = u"Q:\\P"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->FileCount, 2);
        QCOMPARE(form->ListModel->row(3).caption, u"pipe.exe"_qs);
        QCOMPARE(form->ListModel->row(3).typeText, programWithoutIconText());
    }

    void typeCacheSharedAcrossFolders()
    {
        DriveFixture drive;
        drive.file(u"ONE/a.txt"_qs);
        drive.file(u"ONE/B.TXT"_qs);
        drive.file(u"TWO/c.txt"_qs);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\ONE"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->TypeCacheCount, 17);
        QCOMPARE(form->ListModel->row(1).imageIndex, form->ListModel->row(2).imageIndex);
        const qsizetype images = form->ImageList1.size();
        form->CurrentDir = u"Q:\\TWO"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->TypeCacheCount, 17);
        QCOMPARE(form->ImageList1.size(), images);
    }

    void columnClickKeepsSelection()
    {
        DriveFixture drive;
        drive.folder(u"S/zdir"_qs);
        drive.folder(u"S/adir"_qs);
        drive.file(u"S/a.txt"_qs, 20 * 1024);
        drive.file(u"S/b.txt"_qs, 9 * 1024);
        drive.file(u"S/c.txt"_qs, 10 * 1024);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\S"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(selectedRow(*form), 3);
        QCOMPARE(form->ListModel->row(3).caption, u"a.txt"_qs);

        form->ListView1ColumnClick(FileListModel::SizeColumn);
        QCOMPARE(captions(*form), (QStringList{u".."_qs, u"adir"_qs, u"zdir"_qs, u"b.txt"_qs,
                                               u"c.txt"_qs, u"a.txt"_qs}));
        QCOMPARE(selectedRow(*form), 5); // a.txt, still selected
        QCOMPARE(form->FolderCount, 3);
        QCOMPARE(form->Label3->text(), u"ソートタイプ： サイズ   向き： 昇順"_qs);

        form->ListView1ColumnClick(FileListModel::SizeColumn);
        QCOMPARE(captions(*form).mid(3), (QStringList{u"a.txt"_qs, u"c.txt"_qs, u"b.txt"_qs}));
        QCOMPARE(form->SortMuki, u"D"_qs);
        QCOMPARE(captions(*form).mid(0, 3), (QStringList{u".."_qs, u"adir"_qs, u"zdir"_qs}));

        // A row that is gone after a refresh: the default rule picks the first file row.
        form->ListView1->selectionModel()->clearSelection();
        form->ListView1->selectionModel()->select(
            form->ListModel->index(5, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QFile::remove(drive.native(u"S/b.txt"_qs));
        form->RefreshFileList(false, true, false);
        QCOMPARE(selectedRow(*form), 3);
    }

    void sortDialogDateDescending()
    {
        DriveFixture drive;
        drive.file(u"D/old.txt"_qs, 0, 0, QDateTime(QDate(2001, 1, 1), QTime(1, 0)));
        drive.file(u"D/new.txt"_qs, 0, 0, QDateTime(QDate(2024, 1, 1), QTime(1, 0)));
        drive.file(u"D/mid.txt"_qs, 0, 0, QDateTime(QDate(2010, 1, 1), QTime(1, 0)));
        auto form = makeForm();
        form->CurrentDir = u"Q:\\D"_qs;
        form->RefreshFileList(false, false, false);

        ScriptedDialogs script;
        script.expectModal(u"TSortForm"_qs, [](QObject* dialog) {
            auto* f = qobject_cast<TSortForm*>(dialog);
            f->show();
            f->RadioGroup1->buttons()->button(3)->click(); // 日付
            f->RadioGroup2->buttons()->button(0)->click(); // 降順
            f->Button1->click();
            f->hide();
            return f->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
        });
        DialogService::instance().execModal(form->SortForm, u"TSortForm"_qs);
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(form->FileSort, u"D"_qs);
        QCOMPARE(form->SortMuki, u"D"_qs);
        QCOMPARE(form->Label3->text(), u"ソートタイプ： 更新日時   向き： 降順"_qs);
        QCOMPARE(captions(*form),
                 (QStringList{u".."_qs, u"new.txt"_qs, u"mid.txt"_qs, u"old.txt"_qs}));
        QCOMPARE(form->ListModel->row(selectedRow(*form)).caption, u"mid.txt"_qs); // kept
    }

    void unknownSortLetterKeepsEnumerationOrder()
    {
        DriveFixture drive;
        drive.file(u"U/b"_qs);
        drive.file(u"U/a"_qs);
        auto form = makeForm();
        form->SortKind = 0;
        form->FileSort = u"Q"_qs;
        form->CurrentDir = u"Q:\\U"_qs;
        form->RefreshFileList(false, false, false);
        QCOMPARE(form->SortKind, 0);
        QCOMPARE(form->Label3->text(), u"ソートタイプ：   向き： 昇順"_qs);
        QCOMPARE(form->FileCount, 2);
    }

    void enumerationErrorRestoresPreviousFolder()
    {
        DriveFixture drive;
        drive.file(u"GOOD/a.txt"_qs);
        auto form = makeForm();
        form->CurrentDir = u"Q:\\GOOD"_qs;
        form->RefreshFileList(false, false, false);

        ScriptedDialogs script;
        script.expectMessage(IDOK);
        form->CurrentDir = u"Q:\\MISSING"_qs;
        form->RefreshFileList(false, false, false);
        QUORIX_VERIFY_SCRIPT(script);
        QCOMPARE(script.calls().first().text, platform::systemErrorText(3));
        QCOMPARE(script.calls().first().flags, 0);
        QCOMPARE(form->CurrentDir, u"Q:\\GOOD"_qs);
        QCOMPARE(form->ComboBox1->currentText(), u"Q:\\GOOD"_qs);
        QCOMPARE(captions(*form), QStringList{u".."_qs});
        QCOMPARE(form->Label1->text(), u"Q:\\GOOD\\*.*"_qs);
    }
};

QUORIX_TEST(RefreshFileListTest)
#include "tst_RefreshFileList.moc"
