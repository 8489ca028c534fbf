#include "merge/Personalise.h"

namespace ferrowen {

namespace {

const QString FieldOpen = QStringLiteral("<<");
const QString FieldClose = QStringLiteral(">>");

int columnNamed(const QString &name, const QStringList &columnNames)
{
    for (int column = 0; column < columnNames.size(); ++column) {
        if (columnNames.at(column).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

// Calls visit(start, end, name) for each "<<name>>" of the text, left to
// right; visit returns where the search goes on.
template<typename Visit>
void forEachMergeField(const QString &text, Visit visit)
{
    qsizetype open = text.indexOf(FieldOpen);
    while (open >= 0) {
        const qsizetype close = text.indexOf(FieldClose, open + FieldOpen.size());
        if (close < 0)
            return;
        const QString name = text.mid(open + FieldOpen.size(), close - open - FieldOpen.size());
        const qsizetype next = visit(open, close + FieldClose.size(), name);
        open = text.indexOf(FieldOpen, next);
    }
}

} // namespace

QString Personalise(const QString &text, const QStringList &columnNames, const QStringList &row)
{
    QString result;
    qsizetype copied = 0;
    forEachMergeField(text, [&](qsizetype start, qsizetype end, const QString &name) {
        const int column = columnNamed(name, columnNames);
        if (column < 0)
            return start + 1; // "<<a<<b>>": the inner field may still match
        result += QStringView(text).mid(copied, start - copied);
        result += row.value(column);
        copied = end;
        return end;
    });
    result += QStringView(text).mid(copied);
    return result;
}

QStringList mergeFieldsWithoutColumn(const QString &text, const QStringList &columnNames)
{
    QStringList missing;
    forEachMergeField(text, [&](qsizetype start, qsizetype end, const QString &name) {
        if (columnNamed(name, columnNames) >= 0)
            return end;
        if (!missing.contains(name, Qt::CaseInsensitive))
            missing << name;
        return start + 1;
    });
    return missing;
}

} // namespace ferrowen
