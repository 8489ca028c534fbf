#include "platform/WebPage.h"

#include <optional>
#include <utility>

namespace ferrowen {

namespace {

QString describe(const WriteTarget &target)
{
    return target.kind == WriteTarget::Kind::ElementById
        ? QStringLiteral("element \"%1\"").arg(target.name)
        : QStringLiteral("field \"%1\" in form \"%2\"").arg(target.name, target.form);
}

} // namespace

std::optional<ElementRef> WebPage::locate(const WriteTarget &target)
{
    try {
        switch (target.kind) {
        case WriteTarget::Kind::FormField: return lookupFormField(target.form, target.name);
        case WriteTarget::Kind::NamedFormField: return lookupNamedFormField(target.form, target.name);
        case WriteTarget::Kind::ElementById: return lookupById(target.name);
        }
    } catch (const WebPageError &) {
    }
    return std::nullopt;
}

bool WebPage::writeAll(const QList<PageWrite> &writes, TypedText typed)
{
    QString missing;
    const std::optional<bool> written = writeAllFound(writes, typed, &missing);
    if (!written)
        throw WebPageError(QStringLiteral("the page has no ") + missing);
    return *written;
}

std::optional<bool> WebPage::writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed)
{
    return writeAllFound(writes, typed, nullptr);
}

std::optional<bool> WebPage::writeAllFound(const QList<PageWrite> &writes, TypedText typed, QString *missing)
{
    // Found first, written after: a missing place leaves the page untouched.
    QList<std::optional<std::pair<ElementRef, ElementProperty>>> places;
    for (const PageWrite &write : writes) {
        std::optional<std::pair<ElementRef, ElementProperty>> place;
        for (const WriteTarget &target : write.targets) {
            if (const std::optional<ElementRef> found = locate(target)) {
                place.emplace(*found, target.property);
                break;
            }
        }
        if (!place && !write.optional) {
            if (missing)
                *missing = describe(write.targets.value(0));
            return std::nullopt;
        }
        places.append(place);
    }
    if (typed == TypedText::Keep) {
        const QStringList typedNames = typedFieldNames();
        for (qsizetype i = 0; i < writes.size(); ++i) {
            if (places[i] && !writes[i].keepsText && typedNames.contains(writes[i].targets.value(0).name, Qt::CaseInsensitive))
                return false;
        }
    }
    for (qsizetype i = 0; i < writes.size(); ++i) {
        if (places[i])
            writeProperty(places[i]->first, places[i]->second, writes[i].value);
    }
    return true;
}

} // namespace ferrowen
