#include "platform/web/EngineWebPage.h"

#include "platform/web/ScriptResources.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace ferrowen {

namespace {

const QString pageAccessScriptName = QStringLiteral("ferrowen-page-access");

// The page access library with the walks that extend it, as one script.
QString pageAccessLibrary()
{
    return scriptResource(QStringLiteral("page-access.js")) + QLatin1Char('\n')
        + scriptResource(QStringLiteral("page-walks.js"));
}

void installPageAccessScript(QWebEnginePage &page)
{
    if (!page.scripts().find(pageAccessScriptName).isEmpty())
        return;
    QWebEngineScript script;
    script.setName(pageAccessScriptName);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(pageAccessLibrary());
    page.scripts().insert(script);
}

QString propertyKey(ElementProperty property)
{
    switch (property) {
    case ElementProperty::Value: return QStringLiteral("value");
    case ElementProperty::InnerText: return QStringLiteral("innerText");
    case ElementProperty::InnerHtml: return QStringLiteral("innerHTML");
    case ElementProperty::ClassName: return QStringLiteral("className");
    case ElementProperty::Name: return QStringLiteral("name");
    case ElementProperty::Type: return QStringLiteral("type");
    case ElementProperty::Checked: return QStringLiteral("checked");
    }
    return {};
}

QString targetKind(WriteTarget::Kind kind)
{
    switch (kind) {
    case WriteTarget::Kind::FormField: return QStringLiteral("formField");
    case WriteTarget::Kind::NamedFormField: return QStringLiteral("namedFormField");
    case WriteTarget::Kind::ElementById: return QStringLiteral("elementById");
    }
    return {};
}

QJsonObject targetJson(const WriteTarget &target)
{
    QJsonObject json{{QStringLiteral("kind"), targetKind(target.kind)},
                     {QStringLiteral("property"), propertyKey(target.property)}};
    if (target.kind == WriteTarget::Kind::ElementById) {
        json.insert(QStringLiteral("id"), target.name);
    } else {
        json.insert(QStringLiteral("form"), target.form);
        json.insert(QStringLiteral("field"), target.name);
    }
    return json;
}

// A page script registers itself on window as "ferrowen" and its name:
// "roundcube.js" as ferrowenRoundcube.
QString scriptGlobalName(const QString &script)
{
    QString name = script.section(QLatin1Char('.'), 0, 0);
    name.removeIf([](QChar c) { return !c.isLetter(); });
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return QStringLiteral("ferrowen") + name;
}

QJsonObject refJson(const ElementRef &element)
{
    return {{QStringLiteral("document"), element.document}, {QStringLiteral("index"), element.index}};
}

ElementRef refOf(const QJsonObject &ref)
{
    return {ref.value(QLatin1String("document")).toString(), ref.value(QLatin1String("index")).toInt(-1)};
}

QJsonObject walkJson(const ElementWalk &walk)
{
    QJsonArray conditions;
    for (const ElementCondition &condition : walk.conditions) {
        conditions.append(QJsonObject{{QStringLiteral("property"), propertyKey(condition.property)},
                                      {QStringLiteral("value"), condition.value},
                                      {QStringLiteral("equal"), condition.equal}});
    }
    QJsonArray read;
    for (ElementProperty property : walk.read)
        read.append(propertyKey(property));
    return {{QStringLiteral("form"), walk.form},
            {QStringLiteral("selector"), walk.selector},
            {QStringLiteral("frames"), QJsonArray::fromStringList(walk.frames)},
            {QStringLiteral("conditions"), conditions},
            {QStringLiteral("read"), read},
            {QStringLiteral("lastOnly"), walk.lastOnly}};
}

} // namespace

EngineWebPage::EngineWebPage(QWebEnginePage *page)
    : m_page(page)
    , m_runner(page, pageAccessLibrary(), QStringLiteral("ferrowenPageAccess"), PageScriptRunner::Input::LetThrough)
{
    installPageAccessScript(*page);
}

QString EngineWebPage::location()
{
    if (!m_page)
        throw WebPageError(QStringLiteral("The browser page is closed."));
    return m_page->url().toString();
}

QString EngineWebPage::bodyText()
{
    return call(QStringLiteral("bodyText")).toString();
}

QList<WalkedElement> EngineWebPage::walk(const ElementWalk &walk)
{
    QList<WalkedElement> found;
    for (const QJsonValue &item : call(QStringLiteral("walk"), walkJson(walk)).toArray()) {
        const QJsonObject element = item.toObject();
        found.append({refOf(element.value(QLatin1String("ref")).toObject()),
                      element.value(QLatin1String("values")).toArray().toVariantList()});
    }
    return found;
}

void EngineWebPage::clickEach(const QList<ElementRef> &elements)
{
    QJsonArray refs;
    for (const ElementRef &element : elements)
        refs.append(refJson(element));
    call(QStringLiteral("clickEach"), {{QStringLiteral("refs"), refs}});
}

QVariant EngineWebPage::readProperty(const ElementRef &element, ElementProperty property)
{
    const QJsonValue value = call(QStringLiteral("read"), {{QStringLiteral("ref"), refJson(element)},
                                                           {QStringLiteral("property"), propertyKey(property)}});
    return value.toVariant();
}

void EngineWebPage::writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value)
{
    const QJsonValue json = property == ElementProperty::Checked ? QJsonValue(value.toBool())
                                                                 : QJsonValue(value.toString());
    call(QStringLiteral("write"), {{QStringLiteral("ref"), refJson(element)},
                                   {QStringLiteral("property"), propertyKey(property)},
                                   {QStringLiteral("value"), json}});
}

