#pragma once

// Lets GoogleTest print Qt strings as text in failure messages. Every test
// program includes this header through the build.
#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
    *os << ']';
}

inline void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
