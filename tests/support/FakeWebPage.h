#pragma once

#include "platform/WebPage.h"

#include <QList>
#include <QString>

namespace ferrowen::testing {

struct FakeElement
{
    QString form; // the form's name when the element is a form field
    QString id;
    QString name;
    QString value;
    QString innerText;
    QString innerHTML;
};

// An in-memory document with forms and elements, looked up the way the
// real pages are: exact names first, then names in any case. Only what the
// compose automation uses is there; the rest fails as a missing element.
class FakeWebPage : public WebPage
{
public:
    QString url;
    QList<FakeElement> elements;

    FakeElement &addField(const QString &form, const QString &name, const QString &value = QString());
    FakeElement &addElement(const QString &id, const QString &innerText = QString());
    FakeElement *field(const QString &form, const QString &name);
    // Replaces the document: earlier references go stale.
    void clear();

    QString location() override { return url; }
    QString bodyText() override { return {}; }
    QVariant readProperty(const ElementRef &element, ElementProperty property) override;
    void writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value) override;

protected:
    ElementRef lookupById(const QString &idOrName) override;
    ElementRef lookupFormField(const QString &form, const QString &field) override;
    ElementRef lookupNamedFormField(const QString &form, const QString &field) override
    {
        return lookupFormField(form, field);
    }
    int countElements() override { throw WebPageError(QStringLiteral("not in the fake")); }
    ElementRef lookupElementAt(int) override { throw WebPageError(QStringLiteral("not in the fake")); }
    int countFormElements(const QString &) override { throw WebPageError(QStringLiteral("not in the fake")); }
    ElementRef lookupFormElementAt(const QString &, int) override { throw WebPageError(QStringLiteral("not in the fake")); }

private:
    // The first element that matches exactly, else the first that matches
    // in any case.
    template<typename Matches>
    ElementRef find(Matches matches, const QString &what);
    FakeElement &at(const ElementRef &ref);

    QString m_generation = QStringLiteral("doc1");
};

} // namespace ferrowen::testing
