#include "store/TextOrder.h"

#include <QChar>

#include <algorithm>
#include <numeric>

namespace ferrowen {

namespace {

char32_t folded(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
    return QChar::toCaseFolded(char32_t(c));
}

} // namespace

int compareIgnoringCase(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const QChar *x = a.data();
    const QChar *y = b.data();
    for (qsizetype i = 0; i < common; ++i) {
        if (x[i] == y[i])
            continue;
        const char32_t fx = folded(x[i].unicode());
        const char32_t fy = folded(y[i].unicode());
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<int> orderIgnoringCase(const QStringList &texts, bool descending)
{
    // Folding every text first (toCaseFolded) costs more than it saves.
    std::vector<int> order(size_t(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&texts, descending](int a, int b) {
        return descending ? lessIgnoringCase(texts[b], texts[a]) : lessIgnoringCase(texts[a], texts[b]);
    });
    return order;
}

} // namespace ferrowen
