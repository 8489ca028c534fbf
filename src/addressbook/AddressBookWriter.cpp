#include "addressbook/AddressBookWriter.h"

namespace ferrowen {

namespace {

class LineWriter
{
public:
    LineWriter(AddressBookFormat format, int columnCount, qsizetype expectedLength)
        : m_quoted(format == AddressBookFormat::CommaSeparated)
        , m_columnCount(columnCount)
    {
        m_text.reserve(expectedLength);
    }

    template<typename Cells>
    void writeLine(const Cells &cells)
    {
        int column = 0;
        for (QStringView cell : cells) {
            if (column == m_columnCount)
                break;
            writeField(column++, cell);
        }
        for (; column < m_columnCount; ++column)
            writeField(column, QStringView());
        m_text += QLatin1String("\r\n");
    }

    QByteArray toUtf8() const { return m_text.toUtf8(); }

private:
    void writeField(int column, QStringView cell)
    {
        if (column > 0)
            m_text += m_quoted ? u',' : u'\t';
        if (!m_quoted) {
            m_text += cell;
            return;
        }
        m_text += u'"';
        if (!cell.contains(u'"')) {
            m_text += cell;
        } else {
            for (QChar c : cell) {
                if (c == u'"')
                    m_text += u'"';
                m_text += c;
            }
        }
        m_text += u'"';
    }

    const bool m_quoted;
    const int m_columnCount;
    QString m_text;
};

} // namespace

QByteArray writeAddressBookText(const AddressTable &table, AddressBookFormat format)
{
    qsizetype expected = 0;
    for (const QString &row : table.joinedRows())
        expected += row.size() + 3 * table.columnCount() + 2;
    LineWriter writer(format, table.columnCount(), expected + 64 * table.columnCount());
    writer.writeLine(table.columnNames());
    for (const QString &row : table.joinedRows())
        writer.writeLine(QStringView(row).tokenize(u'\t'));
    return writer.toUtf8();
}

} // namespace ferrowen
