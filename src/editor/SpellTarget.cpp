#include "editor/SpellTarget.h"

namespace ferrowen {

std::unique_ptr<PageFieldSpellTarget> PageFieldSpellTarget::fromSelection(WebPage &page)
{
    try {
        FieldSelection selection = page.selectedFieldText();
        if (selection.text.trimmed().isEmpty())
            return nullptr;
        return std::unique_ptr<PageFieldSpellTarget>(new PageFieldSpellTarget(page, std::move(selection)));
    } catch (const WebPageError &) {
        return nullptr;
    }
}

PageFieldSpellTarget::PageFieldSpellTarget(WebPage &page, FieldSelection selection)
    : m_page(page)
    , m_selection(std::move(selection))
{
}

void PageFieldSpellTarget::mark(const TextRange &word)
{
    try {
        m_page.selectFieldText(m_selection.field, m_selection.start + word.start, m_selection.start + word.end);
    } catch (const WebPageError &) {
    }
}

int PageFieldSpellTarget::top(const TextRange &)
{
    // A word inside a text field has no place of its own: the field's.
    return 0;
}

bool PageFieldSpellTarget::replace(const TextRange &word, const QString &expected, const QString &replacement)
{
    try {
        if (!m_page.replaceFieldText(m_selection.field, m_selection.start + word.start, m_selection.start + word.end,
                                     expected, replacement))
            return false;
        m_selection.text = m_selection.text.left(word.start) + replacement + m_selection.text.mid(word.end);
        return true;
    } catch (const WebPageError &) {
        return false;
    }
}

} // namespace ferrowen
