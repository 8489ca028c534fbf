#include "app/MainForm.h"

#include "addressbook/ui/AddressGrid.h"
#include "app/InboxFramesBand.h"
#include "settings/ProgramTitle.h"
#include "app/SettingsPanel.h"
#include "platform/ui/AccessibleComboBox.h"
#include "platform/ui/NamedWidget.h"
#include "platform/ui/ToolButtons.h"
#include "platform/web/BrowserPane.h"
#include "platform/web/PageCallWaits.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QTabBar *tabStrip(QWidget *parent, const char *objectName)
{
    auto *tabs = named(new QTabBar(parent), objectName);
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setFocusPolicy(Qt::TabFocus);
    return tabs;
}

QFrame *panel(QWidget *parent, const char *objectName)
{
    auto *frame = named(new QFrame(parent), objectName);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

MainForm::MainForm(QWidget *parent)
    : QMainWindow(parent)
{
    // Before any control is asked for its name.
    installAccessibleComboBoxes();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(ProgramTitle.toString());

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_band = new InboxFramesBand(central);
    column->addWidget(m_band);
    column->addWidget(buildWaitingNotice());
    // Everything below the band is placed by the layout rules, not by Qt
    // layouts: the surface is the "window" those rules measure.
    m_surface = named(new QWidget(central), "LayoutSurface");
    m_surface->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_surface->setMinimumSize(200, 150);
    column->addWidget(m_surface, 1);
    setCentralWidget(central);

    buildMenu();
    buildBrowserToolbar();
    buildMainArea();
    buildAddressPaneFrame();
    buildWaitPanel();
    buildStatusBar();
    connectPaneEvents();
    // Only now that every control exists may a resize lay them out.
    m_surface->installEventFilter(this);
    m_band->installEventFilter(this);

    m_band->showAddressButton()->hide();
    m_band->paletteButton()->hide();
    connect(m_band->showAddressButton(), &QPushButton::clicked, this, &MainForm::showAddressPane);
    connect(m_band->checkSpamButton(), &QPushButton::clicked, this, &MainForm::transferEditorBodyRequested);
    connect(m_band->checkUnreadButton(), &QPushButton::clicked, this, &MainForm::placeEditorOverFirstPane);
    connect(m_band->useTemplateButton(), &QPushButton::clicked, this, &MainForm::collapseEditor);

    resize(1024, 720);
}

MainForm::~MainForm() = default;

void MainForm::buildMenu()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *exit = file->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // The same as a press on the window's bare surface, for the keyboard.
    QMenu *inbox = menuBar()->addMenu(tr("&Inbox"));
    inbox->setObjectName(QStringLiteral("mnuInbox"));
    QAction *fill = inbox->addAction(tr("&Tick Messages Between Ticked Ones"));
    fill->setObjectName(QStringLiteral("mnuFillCheckedRange"));
    fill->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(fill, &QAction::triggered, this, &MainForm::fillCheckedRangeRequested);

    buildHelpMenu();
}

