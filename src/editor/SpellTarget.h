#pragma once

#include "platform/EditorDocument.h"
#include "platform/WebPage.h"

#include <QString>

#include <memory>

namespace ferrowen {

// The text a spelling check goes through, and how a word in it is shown
// and changed. Offsets are in text(), where a line break is one "\n".
class SpellTarget
{
public:
    virtual ~SpellTarget() = default;

    virtual QString text() = 0;
    // Selects the word so the user sees it.
    virtual void mark(const TextRange &word) = 0;
    // How far below the top of the document the word stands, in pixels.
    virtual int top(const TextRange &word) = 0;
    // Writes replacement over the word, only if the word is still there.
    virtual bool replace(const TextRange &word, const QString &expected, const QString &replacement) = 0;
};

// The whole body of the editor's document.
class EditorBodySpellTarget : public SpellTarget
{
public:
    explicit EditorBodySpellTarget(EditorDocument &document)
        : m_document(document)
    {
    }

    QString text() override { return m_document.bodyText(); }
    void mark(const TextRange &word) override { m_document.select(word); }
    int top(const TextRange &word) override { return m_document.rangeTop(word); }
    bool replace(const TextRange &word, const QString &expected, const QString &replacement) override
    {
        return m_document.replaceText(word, expected, replacement).ok();
    }

private:
    EditorDocument &m_document;
};

// The text selected in a text field of a page (the posting form's field
// while the user edits the source there).
class PageFieldSpellTarget : public SpellTarget
{
public:
    // The selection of the page's focused text field; null when no text is
    // selected in one (or the page cannot be read).
    static std::unique_ptr<PageFieldSpellTarget> fromSelection(WebPage &page);

    QString text() override { return m_selection.text; }
    void mark(const TextRange &word) override;
    int top(const TextRange &word) override;
    bool replace(const TextRange &word, const QString &expected, const QString &replacement) override;

private:
    PageFieldSpellTarget(WebPage &page, FieldSelection selection);

    WebPage &m_page;
    FieldSelection m_selection;
};

} // namespace ferrowen
