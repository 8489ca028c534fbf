// The main window's layout: SizeControls, the resize handling, the address
// pane's hide, show and expand commands, the splitter drag and the editor
// and wait panels' places. Every number is in twips.
#include "app/MainForm.h"

#include "addressbook/ui/AddressGrid.h"
#include "app/InboxFramesBand.h"
#include "app/SettingsPanel.h"
#include "platform/web/BrowserPane.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>

namespace ferrowen {

namespace {

constexpr int WaitPanelWidth = 3600;
constexpr int WaitPanelHeight = 1300;

} // namespace

Twips MainForm::twips() const
{
    const QScreen *s = screen();
    return Twips(s ? s->logicalDotsPerInchX() : 96.0);
}

int MainForm::innerWidth() const
{
    return twips().toTwips(m_surface->width());
}

QRect MainForm::twipsGeometry(const QWidget *control) const
{
    return m_placed.value(control);
}

QRect MainForm::webBrowser1Geometry() const
{
    return m_placed.value(m_webBrowser[0]);
}

void MainForm::place(QWidget *control, const QRect &rect, const Twips &conversion)
{
    // A pane not attached (yet) has nothing to place.
    if (!control)
        return;
    m_placed.insert(control, rect);
    control->setGeometry(conversion.toPixels(rect));
}

void MainForm::SizeControls(int &x)
{
    const Twips conversion = twips();
    const int width = conversion.toTwips(m_surface->width());
    const int height = conversion.toTwips(m_surface->height());
    const bool paneShown = !m_addressPaneHidden;
    x = layout::clampSplitterOnLayout(x, width, paneShown);
    m_splitter = x;
    // The saved-message buttons wrap onto a second row in a narrow pane.
    const auto buttonsHeightFor = [this, &conversion](int widthTwips) {
        QWidget *buttons = m_savedFolders.buttons;
        if (!buttons || !buttons->layout() || !buttons->layout()->hasHeightForWidth())
            return 0;
        return conversion.toTwips(buttons->layout()->totalHeightForWidth(conversion.toPixels(widthTwips)));
    };
    applyPaneRects(layout::layOutPanes(x, paneShown, width, height, buttonsHeightFor), conversion);
}

void MainForm::applyPaneRects(const layout::PaneRects &r, const Twips &conversion)
{
    place(m_tabStrip1, r.tabStrip1, conversion);
    place(m_imgSplitter, r.imgSplitter, conversion);
    place(m_tabStrip2, r.tabStrip2, conversion);
    place(m_commandHide, r.commandHide, conversion);
    place(m_addressPane.toolbar, r.toolbar2, conversion);
    place(m_addressPane.bookName, r.labelBkName, conversion);
    place(m_addressPane.cellLabel, r.labelEdit, conversion);
    place(m_addressPane.cellEditor, r.textEdit, conversion);
    place(m_addressPane.grid, r.grid, conversion);

    for (QWidget *pane : {static_cast<QWidget *>(m_webBrowser[0]), static_cast<QWidget *>(m_webBrowser[2]),
                          static_cast<QWidget *>(m_webBrowser[3]), static_cast<QWidget *>(m_settings)})
        place(pane, r.pane, conversion);
    place(m_savedFolders.folders, r.saved.folders, conversion);
    place(m_savedFolders.buttons, r.saved.buttons, conversion);
    place(m_savedFolders.list, r.saved.list, conversion);
    place(m_webBrowser[1], r.saved.preview, conversion);
    m_settings->setSpamEditorGeometry(conversion.toPixels(r.spamEditor));
    placeEditorPanel();
    if (!m_pictureWait->isHidden())
        placeWaitPanel();
}

void MainForm::applyResizeLayout()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    int x = m_splitter;
    SizeControls(x);
}

void MainForm::hideAddressPane()
{
    m_addressPaneHidden = true;
    m_commandHide->hide();
    for (QWidget *part : {static_cast<QWidget *>(m_addressPane.toolbar), static_cast<QWidget *>(m_addressPane.bookName),
                          static_cast<QWidget *>(m_addressPane.cellLabel), static_cast<QWidget *>(m_addressPane.cellEditor),
                          static_cast<QWidget *>(m_addressPane.grid)}) {
        if (part)
            part->hide();
    }
    // Nothing to split while the pane is away; the pane's tab strip, left
    // zero wide, would still show its scroll arrows.
    m_imgSplitter->hide();
    m_tabStrip1->hide();
    m_band->showAddressButton()->show();
    m_band->paletteButton()->show();
    int x = 0;
    SizeControls(x);
    Q_EMIT paletteMoveRequested(webBrowser1Geometry().x());
}

