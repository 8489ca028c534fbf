#pragma once

#include "addressbook/ui/AddressPane.h"
#include "app/LayoutRules.h"
#include "settings/HelpTopics.h"
#include "app/Twips.h"
#include "editor/ui/EditorPanel.h"
#include "store/ui/SavedFoldersPane.h"

#include <QHash>
#include <QMainWindow>
#include <QRect>

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabBar;
class QToolBar;

namespace ferrowen {

class BrowserPane;
class InboxFramesBand;
class SettingsPanel;

// The main window: the address pane on the left, the splitter, and the main
// area with its five tabs, the browser toolbar, the editor panel, the wait
// panel and the status bar. Positions follow the layout rules in twips
// (layout::...), converted to pixels with the logical DPI of the window's
// screen. Every control carries its name as its objectName.
//
// The window places panes and switches tabs; the panes of the address
// books, the saved messages and the editor belong to their own classes and
// are attached once. Work that belongs to other parts of the program is
// handed out through signals.
class MainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    // The panes of the other parts of the program, placed from now on.
    void attachAddressPane(const AddressPane::Parts &parts);
    void attachSavedFolders(const SavedFoldersPane::Parts &parts);
    void attachEditorPanel(const EditorPanel::Parts &parts);

    // The browser panes WebBrowser1 to WebBrowser4, by their role.
    BrowserPane &browser(Pane pane) const;
    InboxFramesBand &band() const { return *m_band; }
    SettingsPanel &settingsPanel() const { return *m_settings; }

    // --- Tabs ---
    Tab selectedTab() const;
    // Selects a tab and runs the tab-change handling, even when the tab is
    // selected already (as start-up's first selection needs).
    void selectTab(Tab tab);

    // --- Layout (all values in twips) ---
    // Lays out the address pane, the splitter and the main area for splitter
    // position x, correcting x in place.
    void SizeControls(int &x);
    // The window resize handling (does nothing while minimized).
    void applyResizeLayout();
    void hideAddressPane();       // CommandHide
    void showAddressPane();       // CommandShowAddress
    void toggleAddressExpanded(); // Toolbar2 "expand"
    int splitterPosition() const { return m_splitter; }
    bool isExpanded() const { return m_expanded; }
    bool isDraggingSplitter() const { return m_dragging; }
    // Left of the drag bar picSplitter while it is shown.
    int dragBarPosition() const { return m_dragBarLeft; }
    // The rectangle last given to a control by the layout, in twips
    // (relative to its parent); an empty rectangle for controls it never
    // placed.
    QRect twipsGeometry(const QWidget *control) const;
    QRect webBrowser1Geometry() const;
    // Width of the layout surface (the window's inner area).
    int innerWidth() const;
    // The conversion in force for this window's screen.
    Twips twips() const;

    // --- Editor panel: its height, and the inbox frame buttons' places ---
    // The height the panel is given; a short first pane shows less of it.
    void setEditorHeight(int height);
    int editorHeight() const { return m_editorWantedHeight; }
    void placeEditorOverFirstPane(); // Command1
    void collapseEditor();           // Command4
    // The panel's place shows: it lies over the first pane, and that pane's
    // tab is selected.
    bool isEditorPlaceShown() const;

    // --- Wait panel PictureWait ---
    void showWaitPanel();
    void hideWaitPanel();
    bool isWaitPanelShown() const;

    // --- The bar that tells what waits to be filled into the compose form ---
    // An empty text hides it.
    void showWaitingNotice(const QString &text);
    QString waitingNoticeText() const;

    // --- Status bar StatusBar1, panels 1 to 3, and its progress bar ---
    void setStatusPanelText(int panel, const QString &text);
    QString statusPanelText(int panel) const;
    // Progress1; a maximum of 0 shows work going on without an end in sight.
    void showProgress(int value, int maximum);
    void hideProgress();

Q_SIGNALS:
    // The window is about to close; nothing has gone yet.
    void closing();
    // Emitted after the tab-change handling has switched the panes.
    void composeTabSelected();
    void savedFoldersTabSelected();
    void calendarTabSelected();
    // The wait panel's Cancel was pressed (the panel is hidden already).
    void waitCancelled();
    // "Fill Now" and "Discard" of the waiting notice.
    void fillWaitingRequested();
    void discardWaitingRequested();
    // The address pane was widened or narrowed back.
    void addressPaneExpanded(bool expanded);
    // The address pane was shown again; the grid of an open book returns.
    void addressPaneShown();
    // "Check S&pam": copy the editor's body into the page's posting form.
    void transferEditorBodyRequested();
    // The editor panel's place came into view or went out of it (a tab
    // change, the panel placed over the first pane or folded away).
    void editorPlaceShown(bool shown);
    // Hiding or showing the address pane moves the address palette to the
    // left of the first pane (given in twips, relative to the window).
    void paletteMoveRequested(int webBrowser1Left);
    // A mouse button went down on the window's own surface, outside every
    // control.
    void surfaceMousePressed();
    // The menu asked to tick the inbox messages between ticked ones (what a
    // press on the bare surface does too).
    void fillCheckedRangeRequested();
    // The Help menu's items.
    void helpContentsRequested();
    void helpTopicRequested(ferrowen::HelpTopic topic);
    void mailLinkHandlerRequested();
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction (MainForm.cpp).
    void buildMenu();
    void buildHelpMenu();
    void buildBrowserToolbar();
    void buildAddressPaneFrame();
    void buildMainArea();
    void buildWaitPanel();
    QWidget *buildWaitingNotice();
    void buildStatusBar();
    void adopt(QWidget *part);

    // Layout (MainFormLayout.cpp).
    void place(QWidget *control, const QRect &twips, const Twips &conversion);
    void applyPaneRects(const layout::PaneRects &rects, const Twips &conversion);
    void placeEditorPanel();
    void placeWaitPanel();
    bool handleSplitterMouse(QEvent *event);

    // Tabs, toolbar and pane events (MainFormTabs.cpp).
    void handleTabChange(Tab tab);
    void runBrowserTool(const QString &key);
    void connectPaneEvents();
    QWidget *tabPaneWidget(layout::TabPane pane) const;

    InboxFramesBand *m_band = nullptr;
    QWidget *m_surface = nullptr;

    QToolBar *m_toolbar1 = nullptr;
    QComboBox *m_addressCombo = nullptr;

    QTabBar *m_tabStrip1 = nullptr;
    QPushButton *m_commandHide = nullptr;
    AddressPane::Parts m_addressPane;

    QFrame *m_imgSplitter = nullptr;
    QFrame *m_picSplitter = nullptr;

    QTabBar *m_tabStrip2 = nullptr;
    BrowserPane *m_webBrowser[4] = {};
    SavedFoldersPane::Parts m_savedFolders;
    SettingsPanel *m_settings = nullptr;

    EditorPanel::Parts m_editor;
    QFrame *m_pictureWait = nullptr;
    QFrame *m_waitingNotice = nullptr;
    QLabel *m_waitingText = nullptr;

    QLabel *m_statusPanel[3] = {};
    QProgressBar *m_progress1 = nullptr;

    // Layout state, twips.
    bool m_addressPaneHidden = false;
    bool m_expanded = false;
    int m_splitter = layout::ShownSplitter;
    int m_splitterBeforeExpand = layout::ShownSplitter;
    bool m_dragging = false;
    int m_dragBarLeft = 0;
    // Folded away at start, until a button opens it.
    bool m_editorOverPane = false;
    int m_editorWantedHeight = layout::DesignedEditorHeight;
    QHash<const QWidget *, QRect> m_placed;
};

} // namespace ferrowen