void MainForm::buildHelpMenu()
{
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *contents = help->addAction(tr("&Contents"));
    contents->setObjectName(QStringLiteral("mnuHelpContents"));
    contents->setShortcut(QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, &MainForm::helpContentsRequested);

    help->addSeparator();
    const struct
    {
        const char *objectName;
        QString caption;
        HelpTopic topic;
    } topics[] = {
        {"mnuHelpMailMerge", tr("Mail &Merge"), HelpTopic::MailMerge},
        {"mnuHelpTemplates", tr("E-mail &Templates"), HelpTopic::Templates},
        {"mnuHelpMailLinks", tr("Mail &Links"), HelpTopic::DefaultMailProgram},
    };
    for (const auto &row : topics) {
        QAction *topic = help->addAction(row.caption);
        topic->setObjectName(QLatin1String(row.objectName));
        const HelpTopic number = row.topic;
        connect(topic, &QAction::triggered, this, [this, number] { Q_EMIT helpTopicRequested(number); });
    }

    help->addSeparator();
    QAction *handler = help->addAction(tr("&Make Ferrowen the mail link handler"));
    handler->setObjectName(QStringLiteral("mnuMailLinkHandler"));
    connect(handler, &QAction::triggered, this, &MainForm::mailLinkHandlerRequested);

    help->addSeparator();
    QAction *about = help->addAction(tr("&About Ferrowen"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainForm::aboutRequested);
}

void MainForm::buildBrowserToolbar()
{
    m_toolbar1 = named(addToolBar(tr("Browser")), "Toolbar1");
    m_toolbar1->setMovable(false);
    m_toolbar1->setIconSize(QSize(20, 20));
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    addToolButton(m_toolbar1, "back", tr("Go Back"));
    addToolButton(m_toolbar1, "forward", tr("Go Forward"));
    addToolButton(m_toolbar1, "refresh", tr("Refresh"));
    addToolButton(m_toolbar1, "stop", tr("Stop"));
    m_toolbar1->addSeparator();

    auto *label = named(new QLabel(tr("Address:")), "LabelAddress");
    label->setContentsMargins(6, 0, 6, 0);
    m_addressCombo = named(new QComboBox, "AddressCombo");
    m_addressCombo->setAccessibleName(tr("Address"));
    m_addressCombo->setEditable(true);
    m_addressCombo->lineEdit()->setAccessibleName(tr("Address"));
    m_addressCombo->setInsertPolicy(QComboBox::NoInsert);
    m_addressCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setBuddy(m_addressCombo);
    m_toolbar1->addWidget(label);
    m_toolbar1->addWidget(m_addressCombo);
    addToolButton(m_toolbar1, "go", tr("Go"));

    for (QAction *action : m_toolbar1->actions()) {
        const QString key = action->data().toString();
        if (!key.isEmpty())
            connect(action, &QAction::triggered, this, [this, key] { runBrowserTool(key); });
    }
    connect(m_addressCombo->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { runBrowserTool(QStringLiteral("go")); });
}

void MainForm::buildAddressPaneFrame()
{
    m_tabStrip1 = tabStrip(m_surface, "TabStrip1");
    m_tabStrip1->addTab(tr("Address Book"));

    m_commandHide = named(new QPushButton(QStringLiteral("<<"), m_surface), "CommandHide");
    m_commandHide->setToolTip(tr("Hide Address Book Panel"));
    m_commandHide->setAccessibleName(m_commandHide->toolTip());
    connect(m_commandHide, &QPushButton::clicked, this, &MainForm::hideAddressPane);

    m_imgSplitter = named(new QFrame(m_surface), "imgSplitter");
    m_imgSplitter->setCursor(Qt::SplitHCursor);
    m_imgSplitter->installEventFilter(this);

    m_picSplitter = named(new QFrame(m_surface), "picSplitter");
    m_picSplitter->setStyleSheet(QStringLiteral("background-color: #5a6270;"));
    m_picSplitter->hide();
}

void MainForm::buildMainArea()
{
    m_tabStrip2 = tabStrip(m_surface, "TabStrip2");
    for (const QString &caption : {tr("Inbox/Login"), tr("Compose"), tr("Saved Message Folders (local)"),
                                   tr("Calendar"), tr("Settings")})
        m_tabStrip2->addTab(caption);
    connect(m_tabStrip2, &QTabBar::currentChanged, this, [this](int index) { handleTabChange(static_cast<Tab>(index + 1)); });

    for (int i = 0; i < 4; ++i) {
        m_webBrowser[i] = new BrowserPane(m_surface);
        m_webBrowser[i]->setObjectName(QStringLiteral("WebBrowser%1").arg(i + 1));
    }
    // The preview shows saved mail, which comes from strangers: no scripts,
    // nothing from the network. Saved messages are UTF-8.
    m_webBrowser[1]->showLocalDocumentsOnly();
    m_webBrowser[1]->setDefaultTextEncoding(QStringLiteral("UTF-8"));
    m_settings = new SettingsPanel(m_surface);

    // The first tab's pane is the one showing before any tab change.
    for (QWidget *pane : {static_cast<QWidget *>(m_webBrowser[1]), static_cast<QWidget *>(m_webBrowser[2]),
                          static_cast<QWidget *>(m_webBrowser[3]), static_cast<QWidget *>(m_settings)})
        pane->hide();
}

void MainForm::adopt(QWidget *part)
{
    part->setParent(m_surface);
}

void MainForm::attachAddressPane(const AddressPane::Parts &parts)
{
    m_addressPane = parts;
    for (QWidget *part : {static_cast<QWidget *>(parts.toolbar), static_cast<QWidget *>(parts.bookName),
                          static_cast<QWidget *>(parts.grid), static_cast<QWidget *>(parts.cellLabel),
                          static_cast<QWidget *>(parts.cellEditor)})
        adopt(part);
    // Only the book's name and toolbar show until a book is opened.
    parts.toolbar->setVisible(!m_addressPaneHidden);
    parts.bookName->setVisible(!m_addressPaneHidden);
    applyResizeLayout();
}

void MainForm::attachSavedFolders(const SavedFoldersPane::Parts &parts)
{
    m_savedFolders = parts;
    for (QWidget *part : {static_cast<QWidget *>(parts.folders), static_cast<QWidget *>(parts.buttons),
                          static_cast<QWidget *>(parts.list)}) {
        adopt(part);
        part->setVisible(selectedTab() == Tab::SavedFolders);
    }
    applyResizeLayout();
}

void MainForm::attachEditorPanel(const EditorPanel::Parts &parts)
{
    m_editor = parts;
    // Shown by the editor while its place shows (editorPlaceShown).
    adopt(parts.panel);
    // The switch between the editor and the page's own field stays in
    // reach while the panel is hidden, right above the first pane.
    if (parts.modes) {
        m_toolbar1->addSeparator();
        m_toolbar1->addWidget(parts.modes);
    }
    // Designed place: collapsed at the first pane's top until a button
    // opens it; its height comes from the start-up.
    setEditorHeight(layout::DesignedEditorHeight);
}

void MainForm::buildWaitPanel()
{
    m_pictureWait = panel(m_surface, "PictureWait");
    m_pictureWait->setFrameShadow(QFrame::Raised);
    m_pictureWait->setLineWidth(2);
    auto *rows = new QVBoxLayout(m_pictureWait);
    auto *text = named(new QLabel(tr("Please wait...")), "LabelWait");
    text->setAlignment(Qt::AlignCenter);
    QFont larger = text->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    text->setFont(larger);
    auto *cancel = named(new QPushButton(tr("Cancel")), "CommandCancelWait");
    connect(cancel, &QPushButton::clicked, this, [this] {
        hideWaitPanel();
        Q_EMIT waitCancelled();
    });
    rows->addWidget(text);
    rows->addWidget(cancel, 0, Qt::AlignHCenter);
    m_pictureWait->hide();
}

QWidget *MainForm::buildWaitingNotice()
{
    m_waitingNotice = panel(nullptr, "FrameWaiting");
    m_waitingNotice->setStyleSheet(QStringLiteral("#FrameWaiting { background-color: #fff4ce; }"));
    auto *row = new QHBoxLayout(m_waitingNotice);
    row->setContentsMargins(8, 3, 8, 3);
    m_waitingText = named(new QLabel, "LabelWaiting");
    m_waitingText->setWordWrap(true);
    m_waitingText->setTextFormat(Qt::PlainText);
    auto *fill = named(new QPushButton(tr("Fill &Now")), "CommandFillWaiting");
    auto *discard = named(new QPushButton(tr("&Discard")), "CommandDiscardWaiting");
    connect(fill, &QPushButton::clicked, this, &MainForm::fillWaitingRequested);
    connect(discard, &QPushButton::clicked, this, &MainForm::discardWaitingRequested);
    row->addWidget(m_waitingText, 1);
    row->addWidget(fill);
    row->addWidget(discard);
    m_waitingNotice->hide();
    return m_waitingNotice;
}

void MainForm::showWaitingNotice(const QString &text)
{
    m_waitingText->setText(text);
    m_waitingNotice->setVisible(!text.isEmpty());
}

QString MainForm::waitingNoticeText() const
{
    return m_waitingNotice->isHidden() ? QString() : m_waitingText->text();
}

void MainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int minimumWidths[] = {120, 120, 0};
    for (int i = 0; i < 3; ++i) {
        m_statusPanel[i] = new QLabel(bar);
        m_statusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_statusPanel[i]->setMinimumWidth(minimumWidths[i]);
        m_statusPanel[i]->setFrameShape(QFrame::StyledPanel);
        m_statusPanel[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(m_statusPanel[i], i == 2 ? 1 : 0);
    }
    m_progress1 = named(new QProgressBar(bar), "Progress1");
    m_progress1->setTextVisible(false);
    m_progress1->setMaximumWidth(220);
    m_progress1->setMaximumHeight(14);
    bar->addPermanentWidget(m_progress1);
    m_progress1->hide();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    // A page call that waits is answered (or gives up) within seconds; the
    // work that made it ends before the window goes. (Closing twice is
    // harmless: the shutdown runs once.)
    if (PageCallWaits::instance().waiting()) {
        event->ignore();
        PageCallWaits::instance().whenNoneWaits(this, [this] { close(); });
        return;
    }
    Q_EMIT closing();
    QMainWindow::closeEvent(event);
}

BrowserPane &MainForm::browser(Pane pane) const
{
    return *m_webBrowser[static_cast<int>(pane)];
}

void MainForm::setStatusPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 3)
        m_statusPanel[panel - 1]->setText(text);
}

QString MainForm::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_statusPanel[panel - 1]->text() : QString();
}

void MainForm::showProgress(int value, int maximum)
{
    m_progress1->setMaximum(maximum);
    m_progress1->setValue(value);
    m_progress1->show();
}

void MainForm::hideProgress()
{
    m_progress1->hide();
}

void MainForm::showWaitPanel()
{
    placeWaitPanel();
    m_pictureWait->show();
    m_pictureWait->raise();
}

void MainForm::hideWaitPanel()
{
    m_pictureWait->hide();
}

bool MainForm::isWaitPanelShown() const
{
    return !m_pictureWait->isHidden();
}

} // namespace ferrowen
