#include "support/TestMain.h"

#include "listing/FileListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace quorix;

class FileListModelTest : public QObject
{
    Q_OBJECT

    static ListRow fileRow(const QString& name, const QString& size, RowColour colour)
    {
        ListRow r;
        r.caption = name;
        r.sizeText = size;
        r.typeText = QStringLiteral("TXT ﾌｧｲﾙ");
        r.timeText = QStringLiteral("2024-01-02 03:04");
        r.attributeText = QStringLiteral("RA");
        r.imageIndex = 18;
        r.colour = colour;
        return r;
    }

private slots:
    void columnsAndHeaders()
    {
        FileListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 5);
        const QStringList titles{QStringLiteral("名前"), QStringLiteral("ｻｲｽﾞ"),
                                 QStringLiteral("種類"), QStringLiteral("更新日時"),
                                 QStringLiteral("属性")};
        const QList<int> widths{180, 60, 140, 120, 40};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(FileListModel::defaultColumnWidth(c), widths[c]);
        }
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                     Qt::AlignRight,
                 int(Qt::AlignRight));
    }

    void rowsArriveInOneReset()
    {
        FileListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);

        std::vector<ListRow> rows;
        for (int i = 0; i < 1000; ++i)
            rows.push_back(fileRow(QStringLiteral("f%1.txt").arg(i), QStringLiteral("1KB"),
                                   RowColour::MaroonStruck));
        model.setRows(std::move(rows));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserts.size(), 0);
        QCOMPARE(model.rowCount(), 1000);

        std::vector<ListRow> back = model.takeRows();
        QCOMPARE(back.size(), size_t(1000));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(resets.size(), 2);
    }

    void rolesCarryTextsImageAndColour()
    {
        FileListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ListRow odd =
            fileRow(QStringLiteral("\uE0A0x.txt"), QStringLiteral("12KB"), RowColour::Grey);
        odd.displayName = QStringLiteral("表示.txt");
        model.setRows(
            {odd, fileRow(QStringLiteral("b.txt"), QStringLiteral("1KB"), RowColour::Navy)});

        const QModelIndex name = model.index(0, FileListModel::NameColumn);
        // Drawn and read-out texts use the friendly form; commands read the caption.
        QCOMPARE(name.data().toString(), QStringLiteral("表示.txt"));
        QCOMPARE(name.data(Qt::AccessibleTextRole).toString(), QStringLiteral("表示.txt"));
        QCOMPARE(name.data(Qt::ToolTipRole).toString(), QStringLiteral("表示.txt"));
        QCOMPARE(name.data(FileListModel::CaptionRole).toString(), QStringLiteral("\uE0A0x.txt"));
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("b.txt"));
        QCOMPARE(name.data(FileListModel::ImageIndexRole).toInt(), 18);
        QCOMPARE(name.data(FileListModel::ColourRole).toInt(), int(RowColour::Grey));
        QCOMPARE(model.index(1, 3).data(FileListModel::ColourRole).toInt(), int(RowColour::Navy));

        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("12KB"));
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                 int(Qt::AlignRight));
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("TXT ﾌｧｲﾙ"));
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("2024-01-02 03:04"));
        QCOMPARE(model.index(0, 4).data(Qt::AccessibleTextRole).toString(), QStringLiteral("RA"));
    }

    void setRowChangesOneLine()
    {
        FileListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows({fileRow(QStringLiteral("a"), {}, RowColour::WindowText),
                       fileRow(QStringLiteral("b"), {}, RowColour::WindowText)});
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setRow(1, fileRow(QStringLiteral("c"), {}, RowColour::Purple));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("c"));
        model.setRow(5,
                     fileRow(QStringLiteral("x"), {}, RowColour::Purple)); // out of range: ignored
        QCOMPARE(changed.size(), 1);
    }
};

QUORIX_TEST(FileListModelTest)
#include "tst_FileListModel.moc"
