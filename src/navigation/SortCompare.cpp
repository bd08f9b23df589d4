#include "navigation/SortCompare.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace quorix {

namespace {

// The size text without its "KB", as a number; texts that are no number count as 0.
int sizeNumber(const ListRow& row)
{
    return QStringView(row.sizeText).chopped(qMin<qsizetype>(2, row.sizeText.size())).toInt();
}

const QString& sortText(const ListRow& row, int sortKind)
{
    switch (sortKind) {
    case SortByType:
        return row.typeText;
    case SortByTime:
        return row.timeText;
    case SortByAttributes:
        return row.attributeText;
    default:
        return row.caption;
    }
}

int baseCompare(const ListRow& a, const ListRow& b, int sortKind)
{
    switch (sortKind) {
    case SortByName:
    case SortByType:
    case SortByTime:
    case SortByAttributes:
        return listCollator().compare(sortText(a, sortKind), sortText(b, sortKind));
    case SortBySize:
        return sizeNumber(a) - sizeNumber(b);
    default:
        return 0;
    }
}

template <typename Less>
void permuteBy(std::vector<ListRow>& rows, Less less)
{
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    std::vector<ListRow> sorted;
    sorted.reserve(rows.size());
    for (int i : order)
        sorted.push_back(std::move(rows[size_t(i)]));
    rows = std::move(sorted);
}

} // namespace

int sortKindForLetter(const QString& fileSort, int previous)
{
    static const QString letters = QStringLiteral("NSTDA");
    if (fileSort.size() != 1)
        return previous;
    const qsizetype at = letters.indexOf(fileSort.at(0));
    return at < 0 ? previous : int(at) + 1;
}

const QCollator& listCollator()
{
    // The C locale collates by code point, which would put every upper-case name before
    // the lower-case ones; such a user gets the neutral collation instead.
    static QCollator collator;
    static QString forLocale;
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    if (forLocale != locale.name() || forLocale.isEmpty()) {
        collator = QCollator(locale);
        collator.setCaseSensitivity(Qt::CaseSensitive);
        collator.setNumericMode(false);
        collator.setIgnorePunctuation(false);
        forLocale = locale.name();
    }
    return collator;
}

int CompareAscending(const ListRow& a, const ListRow& b, int sortKind)
{
    return baseCompare(a, b, sortKind);
}

int CompareDescending(const ListRow& a, const ListRow& b, int sortKind)
{
    return baseCompare(b, a, sortKind);
}

void sortFileRows(std::vector<ListRow>& rows, int sortKind, bool descending)
{
    if (rows.size() < 2)
        return;
    if (sortKind == SortBySize) {
        std::vector<int> n(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            n[i] = sizeNumber(rows[i]);
        permuteBy(rows, [&](int x, int y) {
            return descending ? n[size_t(y)] < n[size_t(x)] : n[size_t(x)] < n[size_t(y)];
        });
        return;
    }
    if (sortKind < SortByName || sortKind > SortByAttributes)
        return; // every comparison gives 0: the order stays
    const QCollator& collator = listCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows.size());
    for (const ListRow& r : rows)
        keys.push_back(collator.sortKey(sortText(r, sortKind)));
    permuteBy(rows, [&](int x, int y) {
        const int c = keys[size_t(x)].compare(keys[size_t(y)]);
        return descending ? c > 0 : c < 0;
    });
}

void sortByCaption(std::vector<ListRow>& rows)
{
    sortFileRows(rows, SortByName, false);
}

QString sortLabelText(int sortKind, const QString& sortMuki)
{
    static const char16_t* const keyTexts[] = {u" 名前", u" サイズ", u" 種類", u" 更新日時",
                                               u" 属性"};
    QString label = QStringLiteral("ソートタイプ：");
    if (sortKind >= SortByName && sortKind <= SortByAttributes)
        label += QString::fromUtf16(keyTexts[sortKind - 1]);
    label += sortMuki == u"D" ? QStringLiteral("   向き： 降順") : QStringLiteral("   向き： 昇順");
    return label;
}

QString sortLetterForColumn(int column)
{
    static const QString letters = QStringLiteral("NSTDA");
    return column >= 0 && column < letters.size() ? QString(letters.at(column)) : QString();
}

void applyColumnClick(int column, QString& fileSort, QString& sortMuki)
{
    const QString letter = sortLetterForColumn(column);
    if (letter.isEmpty())
        return;
    if (fileSort == letter)
        sortMuki = sortMuki == u"D" ? QStringLiteral("U") : QStringLiteral("D");
    fileSort = letter;
}

} // namespace quorix
