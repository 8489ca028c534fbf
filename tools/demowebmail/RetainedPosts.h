#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace ferrowen::demowebmail {

// How much of what was posted the site keeps and shows: it runs for days
// beside the program, and one post may hold megabytes.
namespace RetainedPosts {
// What the site keeps of each kind (sent messages, blog posts), counted in
// bytes of memory; the newest post always stays, older ones go first.
inline constexpr qint64 MaxBytes = 32 * 1024 * 1024;
// A page lists at most this many of the newest posts...
inline constexpr int MaxListed = 50;
// ...each shown up to this many characters.
inline constexpr int MaxShownCharacters = 2000;

// Bytes a string takes in memory.
inline qint64 bytesOf(const QString &text)
{
    return text.size() * qint64(sizeof(QChar));
}

// Drops the oldest entries until the rest take at most MaxBytes.
template<typename T>
void dropOldest(QList<T> &entries, const std::function<qint64(const T &)> &bytesOfEntry)
{
    qint64 total = 0;
    for (const T &entry : entries)
        total += bytesOfEntry(entry);
    qsizetype dropped = 0;
    while (total > MaxBytes && entries.size() - dropped > 1)
        total -= bytesOfEntry(entries[dropped++]);
    entries.remove(0, dropped);
}

// The text as a listing shows it: whole, or its beginning and how much
// more there is.
inline QString shownText(const QString &text)
{
    if (text.size() <= MaxShownCharacters)
        return text;
    return text.left(MaxShownCharacters) + QStringLiteral("\n[... %1 more characters]").arg(text.size() - MaxShownCharacters);
}
} // namespace RetainedPosts

} // namespace ferrowen::demowebmail
