#include "support/TestMain.h"

#include "listing/FolderStaging.h"
#include "navigation/SortCompare.h"

#include <QTest>

using namespace quorix;

namespace {

ListRow row(const QString& caption, const QString& size = {}, const QString& type = {},
            const QString& time = {}, const QString& attributes = {})
{
    ListRow r;
    r.caption = caption;
    r.sizeText = size;
    r.typeText = type;
    r.timeText = time;
    r.attributeText = attributes;
    return r;
}

QStringList captions(const std::vector<ListRow>& rows)
{
    QStringList list;
    for (const ListRow& r : rows)
        list.append(r.caption);
    return list;
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

class SortingTest : public QObject
{
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name: case only decides ties")
            << 1 << false << QStringList{u"a"_qs, u"A"_qs, u"b.txt"_qs, u"B.txt"_qs, u"c"_qs};
        QTest::newRow("size ascending: 9KB before 10KB, ties stay")
            << 2 << false << QStringList{u"c"_qs, u"b.txt"_qs, u"B.txt"_qs, u"A"_qs, u"a"_qs};
        QTest::newRow("size descending")
            << 2 << true << QStringList{u"A"_qs, u"a"_qs, u"b.txt"_qs, u"B.txt"_qs, u"c"_qs};
        QTest::newRow("modified descending: newest first")
            << 4 << true << QStringList{u"B.txt"_qs, u"a"_qs, u"c"_qs, u"b.txt"_qs, u"A"_qs};
        QTest::newRow("attributes: A < H < HA < RA")
            << 5 << false << QStringList{u"c"_qs, u"B.txt"_qs, u"b.txt"_qs, u"a"_qs, u"A"_qs};
        QTest::newRow("unknown kind keeps order")
            << 0 << false << QStringList{u"b.txt"_qs, u"A"_qs, u"c"_qs, u"a"_qs, u"B.txt"_qs};
    }

    void orders()
    {
        QFETCH(int, kind);
        QFETCH(bool, descending);
        QFETCH(QStringList, expected);
        std::vector<ListRow> rows{
            row(u"b.txt"_qs, u"9KB"_qs, {}, u"2023-01-01 00:00"_qs, u"H"_qs),
            row(u"A"_qs, u"10KB"_qs, {}, u"2022-12-31 23:59"_qs, u"RA"_qs),
            row(u"c"_qs, u"0KB"_qs, {}, u"2023-01-01 10:00"_qs, {}),
            row(u"a"_qs, u"10KB"_qs, {}, u"2023-05-01 00:00"_qs, u"HA"_qs),
            row(u"B.txt"_qs, u"9KB"_qs, {}, u"2024-02-01 00:00"_qs, u"A"_qs),
        };
        // The one-off comparisons agree with the key-based sort everywhere.
        for (const ListRow& x : rows) {
            for (const ListRow& y : rows) {
                QCOMPARE(sign(CompareDescending(x, y, kind)), sign(CompareAscending(y, x, kind)));
            }
        }
        sortFileRows(rows, kind, descending);
        QCOMPARE(captions(rows), expected);
        for (size_t i = 1; i < rows.size(); ++i) {
            const int c = descending ? CompareDescending(rows[i - 1], rows[i], kind)
                                     : CompareAscending(rows[i - 1], rows[i], kind);
            QVERIFY(c <= 0);
        }
    }

    void comparisons()
    {
        QVERIFY(CompareAscending(row(u"x"_qs, u"9KB"_qs), row(u"y"_qs, u"10KB"_qs), 2) < 0);
        QCOMPARE(CompareAscending(row(u"x"_qs, u"1KB"_qs), row(u"y"_qs, u"1KB"_qs), 2), 0);
        QVERIFY(CompareDescending(row(u"x"_qs, u"9KB"_qs), row(u"y"_qs, u"10KB"_qs), 2) > 0);
        QVERIFY(CompareAscending(row(u"abc"_qs), row(u"ABD"_qs), 1) < 0);
        QVERIFY(CompareAscending(row(u"x"_qs, {}, u"b"_qs), row(u"y"_qs, {}, u"A"_qs), 3) > 0);
        QCOMPARE(CompareAscending(row(u"a"_qs), row(u"b"_qs), 0), 0);
        QCOMPARE(CompareAscending(row(u"a"_qs), row(u"b"_qs), 7), 0);
    }

    void sortKindFromLetter_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("kind");
        QTest::newRow("N") << u"N"_qs << 0 << 1;
        QTest::newRow("S") << u"S"_qs << 4 << 2;
        QTest::newRow("A") << u"A"_qs << 0 << 5;
        QTest::newRow("lower case n keeps") << u"n"_qs << 3 << 3;
        QTest::newRow("other letter keeps") << u"X"_qs << 4 << 4;
        QTest::newRow("two letters keep") << u"NS"_qs << 0 << 0;
    }

    void sortKindFromLetter()
    {
        QFETCH(QString, letter);
        QFETCH(int, previous);
        QFETCH(int, kind);
        QCOMPARE(sortKindForLetter(letter, previous), kind);
    }

