#include "addressbook/ui/AddressPane.h"

#include "addressbook/AddressFind.h"
#include "addressbook/SenderAddress.h"
#include "addressbook/ui/AddressBookHost.h"
#include "addressbook/ui/AddressCellEditor.h"
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/DialogFind.h"
#include "addressbook/ui/FormEmail.h"
#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"
#include "platform/ui/ToolButtons.h"
#include "webmail/AddressInsertion.h"
#include "webmail/ProviderProfile.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

#include <algorithm>
#include <functional>

namespace ferrowen {

AddressPane::AddressPane(AddressBookHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    buildToolbar();

    m_parts.bookName = new QLabel;
    m_parts.bookName->setObjectName(QStringLiteral("LabelBkName"));
    QFont bold = m_parts.bookName->font();
    bold.setBold(true);
    m_parts.bookName->setFont(bold);

    AddressGrid *grid = m_parts.grid = new AddressGrid;
    m_cellEditor = new AddressCellEditor(*grid, this);
    m_parts.cellLabel = m_cellEditor->labelEdit();
    m_parts.cellEditor = m_cellEditor->textEdit();
    showBookControls(false); // until a book is opened

    connect(m_cellEditor, &AddressCellEditor::lastRowPassed, this, &AddressPane::AddAddressRow);
    connect(grid, &AddressGrid::headerPressed, this, &AddressPane::sortByHeader);
    connect(grid, &AddressGrid::doubleClicked, this,
            [this] { m_host.insertIntoComposeForm(InsertField::To); });

    m_handedParts.add({m_parts.toolbar, m_parts.bookName, m_parts.cellLabel, m_parts.cellEditor, m_parts.grid});
}

AddressPane::~AddressPane() = default;

void AddressPane::buildToolbar()
{
    QToolBar *toolbar = m_parts.toolbar = new QToolBar;
    toolbar->setObjectName(QStringLiteral("Toolbar2"));
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"));
    const auto button = [this, toolbar](const char *key, const QString &toolTip, std::function<void()> action) {
        QAction *added = addToolButton(toolbar, key, toolTip);
        if (action)
            connect(added, &QAction::triggered, this, std::move(action));
    };
    button("new", tr("New Address Book"), [this] { newAddressBook(); });
    button("open", tr("Open Address Book"), [this] { Open_CSV(); });
    button("save", tr("Save Address Book"), [this] { saveFromToolbar(); });
    button("add", tr("Add Address"), [this] { AddAddressRow(); });
    button("remove", tr("Remove Address"), [this] { RemoveAddresses(); });
    button("find", tr("Find Address"), [this] { showFindDialog(); });
    button("addmsg", tr("Add Sender of Displayed Message"),
           [this] { m_host.startPageWork(this, [this] { AddSenderAddress(); }); });
    const struct
    {
        const char *key;
        QString toolTip;
        InsertField field;
    } insertions[] = {
        {"setto", tr("Insert address into To field"), InsertField::To},
        {"setcc", tr("Insert address into Cc field"), InsertField::Cc},
        {"setbcc", tr("Insert address into Bcc field"), InsertField::Bcc},
    };
    for (const auto &insertion : insertions) {
        const InsertField field = insertion.field;
        button(insertion.key, insertion.toolTip, [this, field] { m_host.insertIntoComposeForm(field); });
    }
    m_expand = addToolButton(toolbar, "expand", tr("Expand Address Book"));
    connect(m_expand, &QAction::triggered, this, &AddressPane::expandToggled);

    // Tight buttons: all eleven fit the pane at its usual width.
    for (QAction *action : toolbar->actions()) {
        if (QWidget *toolButton = toolbar->widgetForAction(action))
            toolButton->setFixedSize(20, 20);
    }
}

void AddressPane::setExpanded(bool expanded)
{
    m_expand->setToolTip(expanded ? tr("Contract Address Book") : tr("Expand Address Book"));
}

void AddressPane::showBookControls(bool shown)
{
    for (QWidget *control : {static_cast<QWidget *>(m_parts.grid), static_cast<QWidget *>(m_parts.cellLabel),
                             static_cast<QWidget *>(m_parts.cellEditor)})
        control->setVisible(shown);
}

void AddressPane::paneShown()
{
    if (!m_currentPath.isEmpty())
        showBookControls(true);
}

void AddressPane::AddAddressRow()
{
    if (m_currentPath.isEmpty())
        return;
    AddressGrid &grid = *m_parts.grid;
    grid.addressModel().appendEmptyRow();
    const int row = grid.Rows() - 1;
    grid.setCurrentCell(row, std::max(grid.Col(), 0));
    grid.makeFirstVisibleRow(row);
    m_cellEditor->editCurrentCell();
}

void AddressPane::RemoveAddresses()
{
    AddressGrid &grid = *m_parts.grid;
    if (m_currentPath.isEmpty() || grid.Row() == 0)
        return;
    const auto [first, last] = grid.selectedRows();
    if (last > first
        && m_host.messageBoxes().show(tr("Delete the selected addresses?"), MessageBoxes::Buttons::YesNo)
            != MessageBoxes::Answer::Yes)
        return;
    const int column = std::max(grid.Col(), 0);
    grid.addressModel().removeRows(first - 1, last - first + 1);
    // The grid keeps one row below its header.
    if (grid.Rows() == 1)
        grid.addressModel().appendEmptyRow();
    const int current = std::min(first, grid.Rows() - 1);
    grid.setCurrentCell(current, column);
    grid.makeFirstVisibleRow(current);
    m_cellEditor->editCurrentCell();
}

void AddressPane::AddSenderAddress()
{
    // Without an open book the new row would be saved nowhere.
    if (m_currentPath.isEmpty()) {
        m_host.messageBoxes().show(tr("No address book is open. Open or make one, then add the sender again."));
        return;
    }
    m_host.showWebmailTab();
    if (const std::optional<SenderAddress> sender = displayedSender())
        appendSender(*sender);
    else
        m_host.messageBoxes().show(tr("Unable to locate address. Are you sure a message is displayed?"));
    m_cellEditor->editCurrentCell();
    if (isPaletteOpen()) {
        closePalette();
        showPalette();
    }
}

std::optional<SenderAddress> AddressPane::displayedSender()
{
    QString pageText;
    try {
        pageText = m_host.webmailPageText();
    } catch (const WebPageError &) {
        // No document: no sender either.
    }
    m_host.setStatusText(2, QString());
    const ProviderProfile &profile = m_host.detectProvider();
    std::optional<QString> sender;
    if (profile.pageScript.isEmpty()) {
        sender = displayedSenderText(pageText, profile, m_host.webmailState());
    } else {
        // Its header cells show names only; the script reads the addresses too.
        try {
            sender = m_host.webmailSenderThroughScript(profile);
        } catch (const WebPageError &) {
            // No message displayed: no sender either.
        }
    }
    return sender ? splitSender(*sender) : std::nullopt;
}

void AddressPane::appendSender(const SenderAddress &sender)
{
    AddressGrid &grid = *m_parts.grid;
    AddressGridModel &model = grid.addressModel();
    model.appendEmptyRow();
    const int row = grid.Rows() - 1;
    for (const SenderCell &cell : senderRowCells(sender, m_columns, model.table().endColumn()))
        model.setCell(row - 1, cell.column, cell.text);
    grid.setCurrentCell(row, m_columns.email);
    grid.makeFirstVisibleRow(row);
    m_host.setStatusText(2, tr("Addr Added"));
}

void AddressPane::sortByHeader(int column)
{
    m_parts.grid->clearHighlight();
    m_parts.grid->addressModel().sortByHeaderClick(column);
    m_cellEditor->showCurrentCell();
}

void AddressPane::showFindDialog()
{
    if (!m_find) {
        m_find = new DialogFind(m_parts.grid->window());
        connect(m_find, &DialogFind::searchTextChanged, this, &AddressPane::findAddress);
        connect(m_find, &DialogFind::columnChosen, this, [this](int column) { m_findColumn = column; });
        connect(m_find, &DialogFind::finished, this, [this] { m_cellEditor->setFinding(false); });
    }
    m_findColumn = m_find->listColumns(m_parts.grid->addressModel().table().columnNames(), m_findColumn);
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void AddressPane::findAddress(const QString &text)
{
    m_cellEditor->setFinding(true);
    AddressGrid &grid = *m_parts.grid;
    const std::optional<int> found = findAddressRow(grid.addressModel().table(), m_findColumn, text);
    if (!found)
        return;
    const int row = *found + 1;
    grid.setCurrentCell(row, m_findColumn);
    grid.makeFirstVisibleRow(row);
    if (m_findColumn > 2)
        grid.makeFirstVisibleColumn(m_findColumn);
}

void AddressPane::showPalette()
{
    if (!m_palette) {
        m_palette = new FormEmail(m_parts.grid->window());
        connect(m_palette, &FormEmail::addressChosen, this,
                [this] { m_host.insertIntoComposeForm(InsertField::PaletteTo); });
    }
    QStringList addresses;
    const AddressGrid &grid = *m_parts.grid;
    if (EmailColumn() >= 0) {
        for (int row = 1; row < grid.Rows(); ++row)
            addresses << grid.TextMatrix(row, EmailColumn());
    }
    m_palette->setAddresses(addresses);
    m_palette->show();
    m_palette->raise();
}

void AddressPane::closePalette()
{
    if (m_palette)
        m_palette->close();
}

bool AddressPane::isPaletteOpen() const
{
    return m_palette && !m_palette->isHidden();
}

void AddressPane::movePaletteLeftTo(int x)
{
    if (m_palette)
        m_palette->move(x, m_palette->y());
}

std::optional<QStringList> AddressPane::selectedAddresses()
{
    const AddressGrid &grid = *m_parts.grid;
    if (m_currentPath.isEmpty() || EmailColumn() < 0 || grid.Row() == 0)
        return std::nullopt;
    // One block of rows, taken top to bottom whichever way it was selected.
    const auto [first, last] = grid.selectedRows();
    QStringList addresses;
    for (int row = first; row <= last; ++row)
        addresses << grid.TextMatrix(row, EmailColumn());
    return addresses;
}

std::optional<QString> AddressPane::paletteAddress()
{
    if (!m_palette)
        return std::nullopt;
    return m_palette->chosenAddress();
}

} // namespace ferrowen
