#include "webmail/QuotedBody.h"

namespace ferrowen {

namespace {
constexpr int WrapColumn = 43;
}

QString wrapBodyLines(const QString &body)
{
    QString wrapped = body;
    int column = 1;
    for (QChar &c : wrapped) {
        if (c == QLatin1Char('\n')) {
            column = 1;
        } else if (c == QLatin1Char(' ') && column >= WrapColumn) {
            c = QLatin1Char('\n');
            column = 1;
        } else {
            ++column;
        }
    }
    return wrapped;
}

QString quoteBodyLines(const QString &body)
{
    QString quoted = body;
    return quoted.replace(QLatin1String("\n"), QLatin1String("\n>"));
}

QString plainTextMirrorHtml(const QString &body)
{
    // The body is text (a mailto link's body comes from any web page): it
    // must not become markup in the provider's page.
    QString html = body;
    html.replace(QLatin1String("&"), QLatin1String("&amp;"));
    html.replace(QLatin1String("<"), QLatin1String("&lt;"));
    return html.replace(QLatin1String(">"), QLatin1String("<BR>&gt;"));
}

QString withoutCaption(const QString &value)
{
    const int colon = value.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return value;
    // The saved file puts a non-breaking space after each caption: it goes
    // too, or a reply's recipient and subject would start with it.
    int start = colon + 1;
    while (start < value.size() && (value.at(start) == QLatin1Char(' ') || value.at(start) == QChar(0x00a0)))
        ++start;
    return value.mid(start);
}

} // namespace ferrowen
