#include "spell/WordSplitter.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace ferrowen {

QList<TextWord> splitWords(const QString &text)
{
    QList<TextWord> words;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    int start = 0;
    while (finder.toNextBoundary() >= 0) {
        const int end = int(finder.position());
        const QStringView piece = QStringView(text).mid(start, end - start);
        if (std::any_of(piece.begin(), piece.end(), [](QChar c) { return c.isLetter(); }))
            words.append({start, end - start, piece.toString()});
        start = end;
    }
    return words;
}

} // namespace ferrowen
