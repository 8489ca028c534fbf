#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// A merge field is a column name of the address book between "<<" and the
// next ">>", matched against the column names without regard to case.

// The text with each merge field that names a column replaced by the
// row's cell of that column. A value is inserted as it stands: a cell that
// itself holds "<<...>>" is not expanded again. Fields naming no column,
// and a "<<" without a later ">>", stay as they are. "<<>>" names the
// first column whose name is empty (normally the book's hidden end
// column), so it is usually removed.
QString Personalise(const QString &text, const QStringList &columnNames, const QStringList &row);

// The merge fields of the text that name no column, each once (whatever
// its case), in the order they first appear, as first written, without
// the brackets.
QStringList mergeFieldsWithoutColumn(const QString &text, const QStringList &columnNames);

} // namespace ferrowen
