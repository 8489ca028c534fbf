#include "editor/ui/EditorPanel.h"

#include "editor/EditorExpansion.h"
#include "editor/EditorFiles.h"
#include "editor/EditorLists.h"
#include "editor/RgbString.h"
#include "editor/SpellCheckEditor.h"
#include "editor/SpellTarget.h"
#include "editor/ui/AffiliateDialog.h"
#include "editor/ui/EditorFontDialog.h"
#include "editor/ui/EditorFormatBar.h"
#include "editor/ui/EditorHost.h"
#include "platform/ColorChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"
#include "platform/web/EngineEditorDocument.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHash>
#include <QPushButton>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

// DHTMLEdit1 inside the panel, and the document shown in it.
EngineEditorDocument *newEditingArea(EditorPanel::Parts &parts, QObject *owner)
{
    parts.editor = named(new QWidget(parts.panel), "DHTMLEdit1");
    return new EngineEditorDocument(parts.editor, owner);
}

} // namespace

EditorPanel::EditorPanel(EditorHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_parts{named(new QFrame, "PictureBlog"), nullptr, nullptr}
    , m_document(newEditingArea(m_parts, this))
    , m_commands(*m_document)
    , m_spelling(host.spellEngine(), host.spellDialog())
{
    m_parts.panel->setFrameShape(QFrame::StyledPanel);
    m_parts.panel->setAutoFillBackground(true);
    auto *fill = new QVBoxLayout(m_parts.editor);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(m_document->view());
    // Giving the editing area the focus (after a dialog) puts the caret
    // back into the document.
    m_parts.editor->setFocusProxy(m_document->view());

    m_bar = new EditorFormatBar(m_parts.panel);
    m_parts.panel->installEventFilter(this);
    m_parts.editor->installEventFilter(this);
    buildModes();
    m_handedParts.add({m_parts.panel, m_parts.modes});

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    m_timer1->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &EditorPanel::openPendingTableDialog);

    // The document keeps what the user wrote in the engine's own writing;
    // that is the only way there is.
    m_document->setSourceCodePreservation(true);
    m_commands.setFontPrompt([this] { promptFont(); });
    m_spelling.onDictionaryChosen([this](const QString &wordFile) { m_host.setMainDictionary(wordFile); });
    connectDocument();
    connectBar();
    setDialogs(nullptr);
    m_ready = true;
}

EditorPanel::~EditorPanel()
{
    // Nothing watches the parts while they go: the document watches its view
    // inside the panel, this panel the panel and the editing area.
    delete m_document;
    m_document = nullptr;
    for (QWidget *watched : {static_cast<QWidget *>(m_parts.panel), m_parts.editor})
        watched->removeEventFilter(this);
}

EditorDocument &EditorPanel::document() const
{
    return *m_document;
}

void EditorPanel::buildModes()
{
    auto *modes = named(new QWidget, "EditorModes");
    m_editVisually = named(new QRadioButton(tr("Edit Visually")), "CheckNormal");
    m_editSource = named(new QRadioButton(tr("Edit HTML Source (tags)")), "CheckHTMLSource");
    m_editVisually->setChecked(true);
    // "Earn $$" sets the credit the editor adds to what it posts.
    auto *affiliate = named(new QPushButton(tr("Earn $$")), "CommandAffiliate");
    auto *row = new QHBoxLayout(modes);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(m_editVisually);
    row->addWidget(m_editSource);
    row->addWidget(affiliate);
    // Both modes write into the first pane's page.
    connect(m_editSource, &QRadioButton::clicked, this, [this] { m_host.startPageWork(this, [this] { editSource(); }); });
    connect(m_editVisually, &QRadioButton::clicked, this,
            [this] { m_host.startPageWork(this, [this] { editVisually(); }); });
    connect(affiliate, &QPushButton::clicked, this, &EditorPanel::showAffiliateDialog);
    m_parts.modes = modes;
}

void EditorPanel::connectDocument()
{
    EditorDocument &document = *m_document;
    connect(&document, &EditorDocument::displayChanged, this, &EditorPanel::refreshDisplay);
    connect(&document, &EditorDocument::contextMenuRequested, this, &EditorPanel::offerContextMenu);
    connect(&document, &EditorDocument::contextMenuItemChosen, this, &EditorPanel::runContextMenuItem);
    // The user may be on the way to the page's own submit button.
    connect(&document, &EditorDocument::pointerLeft, this, &EditorPanel::transferOnLeaving);
    connect(&document, &EditorDocument::focusLost, this, &EditorPanel::transferOnLeaving);
}

