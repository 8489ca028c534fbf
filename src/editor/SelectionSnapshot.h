#pragma once

#include <QString>

namespace ferrowen {

class EditorDocument;

// Where the selection stands in the document source, for the dialogs that
// change the tag around it.
struct SelectionSnapshot
{
    // The whole source, without the marker.
    QString documentText;
    // 1-based position in documentText at which the marker stood (0: not
    // found).
    int markerPosition = 0;
    int length = 0;
    // length characters of documentText from markerPosition.
    QString selectedText;
    // The selection's HTML held the end of a table cell.
    bool inCell = false;
};

// The marker put into the document for a moment: never stays there.
inline constexpr char SelectionMarker[] = "ZQZSEL28";

// html without its DESIGNTIME attributes: each goes with the blank before
// it, up to (not including) the next ">".
QString removeDesignTimeAttributes(QString html);

// The snapshot's fields from the source read with the marker in it.
SelectionSnapshot snapshotFromMarkedSource(const QString &markedSource, int length, bool inCell);

// The caret's offset in the body text (0 for a picture or table selected
// as a whole). The selection becomes a caret at that offset.
int SaveSelection(EditorDocument &document);

// Puts the marker before the selection (or, in a table cell, at the start
// of the element holding the caret), reads the source, and takes the
// marker out again through the document itself, so that the document,
// and what undo would revert, stay as they were.
SelectionSnapshot GetSelection(EditorDocument &document);

} // namespace ferrowen
