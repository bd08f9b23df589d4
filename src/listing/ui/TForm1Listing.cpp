// Folder listing of the main window: RefreshFileList and the pictures it shows.

#include "app/ui/TForm1.h"

#include "app/DialogService.h"
#include "app/StartFolder.h"
#include "listing/FileListModel.h"
#include "listing/FolderListing.h"
#include "listing/ui/RowColourDelegate.h"
#include "listing/ui/TypeImages.h"
#include "navigation/SortCompare.h"
#include "platform/FileSystem.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTreeView>

#include <thread>

namespace quorix {

namespace {

// Folders with fewer entries make their name keys while sorting.
constexpr size_t kBackgroundKeysFrom = 5000;

// Frees the rows of the list replaced by a full refresh on a thread of its own: releasing
// 100 000 rows is work the window need not wait for.
class RowDisposer
{
public:
    ~RowDisposer() { wait(); }

    void dispose(std::vector<ListRow> rows)
    {
        wait();
        if (rows.size() < kBackgroundKeysFrom)
            return; // freed right here when rows goes out of scope
        m_thread = std::thread([old = std::move(rows)]() mutable { old.clear(); });
    }

private:
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    std::thread m_thread;
};

RowDisposer& rowDisposer()
{
    static RowDisposer disposer;
    return disposer;
}

// Caption of the first selected row (the lowest index), empty when none is selected.
QString firstSelectedCaption(const QTreeView* view, const FileListModel* model)
{
    if (model->rowCount() == 0 || !view->selectionModel())
        return {};
    int first = -1;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first < 0 ? QString() : model->row(first).caption;
}

} // namespace

void TForm1::RefreshFileList(bool PatternPreset, bool KeepSelection, bool ResortOnly)
{
    std::vector<ListRow> files;
    std::vector<ListRow> replaced;
    if (!ResortOnly) {
        // There is one folder watcher and it follows the folder shown (FolderShownChanged
        // below), so leaving drive A: for another drive starts no watcher of its own and
        // causes no second refresh; LastDrive is still kept for those who read it.
        LastDrive = driveOf(CurrentDir);
        if (CurrentDir.endsWith(u'\\'))
            CurrentDir.chop(1);
        if (!PatternPreset)
            SearchPattern = CurrentDir + u"\\*.*";
        ReselectName = KeepSelection ? firstSelectedCaption(ListView1, ListModel) : QString();

        platform::EnumResult found = platform::enumerate(SearchPattern);
        if (found.code == platform::EnumNoMatch) {
            ListModel->clear();
            ListView2.clear();
            FileCount = 0;
            FolderCount = 0;
            Label1->setText(SearchPattern);
            Label2->setText(QString::number(FileCount) + u" files " + FreeSpaceText(CurrentDir));
            FolderShownChanged();
            return;
        }
        if (found.code != platform::EnumOk) {
            DialogService::instance().messageBox(found.errorText,
                                                 QCoreApplication::applicationName(), MB_OK);
            // Back to the folder listed before: the path label holds it and its mask.
            const QString previous = Label1->text();
            const qsizetype cut = previous.lastIndexOf(u'\\');
            CurrentDir = cut < 0 ? QString() : previous.left(cut);
            if (!CurrentDir.isEmpty()) {
                ComboBox1->setEditText(CurrentDir);
                PushPathHistory();
            }
            found.entries.clear();
        }
        FolderShownChanged();
        // The old rows stay in the model until the new ones replace them in one reset.
        ListView2.clear();
        if (CurrentDir.isEmpty()) {
            ListModel->clear();
            return;
        }

        FileCount = 0;
        FolderCount = 0;
        const FileMaskMatcher mask(FileMask);
        MaskPatterns.fill(QString());
        for (int i = 0; i < mask.patterns().size() && i < int(MaskPatterns.size()); ++i)
            MaskPatterns[size_t(i)] = mask.patterns()[i];

        ui::ImageListSink images(ImageList1);
        RowBuildContext context;
        context.currentDir = CurrentDir;
        context.mask = &mask;
        context.typeCache = &TypeCache;
        context.images = &images;
        context.readIcon = readProgramIcon;
        context.folderImage = FolderImage;
        // A large folder sorted by name: its name keys are made on a second thread while
        // the rows are built here.
        std::unique_ptr<BackgroundNameKeys> nameKeys;
        std::vector<size_t> entryOfFile;
        if (sortKindForLetter(FileSort, SortKind) == SortByName &&
            found.entries.size() >= kBackgroundKeysFrom) {
            std::vector<QString> names;
            names.reserve(found.entries.size());
            for (const platform::DirEntry& e : found.entries)
                names.push_back(e.name);
            nameKeys = std::make_unique<BackgroundNameKeys>(std::move(names));
        }
        FolderCount = buildListRows(found.entries, context, files, ListView2,
                                    nameKeys ? &entryOfFile : nullptr);
        if (nameKeys) {
            std::vector<std::optional<QCollatorSortKey>> keys = nameKeys->take();
            for (size_t i = 0; i < files.size(); ++i) {
                if (std::optional<QCollatorSortKey>& key = keys[entryOfFile[i]])
                    files[i].nameKey = ListRow::NameKey{files[i].caption, std::move(*key)};
            }
        }
        FileCount = int(files.size());
        TypeCacheCount = TypeCache.count();
        if (!found.entries.empty())
            EntryPath = CurrentDir + u'\\' + found.entries.back().name;
    } else {
        ReselectName = KeepSelection ? firstSelectedCaption(ListView1, ListModel) : QString();
        // The ".." row and the folder rows are always the first FolderCount rows.
        files = ListModel->beginRebuild();
        files.erase(files.begin(), files.begin() + qBound(0, FolderCount, int(files.size())));
    }

    // Common tail: sort the files, folders on top in name order, then ".." above them.
    SortKind = sortKindForLetter(FileSort, SortKind);
    sortFileRows(files, SortKind, SortMuki == u"D");
    const bool isRoot = CurrentDir.size() <= 2;
    const std::vector<ListRow>& folders = ListView2.rows();
    std::vector<ListRow> rows;
    rows.reserve(files.size() + folders.size() + 1);
    if (!isRoot)
        rows.push_back(parentRow());
    for (ListRow folder : folders) {
        folder.imageIndex = FolderImage;
        rows.push_back(std::move(folder));
    }
    std::move(files.begin(), files.end(), std::back_inserter(rows));
    if (!isRoot && !ResortOnly)
        ++FolderCount;
    if (!ResortOnly)
        replaced = ListModel->beginRebuild();
    ListModel->endRebuild(std::move(rows));
    rowDisposer().dispose(std::move(replaced));

    Label1->setText(CurrentDir + u'\\' + FileMask);
    const int shownFolders = CurrentDir.size() < 4 ? FolderCount : FolderCount - 1;
    Label2->setText(QString::number(FileCount) + u" Files ( +" + QString::number(shownFolders) +
                    u" Folder) " + FreeSpaceText(CurrentDir));
    Label3->setText(sortLabelText(SortKind, SortMuki));

    int chosen = -1;
    if (KeepSelection && !ReselectName.isEmpty()) {
        const std::vector<ListRow>& listed = ListModel->rows();
        for (size_t i = 0; i < listed.size(); ++i) {
            if (listed[i].caption == ReselectName) {
                chosen = int(i);
                break;
            }
        }
    }
    if (chosen < 0) {
        if (FileCount != 0)
            chosen = FolderCount;
        else if (FolderCount > 0)
            chosen = 0;
    }
    if (chosen >= 0 && chosen < ListModel->rowCount()) {
        const QModelIndex index = ListModel->index(chosen, 0);
        ListView1->setFocus(Qt::OtherFocusReason);
        ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select |
                                                                QItemSelectionModel::Rows);
        ListView1->scrollTo(index, QAbstractItemView::EnsureVisible);
    }
}

void TForm1::LoadShellIcons()
{
    ui::loadShellIcons(ImageList1, ImageList2);
    // The rows draw their colours and pictures through this delegate; it is installed here,
    // before the first listing, because this runs once when the window is first shown.
    if (!qobject_cast<ui::RowColourDelegate*>(ListView1->itemDelegate()))
        ListView1->setItemDelegate(new ui::RowColourDelegate(&ImageList1, ListView1));
}

} // namespace quorix
