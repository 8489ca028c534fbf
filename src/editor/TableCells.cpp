#include "editor/TableCells.h"

#include "editor/TagValue.h"

namespace ferrowen {

namespace {

struct Cell
{
    int tag = 0; // 0-based position of its "<"
    int end = 0; // where it ends: its end tag, the next cell or row, or its table's end
    int table = 0;
    int row = 0;   // index among the rows of its table
    int index = 0; // index among the cells of its row
};

struct OpenTable
{
    int id = 0;
    int rows = 0; // rows started so far
    int cellsInRow = 0;
    int openCell = -1; // index into the cell list
};

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':');
}

class CellScanner
{
public:
    explicit CellScanner(const QString &source)
        : m_source(source)
    {
        scan();
    }

    const QList<Cell> &cells() const { return m_cells; }

private:
    void scan()
    {
        int at = 0;
        while ((at = int(m_source.indexOf(QLatin1Char('<'), at))) >= 0) {
            if (m_source.mid(at, 4) == QLatin1String("<!--")) {
                const int close = int(m_source.indexOf(QLatin1String("-->"), at + 4));
                at = close < 0 ? int(m_source.size()) : close + 3;
                continue;
            }
            const bool closing = at + 1 < m_source.size() && m_source.at(at + 1) == QLatin1Char('/');
            int nameEnd = at + (closing ? 2 : 1);
            while (nameEnd < m_source.size() && isNameCharacter(m_source.at(nameEnd)))
                ++nameEnd;
            const QString name = m_source.mid(at + (closing ? 2 : 1), nameEnd - at - (closing ? 2 : 1)).toLower();
            const int end = TagEnd(m_source, at);
            if (end < 0)
                break;
            onTag(name, closing, at);
            at = end + 1;
            // What a script or style holds is text, not tags.
            if (!closing && (name == QLatin1String("script") || name == QLatin1String("style"))) {
                const int close = int(m_source.indexOf(QStringLiteral("</") + name, at, Qt::CaseInsensitive));
                at = close < 0 ? int(m_source.size()) : close;
            }
        }
        while (!m_open.isEmpty())
            closeTable(int(m_source.size()));
    }

    void onTag(const QString &name, bool closing, int at)
    {
        if (name == QLatin1String("table")) {
            if (closing) {
                if (!m_open.isEmpty())
                    closeTable(at);
            } else {
                m_open.append({m_nextTable++, 0, 0, -1});
            }
            return;
        }
        if (m_open.isEmpty())
            return;
        OpenTable &table = m_open.last();
        if (name == QLatin1String("tr")) {
            closeCell(table, at);
            if (!closing) {
                ++table.rows;
                table.cellsInRow = 0;
            }
        } else if (name == QLatin1String("td") || name == QLatin1String("th")) {
            closeCell(table, at);
            if (!closing) {
                if (table.rows == 0)
                    table.rows = 1; // a cell without a row starts one
                table.openCell = int(m_cells.size());
                m_cells.append({at, int(m_source.size()), table.id, table.rows - 1, table.cellsInRow++});
            }
        }
    }

    void closeCell(OpenTable &table, int at)
    {
        if (table.openCell >= 0)
            m_cells[table.openCell].end = at;
        table.openCell = -1;
    }

    void closeTable(int at)
    {
        closeCell(m_open.last(), at);
        m_open.removeLast();
    }

    const QString &m_source;
    QList<Cell> m_cells;
    QList<OpenTable> m_open;
    int m_nextTable = 0;
};

// Index into cells of the cell holding the 0-based position, or -1.
int cellHolding(const QList<Cell> &cells, int position)
{
    int found = -1;
    for (int i = 0; i < cells.size(); ++i) {
        const Cell &cell = cells.at(i);
        if (cell.tag == position)
            return i; // the selection starts with this cell's tag
        // Nested cells start later: the last one around is the innermost.
        if (cell.tag < position && position <= cell.end)
            found = i;
    }
    return found;
}

} // namespace

int cellTagAt(const QString &source, int markerPosition)
{
    const CellScanner scanner(source);
    const int found = cellHolding(scanner.cells(), markerPosition - 1);
    return found < 0 ? 0 : scanner.cells().at(found).tag + 1;
}

QList<int> cellTagsInScope(const QString &source, int markerPosition, CellScope scope)
{
    const CellScanner scanner(source);
    const int found = cellHolding(scanner.cells(), markerPosition - 1);
    if (found < 0)
        return {};
    const Cell &chosen = scanner.cells().at(found);
    QList<int> tags;
    for (const Cell &cell : scanner.cells()) {
        const bool inScope = scope == CellScope::Cell ? cell.tag == chosen.tag
                             : scope == CellScope::Row ? cell.table == chosen.table && cell.row == chosen.row
                                                       : cell.table == chosen.table && cell.index == chosen.index;
        if (inScope)
            tags << cell.tag + 1;
    }
    return tags;
}

} // namespace ferrowen
