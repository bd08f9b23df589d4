#include "navigation/SortCompare.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>
#include <thread>

namespace quorix {

namespace {

// Folders smaller than this sort on one thread.
constexpr size_t kParallelKeysFrom = 20000;

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

template <typename Less> void permuteBy(std::vector<ListRow>& rows, Less less)
{
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (order.size() >= kParallelKeysFrom) {
        // Each half sorted on a thread of its own, then merged: the merge takes the first
        // half's row of two equal ones, so the order is that of one stable sort.
        const auto middle = order.begin() + std::ptrdiff_t(order.size() / 2);
        std::thread helper([&] { std::stable_sort(middle, order.end(), less); });
        std::stable_sort(order.begin(), middle, less);
        helper.join();
        std::inplace_merge(order.begin(), middle, order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(), less);
    }
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

// A collator like listCollator() for use on another thread; made on the main thread.
static QCollator threadCollator()
{
    const QCollator& shared = listCollator();
    QCollator own(shared.locale());
    own.setCaseSensitivity(shared.caseSensitivity());
    own.setNumericMode(shared.numericMode());
    own.setIgnorePunctuation(shared.ignorePunctuation());
    return own;
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
    // Collation keys are the costly part of sorting a large folder; a second thread makes
    // half of them, with a collator of its own (a collator is not shared between threads).
    // Name keys made before are taken from the rows.
    const bool byName = sortKind == SortByName;
    std::vector<std::optional<QCollatorSortKey>> keys(rows.size());
    std::vector<size_t> missing;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QCollatorSortKey* kept = byName ? rows[i].cachedNameKey() : nullptr;
        if (kept)
            keys[i] = *kept;
        else
            missing.push_back(i);
    }
    auto makeKeys = [&](const QCollator& collator, size_t from, size_t to) {
        for (size_t m = from; m < to; ++m)
            keys[missing[m]].emplace(collator.sortKey(sortText(rows[missing[m]], sortKind)));
    };
    const size_t half = missing.size() >= kParallelKeysFrom ? missing.size() / 2 : missing.size();
    std::thread helper;
    if (half < missing.size()) {
        helper = std::thread([&, own = threadCollator()] { makeKeys(own, half, missing.size()); });
    }
    makeKeys(listCollator(), 0, half);
    if (helper.joinable())
        helper.join();
    if (byName) {
        for (size_t i : missing)
            rows[i].nameKey = ListRow::NameKey{rows[i].caption, *keys[i]};
    }
    permuteBy(rows, [&](int x, int y) {
        const int c = keys[size_t(x)]->compare(*keys[size_t(y)]);
        return descending ? c > 0 : c < 0;
    });
}

void sortByCaption(std::vector<ListRow>& rows)
{
    sortFileRows(rows, SortByName, false);
}

BackgroundNameKeys::BackgroundNameKeys(std::vector<QString> names)
    : m_names(std::move(names)), m_keys(m_names.size())
{
    // Read on this thread: listCollator() may only be touched here.
    QCollator collator = threadCollator();
    m_thread = std::thread([this, collator = std::move(collator)] { makeKeys(collator); });
}

void BackgroundNameKeys::makeKeys(const QCollator& collator)
{
    constexpr size_t block = 256;
    for (;;) {
        const size_t from = m_next.fetch_add(block);
        if (from >= m_names.size())
            return;
        const size_t to = std::min(from + block, m_names.size());
        for (size_t i = from; i < to; ++i)
            m_keys[i].emplace(collator.sortKey(m_names[i]));
    }
}

BackgroundNameKeys::~BackgroundNameKeys()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::optional<QCollatorSortKey>> BackgroundNameKeys::take()
{
    // The keys still to be made are shared between this thread and the helper.
    makeKeys(listCollator());
    if (m_thread.joinable())
        m_thread.join();
    return std::move(m_keys);
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
