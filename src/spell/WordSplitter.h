#pragma once

#include <QList>
#include <QString>

namespace ferrowen {

struct TextWord
{
    int offset = 0; // in the text, 0-based
    int length = 0;
    QString text;
};

// The words of a text, by the Unicode word boundaries: "don't" is one word,
// the stops and blanks around words are not part of them. Runs without a
// letter (numbers, punctuation) are not words.
QList<TextWord> splitWords(const QString &text);

} // namespace ferrowen
