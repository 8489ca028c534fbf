// The main window's layout: SizeControls, the resize handling, the address
// pane's hide, show and expand commands, the splitter drag and the editor
// and wait panels' places. Every number is in twips.
#include "app/MainForm.h"

#include "app/InboxFramesBand.h"
#include "app/SettingsPanel.h"
#include "platform/web/BrowserPane.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

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

int MainForm::innerHeight() const
{
    return twips().toTwips(m_surface->height());
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
    applyPaneRects(layout::layOutPanes(x, paneShown, width, height), conversion);
}

void MainForm::applyPaneRects(const layout::PaneRects &r, const Twips &conversion)
{
    place(m_tabStrip1, r.tabStrip1, conversion);
    place(m_imgSplitter, r.imgSplitter, conversion);
    place(m_tabStrip2, r.tabStrip2, conversion);
    place(m_commandHide, r.commandHide, conversion);
    place(m_toolbar2, r.toolbar2, conversion);
    place(m_labelBkName, r.labelBkName, conversion);
    place(m_grid, r.grid, conversion);

    for (QWidget *pane : {static_cast<QWidget *>(m_webBrowser[0]), static_cast<QWidget *>(m_webBrowser[2]),
                          static_cast<QWidget *>(m_webBrowser[3]), static_cast<QWidget *>(m_settings)})
        place(pane, r.pane, conversion);
    place(m_picture2, r.saved.folders, conversion);
    place(m_picture3, r.saved.buttons, conversion);
    place(m_listMsg, r.saved.list, conversion);
    place(m_webBrowser[1], r.saved.preview, conversion);

    if (auto *spam = m_settings->findChild<QPlainTextEdit *>(QStringLiteral("TextSpam"))) {
        m_placed.insert(spam, r.spamEditor);
        m_settings->setSpamEditorGeometry(conversion.toPixels(r.spamEditor));
    }
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
    m_labelBkName->hide();
    m_grid->hide();
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
    m_labelBkName->show();
    m_imgSplitter->show();
    m_tabStrip1->show();
    m_band->showAddressButton()->hide();
    m_band->paletteButton()->hide();
    int x = layout::ShownSplitter;
    SizeControls(x);
    Q_EMIT paletteMoveRequested(webBrowser1Geometry().x());
}

void MainForm::toggleAddressExpanded()
{
    if (!m_expanded) {
        m_splitterBeforeExpand = m_splitter;
        int x = layout::expandedSplitter(innerWidth());
        SizeControls(x);
        m_expanded = true;
        m_expandAction->setToolTip(tr("Contract Address Book"));
    } else {
        int x = m_splitterBeforeExpand;
        SizeControls(x);
        m_expanded = false;
        m_expandAction->setToolTip(tr("Expand Address Book"));
    }
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

void MainForm::applyEditorPlacement(const layout::EditorPlacement &placement)
{
    m_editorPanelRect = QRect(placement.left, placement.top, placement.width, m_editorPanelRect.height());
    m_editorControlRect.setWidth(placement.editorWidth);
    const Twips conversion = twips();
    place(m_pictureBlog, m_editorPanelRect, conversion);
    place(m_editorControl, m_editorControlRect, conversion);
}

void MainForm::placeEditorOverFirstPane()
{
    applyEditorPlacement(layout::editorOverFirstPane(webBrowser1Geometry()));
}

void MainForm::collapseEditor()
{
    applyEditorPlacement(layout::editorCollapsed(webBrowser1Geometry()));
}

void MainForm::setEditorHeight(int height)
{
    m_editorPanelRect.setHeight(height);
    m_editorControlRect.setHeight(layout::editorControlHeight(height));
    const Twips conversion = twips();
    place(m_pictureBlog, m_editorPanelRect, conversion);
    place(m_editorControl, m_editorControlRect, conversion);
}

void MainForm::installEditor(QWidget *editor)
{
    if (!editor || editor == m_editorControl)
        return;
    m_placed.remove(m_editorControl);
    delete m_editorControl;
    m_editorControl = editor;
    editor->setParent(m_pictureBlog);
    editor->setObjectName(QStringLiteral("DHTMLEdit1"));
    place(editor, m_editorControlRect, twips());
    editor->show();
}

void MainForm::placeWaitPanel()
{
    const QRect pane = webBrowser1Geometry();
    const QRect rect(pane.x() + (pane.width() - WaitPanelWidth) / 2, pane.y() + (pane.height() - WaitPanelHeight) / 3,
                     WaitPanelWidth, WaitPanelHeight);
    place(m_pictureWait, rect, twips());
}

} // namespace ferrowen
