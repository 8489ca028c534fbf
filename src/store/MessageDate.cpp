#include "store/MessageDate.h"

#include <QLocale>
#include <QStringList>

#include <array>

namespace ferrowen {

namespace {

struct Token
{
    enum Kind { Number, Word } kind;
    QStringView text;
    int value = 0;       // Number: its value
    QChar separatorAfter; // the first separator character after it, or 0
};

// Numbers and words, split at anything else; a date needs at most a
// weekday and its three parts.
constexpr int MaxTokens = 4;

int tokenize(QStringView text, std::array<Token, MaxTokens> &tokens)
{
    int count = 0;
    qsizetype at = 0;
    while (at < text.size() && count < MaxTokens) {
        const QChar c = text[at];
        if (c.isDigit() || c.isLetter()) {
            const bool digits = c.isDigit();
            qsizetype end = at;
            int value = 0;
            while (end < text.size() && (digits ? text[end].isDigit() : text[end].isLetter())) {
                if (digits)
                    value = value < 100000 ? value * 10 + text[end].digitValue() : value;
                ++end;
            }
            tokens[count] = {digits ? Token::Number : Token::Word, text.mid(at, end - at), value, QChar()};
            if (end < text.size() && !text[end].isDigit() && !text[end].isLetter())
                tokens[count].separatorAfter = text[end];
            ++count;
            at = end;
        } else {
            ++at;
        }
    }
    return count;
}

struct MonthNames
{
    QStringList names[12];
};

const MonthNames &monthNames()
{
    static const MonthNames months = [] {
        MonthNames m;
        const QLocale english(QLocale::English);
        const QLocale system = QLocale::system();
        for (int month = 1; month <= 12; ++month) {
            for (const QLocale &locale : {english, system}) {
                for (QLocale::FormatType format : {QLocale::LongFormat, QLocale::ShortFormat}) {
                    QString name = locale.monthName(month, format);
                    name.remove(QLatin1Char('.'));
                    if (!name.isEmpty() && !m.names[month - 1].contains(name, Qt::CaseInsensitive))
                        m.names[month - 1].append(name);
                }
            }
        }
        return m;
    }();
    return months;
}

int monthOf(QStringView word)
{
    const MonthNames &months = monthNames();
    for (int month = 0; month < 12; ++month) {
        for (const QString &name : months.names[month]) {
            if (word.compare(name, Qt::CaseInsensitive) == 0)
                return month + 1;
        }
    }
    return 0;
}

// Zero, which no date has, for a number that is no year.
int fullYear(const Token &year)
{
    if (year.text.size() > 4)
        return 0;
    if (year.text.size() > 2)
        return year.value;
    return year.value < 30 ? 2000 + year.value : 1900 + year.value;
}

std::optional<QDate> dateOf(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> numericDate(const Token &a, const Token &b, const Token &c)
{
    if (a.text.size() == 4) // year first
        return dateOf(fullYear(a), b.value, c.value);
    const QChar separator = a.separatorAfter;
    int month = a.value;
    int day = b.value;
    if (separator == QLatin1Char('.') || (month > 12 && day <= 12))
        std::swap(month, day);
    return dateOf(fullYear(c), month, day);
}

} // namespace

QString sentCopyDateText(const QDateTime &when)
{
    return QLocale::c().toString(when, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

std::optional<QDate> parseMessageDate(QStringView text)
{
    std::array<Token, MaxTokens> tokens;
    const int count = tokenize(text, tokens);
    int first = 0;
    // A weekday in front ("Sat, 5 Dec 2026") is skipped.
    if (count > 0 && tokens[0].kind == Token::Word && monthOf(tokens[0].text) == 0)
        first = 1;
    if (count - first < 3)
        return std::nullopt;
    const Token &a = tokens[first];
    const Token &b = tokens[first + 1];
    const Token &c = tokens[first + 2];
    using K = Token::Kind;
    if (a.kind == K::Number && b.kind == K::Number && c.kind == K::Number)
        return numericDate(a, b, c);
    if (a.kind == K::Number && b.kind == K::Word && c.kind == K::Number)
        return dateOf(fullYear(c), monthOf(b.text), a.value);
    if (a.kind == K::Word && b.kind == K::Number && c.kind == K::Number)
        return dateOf(fullYear(c), monthOf(a.text), b.value);
    return std::nullopt;
}

} // namespace ferrowen
