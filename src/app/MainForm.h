#pragma once

#include "app/LayoutRules.h"
#include "app/Twips.h"

#include <QHash>
#include <QMainWindow>
#include <QRect>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTableWidget;
class QTimer;
class QToolBar;
class QTreeWidget;

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
// Work that belongs to other parts of the program is handed out through
// signals; the main window only shows, hides and places.
class MainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    // Flags other parts of the program share through the main window. (The
    // compose automation keeps its own, keepComposeOnce among them.)
    bool WaitCancelled = false;
    bool MergeInProgress = false;

    // --- Tabs (numbered 1 to 5) ---
    int selectedTab() const;
    // Selects a tab and runs the tab-change handling, even when the tab is
    // selected already (as start-up's first selection needs).
    void selectTab(int tab);

    // --- Layout (all values in twips) ---
    // Lays out the address pane, the splitter and the main area for splitter
    // position x, correcting x in place.
    void SizeControls(int &x);
    // The window resize handling (does nothing while minimized).
    void applyResizeLayout();
    void hideAddressPane();      // CommandHide
    void showAddressPane();      // CommandShowAddress
    void toggleAddressExpanded(); // Toolbar2 "expand"
    int splitterPosition() const { return m_splitter; }
    bool isAddressPaneHidden() const { return m_addressPaneHidden; }
    bool isExpanded() const { return m_expanded; }
    bool isDraggingSplitter() const { return m_dragging; }
    // Left of the drag bar picSplitter while it is shown.
    int dragBarPosition() const { return m_dragBarLeft; }
    // The rectangle last given to a control by the layout, in twips
    // (relative to its parent); an empty rectangle for controls it never
    // placed.
    QRect twipsGeometry(const QWidget *control) const;
    QRect webBrowser1Geometry() const;
    // Width and height of the layout surface (the window's inner area).
    int innerWidth() const;
    int innerHeight() const;
    // The conversion in force for this window's screen.
    Twips twips() const;

    // --- Editor panel PictureBlog with its editing control DHTMLEdit1 ---
    QFrame *editorPanel() const { return m_pictureBlog; }
    QWidget *editorControl() const { return m_editorControl; }
    // Puts the real editor in place of the placeholder, keeping its place.
    void installEditor(QWidget *editor);
    void setEditorHeight(int height);
    void placeEditorOverFirstPane(); // Command1
    void collapseEditor();           // Command4

    // --- Wait panel PictureWait ---
    void showWaitPanel();
    void hideWaitPanel();

    // --- Status bar StatusBar1, panels 1 to 3 ---
    void setStatusPanelText(int panel, const QString &text);
    QString statusPanelText(int panel) const;

    // --- Controls other parts of the program work with ---
    BrowserPane *webBrowser(int number) const; // WebBrowser1 .. WebBrowser4
    QTabBar *mainTabs() const { return m_tabStrip2; }
    QComboBox *addressCombo() const { return m_addressCombo; }
    QTableWidget *addressGrid() const { return m_grid; }
    QLineEdit *cellEditor() const { return m_textEdit; }
    QLabel *addressBookLabel() const { return m_labelBkName; }
    QTreeWidget *messageList() const { return m_listMsg; }
    QFrame *folderPanel() const { return m_picture2; }
    QFrame *messageButtonPanel() const { return m_picture3; }
    SettingsPanel *settingsPanel() const { return m_settings; }
    InboxFramesBand *inboxFrames() const { return m_band; }
    QAction *addressToolAction(const QString &key) const;
    QAction *browserToolAction(const QString &key) const;
    QTimer *timer1() const { return m_timer1; }
    QTimer *timer2() const { return m_timer2; }

Q_SIGNALS:
    // The window is about to close; nothing has gone yet.
    void closing();
    // Emitted after the tab-change handling has switched the panes.
    void composeTabSelected();
    void savedFoldersTabSelected();
    void calendarTabSelected();
    // "Check S&pam": copy the editor's body into the page's posting form.
    void transferEditorBodyRequested();
    // Hiding or showing the address pane moves the address palette to the
    // left of the first pane (given in twips, relative to the window).
    void paletteMoveRequested(int webBrowser1Left);
    // A mouse button went down on the window's own surface, outside every
    // control.
    void surfaceMousePressed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction (MainForm.cpp).
    void buildMenu();
    void buildBrowserToolbar();
    void buildAddressPane();
    void buildMainArea();
    void buildSavedFolderPanels();
    void buildEditorPanel();
    void buildWaitPanel();
    void buildStatusBar();
    void buildTimers();

    // Layout (MainFormLayout.cpp).
    void place(QWidget *control, const QRect &twips, const Twips &conversion);
    void applyPaneRects(const layout::PaneRects &rects, const Twips &conversion);
    void applyEditorPlacement(const layout::EditorPlacement &placement);
    void placeWaitPanel();
    bool handleSplitterMouse(QEvent *event);

    // Tabs, toolbar and pane events (MainFormTabs.cpp).
    void handleTabChange(int tab);
    void runBrowserTool(const QString &key);
    void connectPaneEvents();
    QWidget *tabPaneWidget(layout::TabPane pane) const;

    InboxFramesBand *m_band = nullptr;
    QWidget *m_surface = nullptr;

    QToolBar *m_toolbar1 = nullptr;
    QComboBox *m_addressCombo = nullptr;

    QTabBar *m_tabStrip1 = nullptr;
    QToolBar *m_toolbar2 = nullptr;
    QLabel *m_labelBkName = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_textEdit = nullptr;
    QPushButton *m_commandHide = nullptr;
    QAction *m_expandAction = nullptr;

    QFrame *m_imgSplitter = nullptr;
    QFrame *m_picSplitter = nullptr;

    QTabBar *m_tabStrip2 = nullptr;
    BrowserPane *m_webBrowser[4] = {};
    QTreeWidget *m_listMsg = nullptr;
    QFrame *m_picture2 = nullptr;
    QFrame *m_picture3 = nullptr;
    SettingsPanel *m_settings = nullptr;

    QFrame *m_pictureBlog = nullptr;
    QWidget *m_editorControl = nullptr;
    QFrame *m_pictureWait = nullptr;

    QLabel *m_statusPanel[3] = {};
    QProgressBar *m_progress1 = nullptr;

    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;

    // Layout state, twips.
    bool m_addressPaneHidden = false;
    bool m_expanded = false;
    int m_splitter = layout::ShownSplitter;
    int m_splitterBeforeExpand = layout::ShownSplitter;
    bool m_dragging = false;
    int m_dragBarLeft = 0;
    QRect m_editorPanelRect;
    QRect m_editorControlRect;
    QHash<const QWidget *, QRect> m_placed;
};

} // namespace ferrowen