void EditorPanel::connectBar()
{
    connect(m_bar, &EditorFormatBar::buttonClicked, this, &EditorPanel::runToolbarButton);
    connect(m_bar, &EditorFormatBar::fontChosen, this, &EditorPanel::chooseFont);
    connect(m_bar, &EditorFormatBar::sizeChosen, this, &EditorPanel::chooseSize);
    connect(m_bar, &EditorFormatBar::styleChosen, this, &EditorPanel::chooseStyle);
}

bool EditorPanel::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_parts.panel && event->type() == QEvent::Resize)
        || (watched == m_parts.editor && event->type() == QEvent::Move))
        placeBar();
    return QObject::eventFilter(watched, event);
}

// The bar fills the panel above the editing area, which the window places.
void EditorPanel::placeBar()
{
    m_bar->setGeometry(0, 0, m_parts.panel->width(), qMax(m_parts.editor->y(), m_bar->sizeHint().height()));
}

void EditorPanel::setDialogs(EditorDialogs *dialogs)
{
    m_dialogs = dialogs;
    for (const char *key : {"link", "image", "table"})
        m_bar->button(key)->setEnabled(dialogs != nullptr);
}

// --- Toolbar3 and the lists --------------------------------------------------

void EditorPanel::runToolbarButton(const QString &key)
{
    static const QHash<QString, EditorCommand> formatting = {
        {QStringLiteral("cut"), EditorCommand::Cut},
        {QStringLiteral("copy"), EditorCommand::Copy},
        {QStringLiteral("paste"), EditorCommand::Paste},
        {QStringLiteral("Bold"), EditorCommand::Bold},
        {QStringLiteral("Italic"), EditorCommand::Italic},
        {QStringLiteral("Underline"), EditorCommand::Underline},
        {QStringLiteral("LeftJustify"), EditorCommand::JustifyLeft},
        {QStringLiteral("Center"), EditorCommand::JustifyCenter},
        {QStringLiteral("RightJustify"), EditorCommand::JustifyRight},
        {QStringLiteral("Numbers"), EditorCommand::OrderedList},
        {QStringLiteral("Bullets"), EditorCommand::UnorderedList},
        {QStringLiteral("Outdent"), EditorCommand::Outdent},
        {QStringLiteral("Indent"), EditorCommand::Indent},
    };
    if (const auto command = formatting.constFind(key); command != formatting.constEnd()) {
        m_commands.ExecCommand(*command, ExecOption::DontPromptUser);
        return;
    }
    if (key == QLatin1String("open"))
        OpenEditorFile(*m_document, m_host.fileDialogs(), m_host.messageBoxes(), m_fileFolder);
    else if (key == QLatin1String("save"))
        SaveEditorFile(*m_document, m_host.fileDialogs(), m_host.messageBoxes(), m_fileFolder);
    else if (key == QLatin1String("Color"))
        chooseColour();
    else if (key == QLatin1String("spell"))
        m_host.startPageWork(this, [this] { checkSpelling(); }); // it may check a field of the first pane's page
    else if (key == QLatin1String("expand"))
        toggleExpanded();
    else if (key == QLatin1String("hide"))
        m_host.foldEditorPanel();
    else if (m_dialogs && key == QLatin1String("link"))
        m_dialogs->openHyperlink();
    else if (m_dialogs && key == QLatin1String("image"))
        m_dialogs->openImage();
    else if (m_dialogs && key == QLatin1String("table"))
        m_dialogs->openInsertTable();
}

void EditorPanel::chooseColour()
{
    const auto colour = m_host.colorChooser().chooseColor(0);
    if (colour)
        m_commands.ExecCommand(EditorCommand::SetForeColor, ExecOption::DontPromptUser, FormatRGBString(*colour));
}

void EditorPanel::chooseFont(int index)
{
    const QStringList names = editorFontNames();
    if (index < 0 || index >= names.size() || !m_ready)
        return;
    if (isAvailable(m_commands.QueryStatus(EditorCommand::SetFontName)))
        m_commands.ExecCommand(EditorCommand::SetFontName, ExecOption::DontPromptUser, names[index]);
    (void)m_document->waitWhileBusy();
}

