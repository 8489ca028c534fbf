#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <stdexcept>

namespace ferrowen {

// Raised when the document lacks the form, field or element asked for, or
// the page could not answer. Every automation entry point catches it.
class WebPageError : public std::runtime_error
{
public:
    explicit WebPageError(const QString &what)
        : std::runtime_error(what.toStdString())
    {
    }
};

enum class ElementProperty { Value, InnerText, InnerHtml, ClassName, Name, Type, Checked };

// Identifies one element of one loaded document. A reference outlives its
// document only as a stale token: using it then fails with WebPageError.
struct ElementRef
{
    QString document;
    int index = -1;
};

// A test of one property of an element, compared as text: equal to the
// value, or (equal false) different from it.
struct ElementCondition
{
    ElementProperty property = ElementProperty::Name;
    QString value;
    bool equal = true;
};

// One pass over many elements of a page, answered in one call however
// large the page is: the elements of a scope that meet every condition, in
// document order, each with the properties asked for.
struct ElementWalk
{
    // The scope: the elements of the form of this name (found as formField
    // finds forms), or else those matching this CSS selector, or else every
    // element of the document.
    QString form;
    QString selector;
    // Looks in the document of this frame (a frame within a frame: its
    // names in turn, each by name or id) rather than in the page's own; a
    // frame of another site cannot be walked.
    QStringList frames;
    QList<ElementCondition> conditions;
    QList<ElementProperty> read;
    // Only the last element found.
    bool lastOnly = false;
};

// An element a walk found, with the properties it read, in the order asked.
struct WalkedElement
{
    ElementRef ref;
    QVariantList values;
};

class WebPage;

// A place in a page that a value is written to: a field of a form (reached
// through the form's elements, or as document.form.field), or an element
// by id.
struct WriteTarget
{
    enum class Kind { FormField, NamedFormField, ElementById };
    Kind kind = Kind::FormField;
    QString form;
    QString name; // the field's name, or the element's id
    ElementProperty property = ElementProperty::Value;
};

// One value for writeAll: it goes to the first of its targets the page
// has. Without any, an optional write is skipped; any other fails the whole.
struct PageWrite
{
    QList<WriteTarget> targets;
    QString value;
    bool optional = false;
    // The value keeps what the place holds now (text put above it, say):
    // it replaces nothing the user typed there.
    bool keepsText = false;
};

// Whether writeAll may write over text the user typed.
enum class TypedText { Replace, Keep };

// The text selected in a text field (a textarea or a text input) of a page.
struct FieldSelection
{
    ElementRef field;
    // Where the selection starts and ends in the field's value.
    int start = 0;
    int end = 0;
    QString text;
};

// One element of a loaded document, as the automation sees it. Valid for
// the duration of one handler; never kept between handlers.
class WebElement
{
public:
    WebElement(WebPage &page, ElementRef ref)
        : m_page(&page)
        , m_ref(std::move(ref))
    {
    }

    // The element itself, to tell it from another one found later (a
    // field of a page loaded again).
    const ElementRef &ref() const { return m_ref; }

    QString value() const;
    void setValue(const QString &value);
    QString innerText() const;
    QString innerHTML() const;
    void setInnerHTML(const QString &html);
    QString className() const;
    QString name() const;
    QString type() const;
    bool checked() const;
    void setChecked(bool checked);
    // Clicks the element as the user would: a check box changes its state
    // and the page's own listeners hear the click and the change.
    void click();

private:
    QString text(ElementProperty property) const;

    WebPage *m_page;
    ElementRef m_ref;
};

// The document loaded in one browser pane, reduced to the lookups the
// automation performs. Every call answers synchronously or throws
// WebPageError.
class WebPage
{
public:
    virtual ~WebPage() = default;

    // The pane's current address.
    virtual QString location() = 0;
    // Rendered text of the body, with CR LF at block boundaries.
    virtual QString bodyText() = 0;

    // Work on many elements at once: one call each, however large the page.
    // A walk finds elements and reads them (a missing form fails it);
    // clickEach clicks elements as the user would, in order, and clicks
    // none when one of them belongs to a document no longer loaded.
    virtual QList<WalkedElement> walk(const ElementWalk &walk) = 0;
    virtual void clickEach(const QList<ElementRef> &elements) = 0;

    WebElement elementById(const QString &idOrName) { return {*this, lookupById(idOrName)}; }
    WebElement formField(const QString &form, const QString &field) { return {*this, lookupFormField(form, field)}; }
    // The same field reached as document.form.field (named-member access).
    WebElement namedFormField(const QString &form, const QString &field) { return {*this, lookupNamedFormField(form, field)}; }
    int formElementCount(const QString &form) { return countFormElements(form); }

    virtual QVariant readProperty(const ElementRef &element, ElementProperty property) = 0;
    virtual void writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value) = 0;
    virtual void clickElement(const ElementRef &element) = 0;

    // The address of a document shown in frames of this one: frames names
    // the frame elements (by name or id), outermost first.
    virtual QString frameLocation(const QStringList &frames)
    {
        Q_UNUSED(frames);
        throw WebPageError(QStringLiteral("This page has no frames."));
    }
    WebElement frameFormField(const QStringList &frames, const QString &form, const QString &field)
    {
        return {*this, lookupFrameFormField(frames, form, field)};
    }

