#pragma once

#include "editor/EditorCommands.h"
#include "editor/EditorContextMenu.h"
#include "editor/EditorTransfer.h"
#include "editor/ui/EditorDialogs.h"
#include "platform/ui/PaneParts.h"
#include "spell/SpellChecker.h"

#include <QObject>

#include <memory>

class QFrame;
class QRadioButton;
class QTimer;
class QWidget;

namespace ferrowen {

class EditorFormatBar;
class EditorHost;
class EngineEditorDocument;

// The HTML editor's panel (PictureBlog): the formatting bar (Toolbar3 and
// its lists) over the editing area (DHTMLEdit1); and, to stay in reach
// while the panel is hidden, the two switches between editing visually and
// editing the page's own field (CheckNormal, CheckHTMLSource) with "Earn
// $$" (CommandAffiliate). The main window places the parts; this class
// owns them and what they do.
class EditorPanel : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QFrame *panel = nullptr;   // PictureBlog
        QWidget *editor = nullptr; // DHTMLEdit1
        QWidget *modes = nullptr;  // CheckNormal, CheckHTMLSource, CommandAffiliate
    };

    explicit EditorPanel(EditorHost &host, QObject *parent = nullptr);
    ~EditorPanel() override;

    Parts parts() const { return m_parts; }
    EditorDocument &document() const;
    EditorCommands &commands() { return m_commands; }
    EditorFormatBar &formatBar() const { return *m_bar; }

    // Timer1: opens a table dialog shortly after the editor's context menu
    // has closed.
    QTimer *tableDialogTimer() const { return m_timer1; }
    // The hyperlink, image and table dialogs; null detaches them.
    void setDialogs(EditorDialogs *dialogs);

    // Copies the body into the page's posting form (also whenever the user
    // leaves the visible editing area); silent when the page has none.
    void transferEditorBody();
    // "Check S&pam": the same, and the user hears when nothing was copied
    // (no posting form, or the source being edited in it).
    void transferEditorBodyOnRequest();
    // CheckHTMLSource: the body goes to the page and the panel hides.
    void editSource();
    // CheckNormal: the panel shows again over the first pane, with what
    // the user made of the source in the page's field.
    void editVisually();
    // The window shows the panel's place (the first pane, the panel not
    // folded away) or not.
    void setPlaceShown(bool shown);
    // "Earn $$".
    void showAffiliateDialog();

    // The display changed: buttons and lists show the format at the caret.
    void refreshDisplay();
    void runToolbarButton(const QString &key);

private:
    void buildModes();
    void connectDocument();
    void connectBar();
    void placeBar();
    void chooseFont(int index);
    void chooseSize(int index);
    void chooseStyle(const QString &name);
    void chooseColour();
    void promptFont();
    void toggleExpanded();
    void checkSpelling();
    void transferOnLeaving();
    void showPanelForMode();
    void offerContextMenu();
    void runContextMenuItem(int index);
    void openPendingTableDialog();
    bool eventFilter(QObject *watched, QEvent *event) override;

    EditorHost &m_host;
    Parts m_parts;
    PaneParts m_handedParts;
    EngineEditorDocument *m_document = nullptr;
    EditorCommands m_commands;
    EditorFormatBar *m_bar = nullptr;
    SpellChecker m_spelling;
    QTimer *m_timer1 = nullptr;
    QRadioButton *m_editSource = nullptr;
    QRadioButton *m_editVisually = nullptr;
    EditorDialogs *m_dialogs = nullptr;

    // Set once the lists are filled; the lists act only then.
    bool m_ready = false;
    bool m_displayChangedOnce = false;
    ContextMenuLayout m_menu;
    // 1 the cell properties dialog, 2 the table properties dialog.
    int m_pendingTableDialog = 0;
    CellScope m_cellScope = CellScope::Cell;
    bool m_editingSource = false;
    bool m_placeShown = true;
    // What went into the page's field when the source editing began.
    PostingTransfer m_atSourceSwitch;
    QString m_fileFolder;
};

} // namespace ferrowen
