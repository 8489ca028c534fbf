#pragma once

#include "platform/WebPage.h"

#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QString>

namespace ferrowen::testing {

struct FakeElement
{
    QString form; // the form's name when the element is a form field
    QString id;
    QString name;
    QString type = QStringLiteral("text");
    QString className;
    QString value;
    QString innerText;
    QString innerHTML;
    bool checked = false;
    int clicks = 0;
    // The user typed into it since the program last wrote it with writeAll.
    bool typed = false;
};

// An in-memory document with forms and elements, looked up the way the
// real pages are: exact names first, then names in any case.
class FakeWebPage : public WebPage
{
public:
    QString url;
    QString text;
    QList<FakeElement> elements;
    QString generation = QStringLiteral("doc1");

    FakeElement &addField(const QString &form, const QString &name, const QString &value = QString());
    FakeElement &addElement(const QString &id, const QString &innerText = QString());
    FakeElement *field(const QString &form, const QString &name);
    // The field's value, or "<missing>".
    QString fieldValue(const char *form, const char *name);
    // Replaces the document: earlier references go stale.
    void clear();

    QString location() override { return url; }
    QString bodyText() override { return text; }
    // Walks the elements in the order they were added; a selector or a
    // frame is not understood. Counts the calls.
    QList<WalkedElement> walk(const ElementWalk &walk) override;
    void clickEach(const QList<ElementRef> &elements) override;
    int walkCalls = 0;
    QVariant readProperty(const ElementRef &element, ElementProperty property) override;
    void writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value) override;
    // Counts the click; a check box changes its state as in a page.
    void clickElement(const ElementRef &element) override;
    // Counts the calls, and forgets the typing in what it writes.
    bool writeAll(const QList<PageWrite> &writes, TypedText typed) override;
    std::optional<bool> writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed) override;
    QStringList typedFieldNames() override;

    // Calls of either that found every place.
    int writeAllCalls = 0;

    // What the page's scripts answer, by "script op" ("roundcube.js
    // recognise"); an operation without an answer fails as a page that
    // cannot run it. Every call is recorded with its arguments.
    QHash<QString, QJsonValue> scriptAnswers;
    QList<QPair<QString, QJsonObject>> scriptCalls;
    QJsonValue runScript(const QString &script, const QString &operation, const QJsonObject &arguments) override
    {
        const QString key = script + QLatin1Char(' ') + operation;
        scriptCalls.append({key, arguments});
        const auto answer = scriptAnswers.constFind(key);
        if (answer == scriptAnswers.constEnd())
            throw WebPageError(QStringLiteral("no answer from ") + key);
        return *answer;
    }

protected:
    ElementRef lookupById(const QString &idOrName) override;
    ElementRef lookupFormField(const QString &form, const QString &field) override;
    ElementRef lookupNamedFormField(const QString &form, const QString &field) override
    {
        return lookupFormField(form, field);
    }
    int countFormElements(const QString &form) override;

private:
    QString resolveForm(const QString &form) const;
    FakeElement &at(const ElementRef &ref);
};

} // namespace ferrowen::testing
