#include "FakeWebPage.h"

#include <algorithm>

namespace ferrowen::testing {

FakeElement &FakeWebPage::addField(const QString &form, const QString &name, const QString &value)
{
    FakeElement e;
    e.form = form;
    e.name = name;
    e.value = value;
    elements.append(e);
    return elements.last();
}

FakeElement &FakeWebPage::addElement(const QString &id, const QString &innerText)
{
    FakeElement e;
    e.id = id;
    e.innerText = innerText;
    e.innerHTML = innerText;
    elements.append(e);
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

QString FakeWebPage::fieldValue(const char *form, const char *name)
{
    const FakeElement *e = field(QString::fromUtf8(form), QString::fromUtf8(name));
    return e ? e->value : QStringLiteral("<missing>");
}

void FakeWebPage::clear()
{
    elements.clear();
    text.clear();
    generation += QLatin1Char('+');
}

QString FakeWebPage::resolveForm(const QString &form) const
{
    for (const auto &e : elements) {
        if (e.form == form)
            return form;
    }
    for (const auto &e : elements) {
        if (!e.form.isEmpty() && e.form.compare(form, Qt::CaseInsensitive) == 0)
            return e.form;
    }
    throw WebPageError(QStringLiteral("no form ") + form);
}

FakeElement &FakeWebPage::at(const ElementRef &ref)
{
    if (ref.document != generation || ref.index < 0 || ref.index >= elements.size())
        throw WebPageError(QStringLiteral("stale element"));
    return elements[ref.index];
}

ElementRef FakeWebPage::lookupById(const QString &idOrName)
{
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].id == idOrName)
            return {generation, i};
    }
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].name == idOrName)
            return {generation, i};
    }
    throw WebPageError(QStringLiteral("no element ") + idOrName);
}

ElementRef FakeWebPage::lookupFormField(const QString &form, const QString &field)
{
    const QString formName = resolveForm(form);
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].form == formName && elements[i].name == field)
            return {generation, i};
    }
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].form == formName && elements[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return {generation, i};
    }
    throw WebPageError(QStringLiteral("no field ") + field);
}

int FakeWebPage::countFormElements(const QString &form)
{
    const QString formName = resolveForm(form);
    return int(std::count_if(elements.cbegin(), elements.cend(),
                             [&](const FakeElement &e) { return e.form == formName; }));
}

QList<WalkedElement> FakeWebPage::walk(const ElementWalk &walk)
{
    ++walkCalls;
    if (!walk.selector.isEmpty() || !walk.frames.isEmpty())
        throw WebPageError(QStringLiteral("the fake page knows no selectors and no frames"));
    const QString formName = walk.form.isEmpty() ? QString() : resolveForm(walk.form);
    QList<WalkedElement> found;
    for (int i = 0; i < elements.size(); ++i) {
        const ElementRef ref{generation, i};
        if (!formName.isEmpty() && elements[i].form != formName)
            continue;
        const bool meets = std::all_of(walk.conditions.cbegin(), walk.conditions.cend(), [&](const ElementCondition &c) {
            return (readProperty(ref, c.property).toString() == c.value) == c.equal;
        });
        if (!meets)
            continue;
        WalkedElement element{ref, {}};
        for (ElementProperty property : walk.read)
            element.values.append(readProperty(ref, property));
        if (walk.lastOnly)
            found.clear();
        found.append(element);
    }
    return found;
}

void FakeWebPage::clickEach(const QList<ElementRef> &refs)
{
    for (const ElementRef &ref : refs)
        at(ref);
    for (const ElementRef &ref : refs)
        clickElement(ref);
}

QVariant FakeWebPage::readProperty(const ElementRef &ref, ElementProperty property)
{
    const FakeElement &e = at(ref);
    switch (property) {
    case ElementProperty::Value: return e.value;
    case ElementProperty::InnerText: return e.innerText;
    case ElementProperty::InnerHtml: return e.innerHTML;
    case ElementProperty::ClassName: return e.className;
    case ElementProperty::Name: return e.name;
    case ElementProperty::Type: return e.type;
    case ElementProperty::Checked: return e.checked;
    }
    return {};
}

void FakeWebPage::writeProperty(const ElementRef &ref, ElementProperty property, const QVariant &value)
{
    FakeElement &e = at(ref);
    switch (property) {
    case ElementProperty::Value: e.value = value.toString(); break;
    case ElementProperty::InnerHtml: e.innerHTML = value.toString(); break;
    case ElementProperty::Checked: e.checked = value.toBool(); break;
    default: throw WebPageError(QStringLiteral("read-only property"));
    }
}

bool FakeWebPage::writeAll(const QList<PageWrite> &writes, TypedText typed)
{
    const std::optional<bool> written = writeAllIfPresent(writes, typed);
    // The same failure as the page's.
    return written ? *written : WebPage::writeAll(writes, typed);
}

std::optional<bool> FakeWebPage::writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed)
{
    const std::optional<bool> written = WebPage::writeAllIfPresent(writes, typed);
    if (!written)
        return written;
    ++writeAllCalls;
    if (!*written)
        return false;
    for (const PageWrite &write : writes) {
        if (write.keepsText)
            continue;
        for (const WriteTarget &target : write.targets) {
            if (const std::optional<ElementRef> place = locate(target)) {
                at(*place).typed = false;
                break;
            }
        }
    }
    return true;
}

QStringList FakeWebPage::typedFieldNames()
{
    QStringList names;
    for (const FakeElement &e : elements) {
        if (e.typed && !e.value.trimmed().isEmpty())
            names << (e.name.isEmpty() ? e.id : e.name);
    }
    return names;
}

void FakeWebPage::clickElement(const ElementRef &ref)
{
    FakeElement &e = at(ref);
    ++e.clicks;
    if (e.type == QLatin1String("checkbox"))
        e.checked = !e.checked;
}

} // namespace ferrowen::testing