void EditorPanel::chooseSize(int index)
{
    if (index >= 0 && m_ready)
        m_commands.ExecCommand(EditorCommand::SetFontSize, ExecOption::DontPromptUser, index + 1);
}

void EditorPanel::chooseStyle(const QString &name)
{
    if (!m_displayChangedOnce)
        return;
    if (isAvailable(m_commands.QueryStatus(EditorCommand::SetBlockFormat)))
        m_commands.ExecCommand(EditorCommand::SetBlockFormat, ExecOption::DontPromptUser, name);
    (void)m_document->waitWhileBusy();
}

void EditorPanel::refreshDisplay()
{
    const QList<ToolbarStateEntry> table = toolbarStateTable();
    QList<EditorCommand> queries;
    for (const ToolbarStateEntry &entry : table)
        queries << entry.command;
    queries << EditorCommand::GetFontName << EditorCommand::GetFontSize;
    const QList<EditingCommandState> states = m_commands.states(queries);

    EditorFormatBar::DisplayState display;
    for (int i = 0; i < table.size(); ++i)
        display.buttons << commandStatusOf(states[i]);
    const EditingCommandState &font = states[table.size()];
    const EditingCommandState &size = states[table.size() + 1];
    // A value is read only while its command is available.
    display.fontKnown = isAvailable(commandStatusOf(font));
    display.font = commandValue(EditorCommand::GetFontName, font).toString();
    display.sizeKnown = isAvailable(commandStatusOf(size));
    display.size = commandValue(EditorCommand::GetFontSize, size).toInt();
    m_bar->showState(display);
    m_displayChangedOnce = true;
}

