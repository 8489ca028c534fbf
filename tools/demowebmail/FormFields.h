#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace ferrowen::demowebmail {

// The fields of a form-encoded text (a posted form body or a query string),
// decoded and kept in the order they were sent. "+" stands for a space and
// %XX escapes are bytes in the encoding of the page that sent the form
// (UTF-8 unless charset names another). A bare name without "=" (the "SEND"
// in "box=Inbox&SEND") is a field with an empty value.
class FormFields
{
public:
    static FormFields parse(const QByteArray &encoded, const QString &charset = QStringLiteral("UTF-8"));

    bool contains(const QString &name) const;
    // The first value sent under the name; empty when the name is absent.
    QString value(const QString &name) const;
    QStringList values(const QString &name) const;
    const QList<QPair<QString, QString>> &items() const { return m_items; }

private:
    QList<QPair<QString, QString>> m_items;
};

} // namespace ferrowen::demowebmail
