#include "addressbook/CommaSeparatedRecords.h"

#include <algorithm>

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
    const QChar *text = m_text.data();
    const qsizetype end = m_text.size();
    while (m_pos < end) {
        if (state == State::Quoted) {
            qsizetype stop = m_pos;
            while (stop < end && text[stop] != u'"' && (quotesSpanLines || !isLineBreak(text[stop])))
                ++stop;
            appendText(stop);
            if (m_pos == end)
                break;
            if (text[m_pos] != u'"') { // a line break, and quotes end at the line's end
                skipLineBreak();
                return true;
            }
            if (m_pos + 1 < end && text[m_pos + 1] == u'"') {
                m_cells += u'"';
                m_pos += 2;
            } else {
                state = State::AfterQuote;
                ++m_pos;
            }
            continue;
        }
        const QChar c = text[m_pos];
        if (isLineBreak(c)) {
            skipLineBreak();
            return true;
        }
        if (c == u',') {
            m_cells += u'\t';
            state = State::FieldStart;
            ++m_pos;
            continue;
        }
        if (c == u'"' && state != State::Unquoted) {
            state = State::Quoted;
            ++m_pos;
            continue;
        }
        if (state == State::FieldStart)
            state = State::Unquoted;
        // A run of ordinary characters, up to what ends or quotes it.
        const bool quoteIsText = state == State::Unquoted;
        qsizetype stop = m_pos + 1;
        while (stop < end && text[stop] != u',' && !isLineBreak(text[stop]) && (quoteIsText || text[stop] != u'"'))
            ++stop;
        appendText(stop);
    }
    return state != State::Quoted || !quotesSpanLines;
}

void CommaSeparatedRecords::appendText(qsizetype stop)
{
    const qsizetype from = m_cells.size();
    m_cells.append(m_text.data() + m_pos, stop - m_pos);
    m_pos = stop;
    // The cells are joined by TABs: a TAB inside a field becomes a space.
    QChar *appended = m_cells.data() + from;
    std::replace(appended, m_cells.data() + m_cells.size(), QChar(u'\t'), QChar(u' '));
}

void CommaSeparatedRecords::skipLineBreak()
{
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
}

} // namespace ferrowen