void EditorPanel::promptFont()
{
    const QList<EditingCommandState> states = m_commands.states(
        {EditorCommand::GetFontName, EditorCommand::GetFontSize, EditorCommand::Bold, EditorCommand::Italic,
         EditorCommand::Underline});
    EditorFontDialog::Font current;
    current.name = commandValue(EditorCommand::GetFontName, states[0]).toString();
    current.size = commandValue(EditorCommand::GetFontSize, states[1]).toInt();
    current.bold = states[2].on;
    current.italic = states[3].on;
    current.underline = states[4].on;

    EditorFontDialog dialog(current, m_host.colorChooser(), m_parts.panel->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const EditorFontDialog::Font chosen = dialog.chosen();
    if (!chosen.name.isEmpty() && chosen.name != current.name)
        m_commands.ExecCommand(EditorCommand::SetFontName, ExecOption::DontPromptUser, chosen.name);
    if (chosen.size >= 1 && chosen.size != current.size)
        m_commands.ExecCommand(EditorCommand::SetFontSize, ExecOption::DontPromptUser, chosen.size);
    if (chosen.bold != current.bold)
        m_commands.ExecCommand(EditorCommand::Bold);
    if (chosen.italic != current.italic)
        m_commands.ExecCommand(EditorCommand::Italic);
    if (chosen.underline != current.underline)
        m_commands.ExecCommand(EditorCommand::Underline);
    if (chosen.colour)
        m_commands.ExecCommand(EditorCommand::SetForeColor, ExecOption::DontPromptUser, FormatRGBString(*chosen.colour));
}

void EditorPanel::toggleExpanded()
{
    const int normal = m_host.placement().EditorHeight;
    const bool expanded = m_host.editorPanelHeight() > normal;
    m_host.setEditorPanelHeight(expanded ? contractedEditorHeight(normal, DesignedEditorPanelHeight)
                                         : expandedEditorHeight(m_host.firstPaneHeight(), EditorMarginAbovePanel));
    m_bar->showExpanded(!expanded);
}

void EditorPanel::checkSpelling()
{
    std::unique_ptr<SpellTarget> target = PageFieldSpellTarget::fromSelection(m_host.inboxPage());
    if (!target)
        target = std::make_unique<EditorBodySpellTarget>(*m_document);
    SpellCheckEditor(m_spelling, *target, m_host.dictionaries(), m_host.messageBoxes());
}

// --- Context menu and Timer1 -------------------------------------------------

void EditorPanel::offerContextMenu()
{
    const ContextMenuItems menu = buildContextMenu(m_commands.QueryStatuses(contextMenuQueries()));
    m_menu = menu.layout;
    (void)m_document->SetContextMenu(menu.texts, menu.states);
}

void EditorPanel::runContextMenuItem(int index)
{
    const auto run = [this](EditorCommand command) { m_commands.ExecCommand(command, ExecOption::Default); };
    const auto later = [this](int dialog, CellScope scope) {
        m_pendingTableDialog = dialog;
        m_cellScope = scope;
        m_timer1->start();
    };
    switch (contextMenuAction(m_menu, index)) {
    case ContextMenuAction::None: break;
    case ContextMenuAction::Cut: run(EditorCommand::Cut); break;
    case ContextMenuAction::Copy: run(EditorCommand::Copy); break;
    case ContextMenuAction::Paste: run(EditorCommand::Paste); break;
    case ContextMenuAction::SelectAll: run(EditorCommand::SelectAll); break;
    case ContextMenuAction::Font: m_commands.ExecCommand(EditorCommand::FontDialog, ExecOption::PromptUser); break;
    case ContextMenuAction::MakeAbsolute: run(EditorCommand::MakeAbsolute); break;
    case ContextMenuAction::InsertRow: run(EditorCommand::InsertRow); break;
    case ContextMenuAction::InsertColumn: run(EditorCommand::InsertColumn); break;
    case ContextMenuAction::DeleteRow: run(EditorCommand::DeleteRows); break;
    case ContextMenuAction::DeleteColumn: run(EditorCommand::DeleteColumns); break;
    case ContextMenuAction::CellProperties: later(1, CellScope::Cell); break;
    case ContextMenuAction::RowProperties: later(1, CellScope::Row); break;
    case ContextMenuAction::ColumnProperties: later(1, CellScope::Column); break;
    case ContextMenuAction::TableProperties: later(2, m_cellScope); break;
    }
}

void EditorPanel::openPendingTableDialog()
{
    const int pending = std::exchange(m_pendingTableDialog, 0);
    m_timer1->stop();
    if (!m_dialogs)
        return;
    if (pending == 1)
        m_dialogs->openCellProperties(m_cellScope);
    else if (pending == 2)
        m_dialogs->openTableProperties();
}

// --- Posting and the two modes -----------------------------------------------

void EditorPanel::transferEditorBody()
{
    (void)TransferEditorBody(*m_document, m_host.inboxPage(), m_host.affiliate());
}

// Only from the panel the user sees: a panel hidden or folded away (which
// takes the focus from it) writes nothing.
void EditorPanel::transferOnLeaving()
{
    m_host.startPageWork(this, [this] {
        if (m_parts.panel->isVisible())
            transferEditorBody();
    });
}

void EditorPanel::transferEditorBodyOnRequest()
{
    if (m_editingSource) {
        m_host.messageBoxes().show(
            tr("The post is being edited as HTML source in the page, so the editor's text was not copied over it. "
               "Choose \"Edit Visually\" to go on in the editor."),
            MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
        return;
    }
    if (!TransferEditorBody(*m_document, m_host.inboxPage(), m_host.affiliate()).written)
        m_host.messageBoxes().show(tr("The page in the \"Inbox/Login\" tab has no blog posting form, so the editor's "
                                      "text was not copied. Open the blog's page for a new post there first."),
                                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
}

void EditorPanel::editSource()
{
    // A second click must not copy the editor over what the user typed.
    if (m_editingSource)
        return;
    m_atSourceSwitch = TransferEditorBody(*m_document, m_host.inboxPage(), m_host.affiliate());
    m_editingSource = true;
    showPanelForMode();
    m_editSource->setChecked(true);
}

void EditorPanel::editVisually()
{
    m_editVisually->setChecked(true);
    if (m_editingSource) {
        m_editingSource = false;
        const PostingTransfer atSwitch = std::exchange(m_atSourceSwitch, {});
        if (const auto edited = editedPostingBody(m_host.inboxPage(), atSwitch, GetBodyHtml(*m_document))) {
            m_document->setBodyInnerHTML(*edited);
            // What the page holds now is the editor's body (and footer).
            transferEditorBody();
        }
    }
    showPanelForMode();
    m_host.unfoldEditorPanel();
}

void EditorPanel::setPlaceShown(bool shown)
{
    m_placeShown = shown;
    showPanelForMode();
}

void EditorPanel::showPanelForMode()
{
    m_parts.panel->setVisible(m_placeShown && !m_editingSource);
}

void EditorPanel::showAffiliateDialog()
{
    AffiliateDialog dialog(m_host.affiliate(), m_parts.panel->window());
    if (dialog.exec() == QDialog::Accepted)
        m_host.affiliate() = dialog.settings();
}

} // namespace ferrowen
