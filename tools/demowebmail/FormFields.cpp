#include "demowebmail/FormFields.h"

#include <QStringDecoder>
#include <QStringList>

namespace ferrowen::demowebmail {

namespace {

QString decodeComponent(QByteArray component, const QString &charset)
{
    // The plus sign must become a space before the escapes are decoded, so
    // that an encoded plus (%2B) survives as "+".
    component.replace('+', ' ');
    QStringDecoder decoder(charset.toLatin1().constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArray::fromPercentEncoding(component));
}

} // namespace

FormFields FormFields::parse(const QByteArray &encoded, const QString &charset)
{
    FormFields fields;
    for (const QByteArray &part : encoded.split('&')) {
        if (part.isEmpty())
            continue;
        const int equals = part.indexOf('=');
        const QByteArray name = equals < 0 ? part : part.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : part.mid(equals + 1);
        fields.m_items.append({decodeComponent(name, charset), decodeComponent(value, charset)});
    }
    return fields;
}

bool FormFields::contains(const QString &name) const
{
    for (const auto &item : m_items) {
        if (item.first == name)
            return true;
    }
    return false;
}

QString FormFields::value(const QString &name) const
{
    for (const auto &item : m_items) {
        if (item.first == name)
            return item.second;
    }
    return {};
}

QStringList FormFields::values(const QString &name) const
{
    QStringList found;
    for (const auto &item : m_items) {
        if (item.first == name)
            found.append(item.second);
    }
    return found;
}

} // namespace ferrowen::demowebmail
