#include "demowebmail/PageTemplate.h"

#include <QFile>
#include <QVariantList>

namespace ferrowen::demowebmail {

namespace {

using Scopes = QList<QVariantMap>;

QVariant lookUp(const Scopes &scopes, const QString &name)
{
    for (auto scope = scopes.crbegin(); scope != scopes.crend(); ++scope) {
        const auto found = scope->constFind(name);
        if (found != scope->constEnd())
            return *found;
    }
    return {};
}

bool isShown(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QVariantList:
        return !value.toList().isEmpty();
    case QMetaType::QVariantMap:
        return true;
    default:
        return !value.toString().isEmpty();
    }
}

// Finds the "{{/name}}" that closes a section opened just before `from`,
// stepping over nested sections of the same name.
int findSectionEnd(const QString &text, const QString &name, int from)
{
    const QString close = QStringLiteral("{{/") + name + QStringLiteral("}}");
    const QString openShown = QStringLiteral("{{#") + name + QStringLiteral("}}");
    const QString openHidden = QStringLiteral("{{^") + name + QStringLiteral("}}");
    int depth = 1;
    int position = from;
    while (true) {
        const int nextClose = text.indexOf(close, position);
        if (nextClose < 0)
            return -1;
        int nextOpen = text.indexOf(openShown, position);
        const int nextHidden = text.indexOf(openHidden, position);
        if (nextOpen < 0 || (nextHidden >= 0 && nextHidden < nextOpen))
            nextOpen = nextHidden;
        if (nextOpen >= 0 && nextOpen < nextClose) {
            ++depth;
            position = nextOpen + openShown.size();
            continue;
        }
        if (--depth == 0)
            return nextClose;
        position = nextClose + close.size();
    }
}

QString renderWith(const QString &text, Scopes &scopes)
{
    QString out;
    int position = 0;
    while (position < text.size()) {
        const int open = text.indexOf(QLatin1String("{{"), position);
        if (open < 0) {
            out += QStringView(text).mid(position);
            break;
        }
        out += QStringView(text).mid(position, open - position);

        if (text.mid(open, 3) == QLatin1String("{{{")) {
            const int close = text.indexOf(QLatin1String("}}}"), open + 3);
            if (close < 0)
                return out + QStringView(text).mid(open);
            out += lookUp(scopes, text.mid(open + 3, close - open - 3).trimmed()).toString();
            position = close + 3;
            continue;
        }

        const int close = text.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0)
            return out + QStringView(text).mid(open);
        const QString tag = text.mid(open + 2, close - open - 2).trimmed();
        const QChar kind = tag.isEmpty() ? QChar() : tag.at(0);

        if (kind == QLatin1Char('#') || kind == QLatin1Char('^')) {
            const QString name = tag.mid(1).trimmed();
            const int bodyStart = close + 2;
            const int bodyEnd = findSectionEnd(text, name, bodyStart);
            if (bodyEnd < 0)
                return out; // an unclosed section hides the rest
            const QString body = text.mid(bodyStart, bodyEnd - bodyStart);
            const QVariant value = lookUp(scopes, name);
            if (kind == QLatin1Char('^')) {
                if (!isShown(value))
                    out += renderWith(body, scopes);
            } else if (value.typeId() == QMetaType::QVariantList) {
                for (const QVariant &entry : value.toList()) {
                    scopes.append(entry.toMap());
                    out += renderWith(body, scopes);
                    scopes.removeLast();
                }
            } else if (value.typeId() == QMetaType::QVariantMap) {
                scopes.append(value.toMap());
                out += renderWith(body, scopes);
                scopes.removeLast();
            } else if (isShown(value)) {
                out += renderWith(body, scopes);
            }
            position = bodyEnd + name.size() + 5; // past "{{/name}}"
            continue;
        }

        out += lookUp(scopes, tag).toString().toHtmlEscaped();
        position = close + 2;
    }
    return out;
}

} // namespace

QString PageTemplate::render(const QString &templateText, const QVariantMap &values)
{
    Scopes scopes{values};
    return renderWith(templateText, scopes);
}

QString PageTemplate::resourceText(const QString &name)
{
    QFile file(QStringLiteral(":/demowebmail/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString PageTemplate::renderResource(const QString &name, const QVariantMap &values)
{
    return render(resourceText(name), values);
}

} // namespace ferrowen::demowebmail
