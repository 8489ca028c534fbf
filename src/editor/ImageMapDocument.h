#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// The document text with mapHtml right after the opening BODY tag (after
// its ">", however many attributes it carries; a ">" inside a quoted
// value or between "{" and "}" does not end it). Without a BODY tag the
// text comes back unchanged.
QString InsertMapString(const QString &documentText, const QString &mapHtml);

// Where a MAP element stands in a document text.
struct MapElement
{
    int start = -1; // 0-based, its "<"; -1 when there is none
    int end = -1;   // just after the ">" of its end tag
    QString html;
};

// The first MAP element whose NAME is name (exactly; any tag case), from
// its "<MAP" up to and including its "</MAP>".
MapElement findMapElement(const QString &documentText, const QString &name);

// The NAME of every MAP element, in document order.
QStringList mapNamesIn(const QString &documentText);

// The document with the map named name in place: every MAP element of
// that name is taken out and mapHtml goes after the BODY tag, so each
// change of a map leaves one MAP of its name. Without a BODY tag the text
// comes back unchanged.
QString placeMapElement(const QString &documentText, const QString &name, const QString &mapHtml);

} // namespace ferrowen
