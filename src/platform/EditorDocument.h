#pragma once

#include "platform/DocumentFileError.h"
#include "platform/Status.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace ferrowen {

// How one editing command reaches the editing component: one of the
// engine's own editing commands ("bold", "fontName", ...), one of the
// view's actions ("cut", "copy", "paste", "undo"), or our own code on the
// document where the engine has no command ("insertRow", "makeAbsolute",
// ...).
struct EditingCommand
{
    enum class Route { Engine, ViewAction, Dom };
    Route route = Route::Engine;
    QString name;
};

struct EditingCommandState
{
    bool supported = false;
    bool enabled = false;
    bool on = false;
    // The current value of a command that has one (font name, size).
    QString value;
};

// A stretch of the body's text, as offsets into bodyText(): each character
// of the text counts one, each break between blocks or lines counts one,
// and so does each picture or rule.
struct TextRange
{
    int start = 0;
    int end = 0;
    bool operator==(const TextRange &other) const { return start == other.start && end == other.end; }
};

enum class SelectionType {
    None,   // a caret
    Text,   // a stretch of text
    Control // exactly one picture, table or horizontal rule
};

struct EditorSelection
{
    SelectionType type = SelectionType::None;
    TextRange range;
    // The selected element's tag name in lower case, for a control.
    QString controlTag;
};

// Where markedDocument puts its marker.
enum class MarkerPlace {
    SelectionStart,   // just before the selection (at the caret)
    SelectedElement,  // first thing inside the element holding the caret
};

// The document source as it stood with a marker in it; the marker is out
// of the document again before the call returns.
struct MarkedDocument
{
    bool ok = false;
    QString documentHtml;
    // The selection's HTML, read while the marker stood.
    QString selectionHtml;
};

// The HTML document being edited in the editor panel. Operations that fail
// inside the engine leave the document as it was; the writes that change
// what the user wrote say why in a Status, the others answer with nothing
// (an empty text, false, a default state).
class EditorDocument : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // --- Commands ---------------------------------------------------------
    // The states of several commands in one exchange with the engine.
    virtual QList<EditingCommandState> commandStates(const QList<EditingCommand> &commands) = 0;
    // Runs a command on the selection; false when the engine refused it.
    virtual bool runCommand(const EditingCommand &command, const QString &value = QString()) = 0;

    // --- Context menu -----------------------------------------------------
    // The items of the menu asked for by contextMenuRequested (an empty
    // text is a separator; state 2 greys the item). Only while that signal
    // is being handled; false at any other time.
    virtual bool SetContextMenu(const QStringList &texts, const QList<int> &states) = 0;

    // --- The document -----------------------------------------------------
    // The whole source as the engine writes it (lower-case tags, quoted
    // values), not the bytes it was given.
    virtual QString DocumentHTML() = 0;
    // Replaces the document in place; its base address stays.
    virtual void setDocumentHTML(const QString &html) = 0;
    virtual QUrl BaseURL() const = 0;
    virtual void setBaseURL(const QUrl &url) = 0;
    // Loading (a new base address, a file).
    virtual bool Busy() const = 0;
    // Lets events run while Busy, up to the time limit; false when it ran out.
    virtual bool waitWhileBusy() = 0;
    // The document keeps what the user wrote as the engine serialises it;
    // there is no other way, so switching this off changes nothing.
    virtual void setSourceCodePreservation(bool on) = 0;
    // Opens an HTML file. A file that cannot be read, a frameset or a
    // server page leave the document as it was.
    virtual DocumentFileError LoadDocument(const QString &path) = 0;
    // Saves the document as UTF-8 (its meta charset saying so), replacing
    // the file only once everything is written.
    virtual DocumentFileError SaveDocument(const QString &path) = 0;
    // An empty, editable document.
    virtual void NewDocument() = 0;
    virtual QString bodyInnerHTML() = 0;
    virtual void setBodyInnerHTML(const QString &html) = 0;

    // --- Text and selection -----------------------------------------------
    // The body's text in the offsets every range uses: "\n" for each break.
    virtual QString bodyText() = 0;
    virtual EditorSelection selection() = 0;
    virtual QString rangeText(const TextRange &range) = 0;
    virtual QString rangeHtml(const TextRange &range) = 0;
    // Selects the range and scrolls it into view.
    virtual void select(const TextRange &range) = 0;
    // How far below the top of the document the range starts, in pixels.
    virtual int rangeTop(const TextRange &range) = 0;
    // Puts html in place of the range, as one step undo can revert.
    virtual Status pasteHtml(const TextRange &range, const QString &html) = 0;
    // Writes replacement over the range, but only when the range still
    // holds expected; a failure (and nothing written) otherwise.
    virtual Status replaceText(const TextRange &range, const QString &expected, const QString &replacement) = 0;
    // The tag name (lower case) of the element holding the caret, or of the
    // selected control; empty when there is none.
    virtual QString selectedElementTag() = 0;
    // The source (outerHTML) of the nearest element named tagName (lower
    // case) holding the selection: the selected picture or table itself,
    // or one around the start of the selection. A caret just before a
    // link's first character is inside that link. Empty when there is none.
    virtual QString enclosingElementHtml(const QString &tagName) = 0;
    // Puts html (one element named tagName) in place of that element, but
    // only while its source is still expected; the new element holds the
    // selection afterwards. A failure (and nothing written) otherwise.
    virtual Status replaceEnclosingElement(const QString &tagName, const QString &expected, const QString &html) = 0;
    // Whether the cells of tables without a border are drawn while editing;
    // a drawing of the editor's own that never enters the document.
    virtual bool showBorders() = 0;
    virtual void setShowBorders(bool on) = 0;
    // Inserts marker, reads the document and the selection's HTML, and
    // removes the marker again, leaving the document and the selection
    // exactly as they were.
    virtual MarkedDocument markedDocument(const QString &marker, MarkerPlace place) = 0;

Q_SIGNALS:
    // The selection or the content changed: buttons showing the format
    // under the caret need a refresh.
    void displayChanged();
    // The user asked for a context menu: answer with SetContextMenu.
    void contextMenuRequested();
    // An item of the last context menu was chosen (0-based over its items).
    void contextMenuItemChosen(int index);
    // The pointer left the editing area, or the editing area lost the
    // keyboard focus: the user may be going to the page.
    void pointerLeft();
    void focusLost();
};

} // namespace ferrowen