    // The selected text of the text field that has the focus, in this
    // document or in a frame of it. The text is empty when nothing is
    // selected in a text field.
    virtual FieldSelection selectedFieldText() { return {}; }
    // Selects start to end of a field's value.
    virtual void selectFieldText(const ElementRef &field, int start, int end)
    {
        Q_UNUSED(field);
        Q_UNUSED(start);
        Q_UNUSED(end);
        throw WebPageError(QStringLiteral("This page cannot select text in a field."));
    }
    // Writes replacement over start to end of a field's value, only when
    // that stretch still holds expected; false (nothing written) otherwise.
    virtual bool replaceFieldText(const ElementRef &field, int start, int end, const QString &expected,
                                  const QString &replacement)
    {
        Q_UNUSED(field);
        Q_UNUSED(start);
        Q_UNUSED(end);
        Q_UNUSED(expected);
        Q_UNUSED(replacement);
        throw WebPageError(QStringLiteral("This page cannot change text in a field."));
    }

    // Writes every value in one step, in order, as typing would show them.
    // Every place is found before anything is written: a missing one fails
    // (WebPageError) and leaves the page as it was. With TypedText::Keep,
    // a place holding text the user typed (see typedFieldNames) makes it
    // write nothing and answer false; otherwise what is written replaces
    // what the user typed there, and the answer is true.
    virtual bool writeAll(const QList<PageWrite> &writes, TypedText typed = TypedText::Replace);
    // As writeAll, but a missing place answers nothing (and writes
    // nothing) instead of failing: one step both looks for a form that
    // may not be there yet and fills it.
    virtual std::optional<bool> writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed = TypedText::Replace);

    // The names (or else ids) of the elements holding text the user typed
    // (or pasted) that the program has not written over since: the page's
    // own scripts and the program's writes never count as typing.
    virtual QStringList typedFieldNames() { return {}; }

    // Sends the named form as its own submit() would, after adding
    // actionSuffix to the end of its action address (the mail merge names
    // the site's send button this way).
    virtual void submitForm(const QString &form, const QString &actionSuffix)
    {
        Q_UNUSED(actionSuffix);
        throw WebPageError(QStringLiteral("This page cannot submit the form ") + form + QStringLiteral("."));
    }

    // Runs one operation of a page script of the program's own that does a
    // provider's page work names cannot do (script: its resource name, such
    // as "roundcube.js"), in one call: JSON arguments in, its answer out.
    // Throws WebPageError when the page lacks what the operation needs.
    virtual QJsonValue runScript(const QString &script, const QString &operation, const QJsonObject &arguments = {})
    {
        Q_UNUSED(operation);
        Q_UNUSED(arguments);
        throw WebPageError(QStringLiteral("This page cannot run the script ") + script + QStringLiteral("."));
    }

protected:
    // The element a write target names, or nothing when the page lacks it.
    std::optional<ElementRef> locate(const WriteTarget &target);
    // writeAll's steps over the element calls; nothing when a required
    // place is missing, which missing (when given) then describes.
    std::optional<bool> writeAllFound(const QList<PageWrite> &writes, TypedText typed, QString *missing);

    virtual ElementRef lookupById(const QString &idOrName) = 0;
    virtual ElementRef lookupFormField(const QString &form, const QString &field) = 0;
    virtual ElementRef lookupNamedFormField(const QString &form, const QString &field) = 0;
    virtual int countFormElements(const QString &form) = 0;
    virtual ElementRef lookupFrameFormField(const QStringList &frames, const QString &form, const QString &field)
    {
        Q_UNUSED(frames);
        Q_UNUSED(form);
        Q_UNUSED(field);
        throw WebPageError(QStringLiteral("This page has no frames."));
    }
};

inline QString WebElement::text(ElementProperty property) const
{
    return m_page->readProperty(m_ref, property).toString();
}
inline QString WebElement::value() const { return text(ElementProperty::Value); }
inline void WebElement::setValue(const QString &value) { m_page->writeProperty(m_ref, ElementProperty::Value, value); }
inline QString WebElement::innerText() const { return text(ElementProperty::InnerText); }
inline QString WebElement::innerHTML() const { return text(ElementProperty::InnerHtml); }
inline void WebElement::setInnerHTML(const QString &html) { m_page->writeProperty(m_ref, ElementProperty::InnerHtml, html); }
inline QString WebElement::className() const { return text(ElementProperty::ClassName); }
inline QString WebElement::name() const { return text(ElementProperty::Name); }
inline QString WebElement::type() const { return text(ElementProperty::Type); }
inline bool WebElement::checked() const { return m_page->readProperty(m_ref, ElementProperty::Checked).toBool(); }
inline void WebElement::setChecked(bool checked) { m_page->writeProperty(m_ref, ElementProperty::Checked, checked); }
inline void WebElement::click() { m_page->clickElement(m_ref); }

} // namespace ferrowen