    void columnClicks()
    {
        QString fileSort = u"N"_qs, sortMuki = u"U"_qs;
        applyColumnClick(1, fileSort, sortMuki);
        QCOMPARE(fileSort + sortMuki, u"SU"_qs);
        applyColumnClick(1, fileSort, sortMuki);
        QCOMPARE(fileSort + sortMuki, u"SD"_qs);
        applyColumnClick(1, fileSort, sortMuki);
        QCOMPARE(fileSort + sortMuki, u"SU"_qs);
        applyColumnClick(3, fileSort, sortMuki);
        QCOMPARE(fileSort + sortMuki, u"DU"_qs);
        sortMuki = u"?"_qs; // any text other than "D" reverses to descending
        applyColumnClick(3, fileSort, sortMuki);
        QCOMPARE(fileSort + sortMuki, u"DD"_qs);
    }

    void labels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("muki");
        QTest::addColumn<QString>("label");
        QTest::newRow("modified descending")
            << 4 << u"D"_qs << u"ソートタイプ： 更新日時   向き： 降順"_qs;
        QTest::newRow("name ascending") << 1 << u"U"_qs << u"ソートタイプ： 名前   向き： 昇順"_qs;
        QTest::newRow("size, other direction")
            << 2 << u"x"_qs << u"ソートタイプ： サイズ   向き： 昇順"_qs;
        QTest::newRow("no key") << 0 << u"D"_qs << u"ソートタイプ：   向き： 降順"_qs;
    }

    void labels()
    {
        QFETCH(int, kind);
        QFETCH(QString, muki);
        QFETCH(QString, label);
        QCOMPARE(sortLabelText(kind, muki), label);
    }

    void largeListsSortOnTwoThreadsAlike()
    {
        // Above the size where a second thread makes half of the keys and sorts half.
        std::vector<ListRow> rows;
        for (int i = 0; i < 30000; ++i) {
            const int n = (i * 7919) % 30000;
            rows.push_back(row(u"%1name%2"_qs.arg(n % 2 ? u"N"_qs : u"n"_qs).arg(n), {},
                               u"type %1"_qs.arg(n % 37)));
        }
        for (int kind : {int(SortByName), int(SortByType)}) {
            sortFileRows(rows, kind, kind == SortByType);
            for (size_t i = 1; i < rows.size(); ++i) {
                const int c = kind == SortByType ? CompareDescending(rows[i - 1], rows[i], kind)
                                                 : CompareAscending(rows[i - 1], rows[i], kind);
                QVERIFY2(c <= 0, qPrintable(rows[i - 1].caption + u" / "_qs + rows[i].caption));
                // Equal types keep the name order of the sort before (a stable sort).
                if (c == 0 && kind == SortByType)
                    QVERIFY2(CompareAscending(rows[i - 1], rows[i], SortByName) < 0,
                             qPrintable(rows[i - 1].caption + u" / "_qs + rows[i].caption));
            }
        }
    }

    void backgroundNameKeysBelongToTheirNames()
    {
        // Made by the helper thread and by the thread that takes them, in blocks.
        std::vector<QString> names;
        for (int i = 0; i < 6000; ++i)
            names.push_back(u"%1 name %2"_qs.arg(i % 3 ? u"b"_qs : u"A"_qs).arg((i * 7919) % 6000));
        BackgroundNameKeys background(names);
        std::vector<std::optional<QCollatorSortKey>> keys = background.take();
        QCOMPARE(keys.size(), names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            QVERIFY2(keys[i], qPrintable(names[i]));
            QCOMPARE(keys[i]->compare(listCollator().sortKey(names[i])), 0);
        }
    }

    void keptNameKeysFollowRenames()
    {
        std::vector<ListRow> rows{row(u"b"_qs), row(u"c"_qs), row(u"a"_qs)};
        sortFileRows(rows, SortByName, false);
        QCOMPARE(captions(rows), (QStringList{u"a"_qs, u"b"_qs, u"c"_qs}));
        QVERIFY(rows[0].cachedNameKey());
        // A row renamed in place keeps its old key struct; the key must not be used.
        rows[0].caption = u"z"_qs;
        QVERIFY(!rows[0].cachedNameKey());
        sortFileRows(rows, SortByName, false);
        QCOMPARE(captions(rows), (QStringList{u"b"_qs, u"c"_qs, u"z"_qs}));
    }

    void folderStagingKeepsNameOrder()
    {
        FolderStaging staging;
        for (const QString& name : {u"zeta"_qs, u"Alpha"_qs, u"beta"_qs, u"alpha"_qs})
            staging.add(row(name));
        QCOMPARE(captions(staging.rows()),
                 (QStringList{u"alpha"_qs, u"Alpha"_qs, u"beta"_qs, u"zeta"_qs}));
        staging.add(row(u"gamma"_qs));
        QCOMPARE(staging.rows()[3].caption, u"gamma"_qs);
        staging.clear();
        QCOMPARE(staging.size(), 0);
    }
};

QUORIX_TEST(SortingTest)
#include "tst_Sorting.moc"