void MainForm::showAddressPane()
{
    if (m_expanded)
        toggleAddressExpanded();
    m_addressPaneHidden = false;
    m_commandHide->show();
    // The grid waits until an address book is opened (addressPaneShown).
    for (QWidget *part : {static_cast<QWidget *>(m_addressPane.toolbar), static_cast<QWidget *>(m_addressPane.bookName)}) {
        if (part)
            part->show();
    }
    m_imgSplitter->show();
    m_tabStrip1->show();
    m_band->showAddressButton()->hide();
    m_band->paletteButton()->hide();
    int x = layout::ShownSplitter;
    SizeControls(x);
    Q_EMIT paletteMoveRequested(webBrowser1Geometry().x());
    Q_EMIT addressPaneShown();
}

void MainForm::toggleAddressExpanded()
{
    if (!m_expanded) {
        m_splitterBeforeExpand = m_splitter;
        int x = layout::expandedSplitter(innerWidth());
        SizeControls(x);
        m_expanded = true;
    } else {
        int x = m_splitterBeforeExpand;
        SizeControls(x);
        m_expanded = false;
    }
    Q_EMIT addressPaneExpanded(m_expanded);
}

bool MainForm::handleSplitterMouse(QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    const Twips conversion = twips();
    const QRect handle = m_placed.value(m_imgSplitter);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_dragBarLeft = handle.x();
        place(m_picSplitter, layout::dragBar(handle, m_dragBarLeft), conversion);
        m_picSplitter->show();
        m_picSplitter->raise();
        return true;
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        const int p = handle.x() + conversion.toTwips(qRound(mouse->position().x()));
        m_dragBarLeft = layout::clampSplitterWhileDragging(p, innerWidth());
        place(m_picSplitter, layout::dragBar(handle, m_dragBarLeft), conversion);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_dragging || mouse->button() != Qt::LeftButton)
            return false;
        int x = m_dragBarLeft;
        SizeControls(x);
        m_picSplitter->hide();
        m_dragging = false;
        return true;
    }
    default:
        return false;
    }
}

bool MainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_imgSplitter) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return handleSplitterMouse(event);
        default:
            break;
        }
    } else if (watched == m_band && event->type() == QEvent::MouseButtonPress) {
        // The band of frames spans the window's width: its background
        // beside the frames is bare surface to the user as well.
        if (!m_band->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            Q_EMIT surfaceMousePressed();
    } else if (watched == m_surface) {
        if (event->type() == QEvent::Resize) {
            applyResizeLayout();
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            // Presses on a control that ignores them (a label, a frame)
            // bubble up here too; only the bare surface counts.
            if (!m_surface->childAt(mouse->position().toPoint()))
                Q_EMIT surfaceMousePressed();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainForm::isEditorPlaceShown() const
{
    return m_editorOverPane && selectedTab() == Tab::InboxLogin;
}

// The panel follows the first pane: over it or folded at its top, and
// never past its bottom whatever the window's size.
void MainForm::placeEditorPanel()
{
    if (!m_editor.panel)
        return;
    const QRect pane = webBrowser1Geometry();
    const layout::EditorPlacement placement = m_editorOverPane ? layout::editorOverFirstPane(pane, m_editorWantedHeight)
                                                               : layout::editorCollapsed(pane, m_editorWantedHeight);
    const Twips conversion = twips();
    place(m_editor.panel, QRect(placement.left, placement.top, placement.width, placement.height), conversion);
    place(m_editor.editor,
          QRect(0, layout::EditorBarHeight, placement.editorWidth, layout::editorControlHeight(placement.height)),
          conversion);
}

void MainForm::placeEditorOverFirstPane()
{
    m_editorOverPane = true;
    placeEditorPanel();
    Q_EMIT editorPlaceShown(isEditorPlaceShown());
}

void MainForm::collapseEditor()
{
    m_editorOverPane = false;
    placeEditorPanel();
    Q_EMIT editorPlaceShown(isEditorPlaceShown());
}

void MainForm::setEditorHeight(int height)
{
    m_editorWantedHeight = height;
    placeEditorPanel();
}

void MainForm::placeWaitPanel()
{
    const QRect pane = webBrowser1Geometry();
    const QRect rect(pane.x() + (pane.width() - WaitPanelWidth) / 2, pane.y() + (pane.height() - WaitPanelHeight) / 3,
                     WaitPanelWidth, WaitPanelHeight);
    place(m_pictureWait, rect, twips());
}

} // namespace ferrowen