void EngineWebPage::clickElement(const ElementRef &element)
{
    call(QStringLiteral("click"), {{QStringLiteral("ref"), refJson(element)}});
}

void EngineWebPage::submitForm(const QString &form, const QString &actionSuffix)
{
    call(QStringLiteral("submitForm"), {{QStringLiteral("form"), form}, {QStringLiteral("actionSuffix"), actionSuffix}});
}

namespace {

QJsonObject writeAllArguments(const QList<PageWrite> &writes, TypedText typed, bool ifPresent)
{
    QJsonArray list;
    for (const PageWrite &write : writes) {
        QJsonArray targets;
        for (const WriteTarget &target : write.targets)
            targets.append(targetJson(target));
        list.append(QJsonObject{{QStringLiteral("targets"), targets},
                                {QStringLiteral("value"), write.value},
                                {QStringLiteral("optional"), write.optional},
                                {QStringLiteral("keepsText"), write.keepsText}});
    }
    return {{QStringLiteral("writes"), list},
            {QStringLiteral("keepTyped"), typed == TypedText::Keep},
            {QStringLiteral("ifPresent"), ifPresent}};
}

} // namespace

bool EngineWebPage::writeAll(const QList<PageWrite> &writes, TypedText typed)
{
    return call(QStringLiteral("writeAll"), writeAllArguments(writes, typed, false)).toBool();
}

std::optional<bool> EngineWebPage::writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed)
{
    const QJsonValue written = call(QStringLiteral("writeAll"), writeAllArguments(writes, typed, true));
    if (written.isNull())
        return std::nullopt;
    return written.toBool();
}

QStringList EngineWebPage::typedFieldNames()
{
    QStringList names;
    for (const QJsonValue &name : call(QStringLiteral("typedFields")).toArray())
        names << name.toString();
    return names;
}

QJsonValue EngineWebPage::runScript(const QString &script, const QString &operation, const QJsonObject &arguments)
{
    auto found = m_scripts.find(script);
    if (found == m_scripts.end()) {
        found = m_scripts.emplace(script, std::make_unique<PageScriptRunner>(m_page, scriptResource(script), scriptGlobalName(script),
                                                                             PageScriptRunner::Input::LetThrough))
                    .first;
        found->second->setTimeout(m_runner.timeout());
    }
    QJsonObject request = arguments;
    request.insert(QStringLiteral("op"), operation);
    return found->second->call(request);
}

QString EngineWebPage::frameLocation(const QStringList &frames)
{
    return call(QStringLiteral("frameLocation"), {{QStringLiteral("frames"), QJsonArray::fromStringList(frames)}}).toString();
}

ElementRef EngineWebPage::lookupFrameFormField(const QStringList &frames, const QString &form, const QString &field)
{
    return elementCall(QStringLiteral("frameFormField"), {{QStringLiteral("frames"), QJsonArray::fromStringList(frames)},
                                                          {QStringLiteral("form"), form},
                                                          {QStringLiteral("field"), field}});
}

FieldSelection EngineWebPage::selectedFieldText()
{
    const QJsonObject found = call(QStringLiteral("selectedFieldText")).toObject();
    FieldSelection selection;
    const QJsonObject ref = found.value(QLatin1String("ref")).toObject();
    selection.field = {ref.value(QLatin1String("document")).toString(), ref.value(QLatin1String("index")).toInt(-1)};
    selection.start = found.value(QLatin1String("start")).toInt();
    selection.end = found.value(QLatin1String("end")).toInt();
    selection.text = found.value(QLatin1String("text")).toString();
    return selection;
}

void EngineWebPage::selectFieldText(const ElementRef &field, int start, int end)
{
    call(QStringLiteral("selectFieldText"),
         {{QStringLiteral("ref"), refJson(field)}, {QStringLiteral("start"), start}, {QStringLiteral("end"), end}});
}

bool EngineWebPage::replaceFieldText(const ElementRef &field, int start, int end, const QString &expected,
                                     const QString &replacement)
{
    return call(QStringLiteral("replaceFieldText"), {{QStringLiteral("ref"), refJson(field)},
                                                     {QStringLiteral("start"), start},
                                                     {QStringLiteral("end"), end},
                                                     {QStringLiteral("expected"), expected},
                                                     {QStringLiteral("replacement"), replacement}})
        .toBool();
}

ElementRef EngineWebPage::lookupById(const QString &idOrName)
{
    return elementCall(QStringLiteral("elementById"), {{QStringLiteral("id"), idOrName}});
}

ElementRef EngineWebPage::lookupFormField(const QString &form, const QString &field)
{
    return elementCall(QStringLiteral("formField"), {{QStringLiteral("form"), form}, {QStringLiteral("field"), field}});
}

ElementRef EngineWebPage::lookupNamedFormField(const QString &form, const QString &field)
{
    return elementCall(QStringLiteral("namedFormField"),
                       {{QStringLiteral("form"), form}, {QStringLiteral("field"), field}});
}

int EngineWebPage::countFormElements(const QString &form)
{
    return countCall(QStringLiteral("formElementCount"), {{QStringLiteral("form"), form}});
}

QJsonValue EngineWebPage::call(const QString &operation, QJsonObject arguments)
{
    arguments.insert(QStringLiteral("op"), operation);
    return m_runner.call(arguments);
}

ElementRef EngineWebPage::elementCall(const QString &operation, QJsonObject arguments)
{
    return refOf(call(operation, std::move(arguments)).toObject());
}

int EngineWebPage::countCall(const QString &operation, QJsonObject arguments)
{
    return call(operation, std::move(arguments)).toInt();
}

} // namespace ferrowen
