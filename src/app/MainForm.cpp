#include "app/MainForm.h"
#include "app/NamedWidget.h"

#include "app/InboxFramesBand.h"
#include "app/ProgramTitle.h"
#include "app/SettingsPanel.h"
#include "app/ToolIcons.h"
#include "platform/web/BrowserPane.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QAction *keyedAction(QToolBar *toolbar, const char *key, const QString &toolTip)
{
    const QString name = QLatin1String(key);
    QAction *action = toolbar->addAction(toolIcon(name), toolTip);
    action->setObjectName(name);
    action->setData(name);
    action->setToolTip(toolTip);
    return action;
}

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
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(ProgramTitle.toString());

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_band = new InboxFramesBand(central);
    column->addWidget(m_band);
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
    buildAddressPane();
    buildEditorPanel();
    buildWaitPanel();
    buildStatusBar();
    buildTimers();
    connectPaneEvents();
    // Only now that every control exists may a resize lay them out.
    m_surface->installEventFilter(this);

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
}

void MainForm::buildBrowserToolbar()
{
    m_toolbar1 = named(addToolBar(tr("Browser")), "Toolbar1");
    m_toolbar1->setMovable(false);
    m_toolbar1->setIconSize(QSize(20, 20));
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    keyedAction(m_toolbar1, "back", tr("Go Back"));
    keyedAction(m_toolbar1, "forward", tr("Go Forward"));
    keyedAction(m_toolbar1, "refresh", tr("Refresh"));
    keyedAction(m_toolbar1, "stop", tr("Stop"));
    m_toolbar1->addSeparator();

    auto *label = named(new QLabel(tr("Address:")), "LabelAddress");
    label->setContentsMargins(6, 0, 6, 0);
    m_addressCombo = named(new QComboBox, "AddressCombo");
    m_addressCombo->setEditable(true);
    m_addressCombo->setInsertPolicy(QComboBox::NoInsert);
    m_addressCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setBuddy(m_addressCombo);
    m_toolbar1->addWidget(label);
    m_toolbar1->addWidget(m_addressCombo);
    keyedAction(m_toolbar1, "go", tr("Go"));

    for (QAction *action : m_toolbar1->actions()) {
        const QString key = action->data().toString();
        if (!key.isEmpty())
            connect(action, &QAction::triggered, this, [this, key] { runBrowserTool(key); });
    }
    connect(m_addressCombo->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { runBrowserTool(QStringLiteral("go")); });
}

void MainForm::buildAddressPane()
{
    m_tabStrip1 = tabStrip(m_surface, "TabStrip1");
    m_tabStrip1->addTab(tr("Address Book"));

    m_toolbar2 = named(new QToolBar(m_surface), "Toolbar2");
    m_toolbar2->setIconSize(QSize(16, 16));
    m_toolbar2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar2->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"));
    keyedAction(m_toolbar2, "new", tr("New Address Book"));
    keyedAction(m_toolbar2, "open", tr("Open Address Book"));
    keyedAction(m_toolbar2, "save", tr("Save Address Book"));
    keyedAction(m_toolbar2, "add", tr("Add Address"));
    keyedAction(m_toolbar2, "remove", tr("Remove Address"));
    keyedAction(m_toolbar2, "find", tr("Find Address"));
    keyedAction(m_toolbar2, "addmsg", tr("Add Sender of Displayed Message"));
    keyedAction(m_toolbar2, "setto", tr("Insert address into To field"));
    keyedAction(m_toolbar2, "setcc", tr("Insert address into Cc field"));
    keyedAction(m_toolbar2, "setbcc", tr("Insert address into Bcc field"));
    m_expandAction = keyedAction(m_toolbar2, "expand", tr("Expand Address Book"));
    connect(m_expandAction, &QAction::triggered, this, &MainForm::toggleAddressExpanded);
    // Tight buttons: all eleven fit the pane at its usual width.
    for (QAction *action : m_toolbar2->actions()) {
        if (QWidget *button = m_toolbar2->widgetForAction(action))
            button->setFixedSize(20, 20);
    }

    m_labelBkName = named(new QLabel(m_surface), "LabelBkName");
    QFont bold = m_labelBkName->font();
    bold.setBold(true);
    m_labelBkName->setFont(bold);

    m_grid = named(new QTableWidget(m_surface), "MSFlexGrid1");
    m_grid->verticalHeader()->hide();
    m_grid->setAlternatingRowColors(true);
    m_grid->hide(); // shown once an address book is opened

    m_textEdit = named(new QLineEdit(m_surface), "TextEdit");
    m_textEdit->hide();

    m_commandHide = named(new QPushButton(QStringLiteral("<<"), m_surface), "CommandHide");
    m_commandHide->setToolTip(tr("Hide Address Book Panel"));
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
    connect(m_tabStrip2, &QTabBar::currentChanged, this, [this](int index) { handleTabChange(index + 1); });

    for (int i = 0; i < 4; ++i) {
        m_webBrowser[i] = new BrowserPane(m_surface);
        m_webBrowser[i]->setObjectName(QStringLiteral("WebBrowser%1").arg(i + 1));
    }
    buildSavedFolderPanels();
    m_settings = new SettingsPanel(m_surface);

    // The first tab's pane is the one showing before any tab change.
    for (layout::TabPane pane : {layout::TabPane::WebBrowser2, layout::TabPane::WebBrowser3,
                                 layout::TabPane::WebBrowser4, layout::TabPane::ListMsg, layout::TabPane::Picture2,
                                 layout::TabPane::Picture3, layout::TabPane::PictureSettings})
        tabPaneWidget(pane)->hide();
}

