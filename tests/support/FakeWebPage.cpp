#include "FakeWebPage.h"

namespace ferrowen::testing {

namespace {

bool sameName(const QString &a, const QString &b, Qt::CaseSensitivity cs)
{
    return !a.isEmpty() && a.compare(b, cs) == 0;
}

} // namespace

FakeElement &FakeWebPage::addField(const QString &form, const QString &name, const QString &value)
{
    elements.append({form, QString(), name, value, QString(), QString()});
    return elements.last();
}

FakeElement &FakeWebPage::addElement(const QString &id, const QString &innerText)
{
    elements.append({QString(), id, QString(), QString(), innerText, innerText});
    return elements.last();
}

FakeElement *FakeWebPage::field(const QString &form, const QString &name)
{
    for (auto &e : elements) {
        if (e.form == form && e.name == name)
            return &e;
    }
    return nullptr;
}

void FakeWebPage::clear()
{
    elements.clear();
    m_generation += QLatin1Char('+');
}

template<typename Matches>
ElementRef FakeWebPage::find(Matches matches, const QString &what)
{
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int i = 0; i < elements.size(); ++i) {
            if (matches(elements[i], cs))
                return {m_generation, i};
        }
    }
    throw WebPageError(QStringLiteral("no ") + what);
}

FakeElement &FakeWebPage::at(const ElementRef &ref)
{
    if (ref.document != m_generation || ref.index < 0 || ref.index >= elements.size())
        throw WebPageError(QStringLiteral("stale element"));
    return elements[ref.index];
}

ElementRef FakeWebPage::lookupById(const QString &idOrName)
{
    // Ids before names, each exactly.
    for (QString FakeElement::*key : {&FakeElement::id, &FakeElement::name}) {
        for (int i = 0; i < elements.size(); ++i) {
            if (elements[i].*key == idOrName)
                return {m_generation, i};
        }
    }
    throw WebPageError(QStringLiteral("no element ") + idOrName);
}

ElementRef FakeWebPage::lookupFormField(const QString &form, const QString &field)
{
    // The form is the one of that exact name if there is one.
    const ElementRef anyOfForm =
        find([&](const FakeElement &e, Qt::CaseSensitivity cs) { return sameName(e.form, form, cs); }, form);
    const QString formName = elements[anyOfForm.index].form;
    return find([&](const FakeElement &e, Qt::CaseSensitivity cs) { return e.form == formName && sameName(e.name, field, cs); },
                field);
}

QVariant FakeWebPage::readProperty(const ElementRef &ref, ElementProperty property)
{
    const FakeElement &e = at(ref);
    switch (property) {
    case ElementProperty::Value: return e.value;
    case ElementProperty::InnerText: return e.innerText;
    case ElementProperty::InnerHtml: return e.innerHTML;
    default: throw WebPageError(QStringLiteral("not in the fake"));
    }
}

void FakeWebPage::writeProperty(const ElementRef &ref, ElementProperty property, const QVariant &value)
{
    FakeElement &e = at(ref);
    switch (property) {
    case ElementProperty::Value: e.value = value.toString(); break;
    case ElementProperty::InnerHtml: e.innerHTML = value.toString(); break;
    default: throw WebPageError(QStringLiteral("read-only property"));
    }
}

} // namespace ferrowen::testing
