#include "addressbook/CommaSeparatedRecords.h"

namespace ferrowen {

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

CommaSeparatedRecords::CommaSeparatedRecords(QStringView text)
    : m_text(text)
{
}

QString CommaSeparatedRecords::next()
{
    const qsizetype start = m_pos;
    if (!scan(true)) {
        m_pos = start;
        (void)scan(false);
    }
    return QString(m_cells.constData(), m_cells.size());
}

bool CommaSeparatedRecords::scan(bool quotesSpanLines)
{
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    State state = State::FieldStart;
    m_cells.resize(0);
    const qsizetype end = m_text.size();
    while (m_pos < end) {
        const QChar c = m_text[m_pos];
        if (state == State::Quoted) {
            if (c == u'"') {
                if (m_pos + 1 < end && m_text[m_pos + 1] == u'"') {
                    m_cells += u'"';
                    m_pos += 2;
                } else {
                    state = State::AfterQuote;
                    ++m_pos;
                }
                continue;
            }
            if (isLineBreak(c) && !quotesSpanLines) {
                skipLineBreak();
                return true;
            }
            m_cells += c == u'\t' ? QChar(u' ') : c;
            ++m_pos;
            continue;
        }
        if (isLineBreak(c)) {
            skipLineBreak();
            return true;
        }
        ++m_pos;
        if (c == u',') {
            m_cells += u'\t';
            state = State::FieldStart;
        } else if (c == u'"' && state != State::Unquoted) {
            state = State::Quoted;
        } else {
            m_cells += c == u'\t' ? QChar(u' ') : c;
            if (state == State::FieldStart)
                state = State::Unquoted;
        }
    }
    return state != State::Quoted || !quotesSpanLines;
}

void CommaSeparatedRecords::skipLineBreak()
{
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
}

} // namespace ferrowen