void MainForm::buildSavedFolderPanels()
{
    m_listMsg = named(new QTreeWidget(m_surface), "ListMsg");
    m_listMsg->setRootIsDecorated(false);
    m_listMsg->setUniformRowHeights(true);
    m_listMsg->setAlternatingRowColors(true);
    m_listMsg->setHeaderLabels({tr("From"), tr("Subject"), tr("To"), tr("Date"), QString(), QString()});
    // The file name and the date sort key travel with each row unseen.
    m_listMsg->setColumnHidden(4, true);
    m_listMsg->setColumnHidden(5, true);

    m_picture2 = panel(m_surface, "Picture2");
    auto *folders = new QVBoxLayout(m_picture2);
    folders->setContentsMargins(6, 6, 6, 6);

    m_picture3 = panel(m_surface, "Picture3");
    auto *buttons = new QHBoxLayout(m_picture3);
    buttons->setContentsMargins(6, 2, 6, 2);
    buttons->addWidget(named(new QPushButton(tr("&Reply (with original text)")), "CommandReplyText"));
    buttons->addWidget(named(new QPushButton(tr("Reply (&blank)")), "CommandReplyNoText"));
    buttons->addWidget(named(new QPushButton(tr("For&ward")), "CommandForward"));
    buttons->addWidget(named(new QPushButton(tr("Send &Again")), "CommandSendAgain"));
    buttons->addStretch(1);
}

void MainForm::buildEditorPanel()
{
    m_pictureBlog = panel(m_surface, "PictureBlog");
    m_editorControl = named(new QWidget(m_pictureBlog), "DHTMLEdit1");
    // Designed place: collapsed at the first pane's top until a button
    // opens it; its height comes from the start-up.
    m_editorPanelRect = QRect(0, 0, 1, 0);
    m_editorControlRect = QRect(0, layout::EditorBarHeight, 0, 0);
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
        WaitCancelled = true;
        hideWaitPanel();
    });
    rows->addWidget(text);
    rows->addWidget(cancel, 0, Qt::AlignHCenter);
    m_pictureWait->hide();
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

void MainForm::buildTimers()
{
    m_timer1 = named(new QTimer(this), "Timer1");
    m_timer1->setInterval(100);
    m_timer2 = named(new QTimer(this), "Timer2");
    m_timer2->setInterval(1000);
}

void MainForm::closeEvent(QCloseEvent *event)
{
    Q_EMIT closing();
    QMainWindow::closeEvent(event);
}

QAction *MainForm::addressToolAction(const QString &key) const
{
    return m_toolbar2->findChild<QAction *>(key, Qt::FindDirectChildrenOnly);
}

QAction *MainForm::browserToolAction(const QString &key) const
{
    return m_toolbar1->findChild<QAction *>(key, Qt::FindDirectChildrenOnly);
}

BrowserPane *MainForm::webBrowser(int number) const
{
    return number >= 1 && number <= 4 ? m_webBrowser[number - 1] : nullptr;
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

} // namespace ferrowen
