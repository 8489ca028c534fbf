#include "editor/SelectionSnapshot.h"

#include "platform/EditorDocument.h"

namespace ferrowen {

namespace {

QString marker()
{
    return QLatin1String(SelectionMarker);
}

} // namespace

QString removeDesignTimeAttributes(QString html)
{
    for (;;) {
        const int at = int(html.indexOf(QLatin1String("DESIGNTIME"), 0, Qt::CaseInsensitive));
        if (at < 0)
            return html;
        const int from = at > 0 && html.at(at - 1) == QLatin1Char(' ') ? at - 1 : at;
        const int close = int(html.indexOf(QLatin1Char('>'), at));
        html = html.left(from) + (close < 0 ? QString() : html.mid(close));
    }
}

SelectionSnapshot snapshotFromMarkedSource(const QString &markedSource, int length, bool inCell)
{
    SelectionSnapshot snapshot;
    snapshot.inCell = inCell;
    snapshot.length = length;
    snapshot.markerPosition = int(markedSource.indexOf(marker())) + 1;
    snapshot.documentText = QString(markedSource).remove(marker());
    if (snapshot.markerPosition > 0)
        snapshot.selectedText = snapshot.documentText.mid(snapshot.markerPosition - 1, length);
    return snapshot;
}

int SaveSelection(EditorDocument &document)
{
    const EditorSelection selection = document.selection();
    if (selection.type == SelectionType::Control)
        return 0;
    const int caret = selection.range.start;
    document.select({caret, caret});
    return caret;
}

SelectionSnapshot GetSelection(EditorDocument &document)
{
    const EditorSelection selection = document.selection();
    const QString html = removeDesignTimeAttributes(document.rangeHtml(selection.range));
    const bool inCell = html.contains(QLatin1String("</td>"), Qt::CaseInsensitive);

    if (!inCell) {
        const MarkedDocument marked = document.markedDocument(marker(), MarkerPlace::SelectionStart);
        return snapshotFromMarkedSource(marked.documentHtml, int(html.size()), inCell);
    }
    const MarkedDocument marked = document.markedDocument(marker(), MarkerPlace::SelectedElement);
    const QString again = removeDesignTimeAttributes(marked.selectionHtml);
    const int length = int(again.size()) - int(again.indexOf(marker()) + 1);
    return snapshotFromMarkedSource(marked.documentHtml, length, inCell);
}

} // namespace ferrowen
