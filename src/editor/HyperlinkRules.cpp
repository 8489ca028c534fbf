#include "editor/HyperlinkRules.h"

#include "editor/TagValue.h"

namespace ferrowen {

LinkFields linkFields(const QString &href)
{
    LinkFields fields;
    const int hash = int(href.indexOf(QLatin1Char('#')));
    fields.address = hash < 0 ? href : href.left(hash);
    if (hash >= 0)
        fields.bookmark = href.mid(hash + 1);
    // The box always offers the start of an address; "#" alone shows it too.
    if (fields.address.trimmed().isEmpty())
        fields.address = QLatin1String(EmptyAddressBoxText);
    return fields;
}

QString linkAddress(const QString &addressBox, const QString &bookmark)
{
    QString address = addressBox.trimmed();
    if (address.compare(QLatin1String(EmptyAddressBoxText), Qt::CaseInsensitive) == 0)
        address.clear();
    const QString name = bookmark.trimmed();
    return name.isEmpty() ? address : address + QLatin1Char('#') + name;
}

QStringList bookmarkNames(const QString &documentHtml)
{
    QStringList names;
    int at = 0;
    while ((at = int(documentHtml.indexOf(QLatin1String("<a"), at, Qt::CaseInsensitive))) >= 0) {
        const QChar next = at + 2 < documentHtml.size() ? documentHtml.at(at + 2) : QChar();
        if (next.isSpace()) {
            const QString name = TagValue(documentHtml, at + 1, QStringLiteral("NAME"), QString(), TagValueMode::Read).text;
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
        at += 2;
    }
    return names;
}

QString linkWithTarget(const QString &linkHtml, const QString &target)
{
    const QString changed = TagValue(linkHtml, 1, QStringLiteral("TARGET"), target.trimmed(), TagValueMode::SetValue).text;
    return changed.isEmpty() ? linkHtml : changed;
}

int trailingBlankLength(const QString &selectedText)
{
    const bool blank = !selectedText.isEmpty()
                       && (selectedText.endsWith(QLatin1Char(' ')) || selectedText.endsWith(QChar(0x00A0)));
    return blank ? 1 : 0;
}

} // namespace ferrowen
