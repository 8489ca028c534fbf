#include "addressbook/AddressBookReader.h"

#include "addressbook/CommaSeparatedRecords.h"

#include <algorithm>

namespace ferrowen {

namespace {

// The lines of tab-delimited text: already their cells joined by TABs.
class TabDelimitedLines
{
public:
    explicit TabDelimitedLines(QStringView text)
        : m_text(text)
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    QString next()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
            ++m_pos;
        const QStringView line = m_text.sliced(start, m_pos - start);
        if (m_pos < m_text.size()) {
            if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
                ++m_pos;
            ++m_pos;
        }
        return line.toString();
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

template<typename Records>
AddressTable readRecords(Records records)
{
    if (records.atEnd())
        return AddressTable(QStringList{QString()}); // an empty file: nothing but the end column
    QStringList names = records.next().split(u'\t');
    const bool endFieldInFile = names.size() > 1 && names.constLast().isEmpty();
    if (!endFieldInFile)
        names.append(QString());
    AddressTable table(std::move(names));

    int widest = 0;
    while (!records.atEnd()) {
        QString row = records.next();
        widest = std::max(widest, cellCountOf(row));
        table.appendJoinedRow(std::move(row));
    }
    const int needed = endFieldInFile ? widest : widest + 1;
    if (needed > table.columnCount())
        table.addColumnsBeforeEnd(needed - table.columnCount());
    return table;
}

} // namespace

AddressTable readAddressBookText(QStringView text, AddressBookFormat format)
{
    if (format == AddressBookFormat::TabDelimited)
        return readRecords(TabDelimitedLines(text));
    return readRecords(CommaSeparatedRecords(text));
}

} // namespace ferrowen
