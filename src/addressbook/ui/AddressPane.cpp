#include "addressbook/ui/AddressPane.h"

#include "addressbook/ui/AddressBookHost.h"
#include "platform/ui/ToolButtons.h"
#include "webmail/AddressInsertion.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

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

    m_parts.grid = new QTableWidget;
    m_parts.grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_parts.grid->verticalHeader()->hide();
    m_parts.grid->setAlternatingRowColors(true);
    m_parts.grid->hide(); // shown once an address book is opened

    m_parts.cellEditor = new QLineEdit;
    m_parts.cellEditor->setObjectName(QStringLiteral("TextEdit"));
    m_parts.cellEditor->hide();
}

void AddressPane::buildToolbar()
{
    QToolBar *toolbar = m_parts.toolbar = new QToolBar;
    toolbar->setObjectName(QStringLiteral("Toolbar2"));
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"));
    addToolButton(toolbar, "new", tr("New Address Book"));
    addToolButton(toolbar, "open", tr("Open Address Book"));
    addToolButton(toolbar, "save", tr("Save Address Book"));
    addToolButton(toolbar, "add", tr("Add Address"));
    addToolButton(toolbar, "remove", tr("Remove Address"));
    addToolButton(toolbar, "find", tr("Find Address"));
    addToolButton(toolbar, "addmsg", tr("Add Sender of Displayed Message"));
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
        const auto code = static_cast<qint16>(insertion.field);
        connect(addToolButton(toolbar, insertion.key, insertion.toolTip), &QAction::triggered, this,
                [this, code] { m_host.insertIntoComposeForm(code); });
    }
    m_expand = addToolButton(toolbar, "expand", tr("Expand Address Book"));
    connect(m_expand, &QAction::triggered, this, &AddressPane::expandToggled);

    // Tight buttons: all eleven fit the pane at its usual width.
    for (QAction *action : toolbar->actions()) {
        if (QWidget *button = toolbar->widgetForAction(action))
            button->setFixedSize(20, 20);
    }
}

void AddressPane::setExpanded(bool expanded)
{
    m_expand->setToolTip(expanded ? tr("Contract Address Book") : tr("Expand Address Book"));
}

std::optional<QStringList> AddressPane::selectedAddresses()
{
    QTableWidget *grid = m_parts.grid;
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    if (m_emailColumn < 0 || ranges.isEmpty())
        return std::nullopt;
    // One block of rows, taken top to bottom whichever way it was selected.
    const QTableWidgetSelectionRange &block = ranges.constFirst();
    QStringList addresses;
    for (int row = std::max(block.topRow(), 0); row <= block.bottomRow(); ++row) {
        const QTableWidgetItem *cell = grid->item(row, m_emailColumn);
        addresses << (cell ? cell->text() : QString());
    }
    return addresses;
}

std::optional<QString> AddressPane::paletteAddress()
{
    // The address palette comes with the address books' own work.
    return std::nullopt;
}

} // namespace ferrowen
