// The address pane's book: opening (Open_CSV), writing back
// (SaveAddressBook) and making a new one from the template.
#include "addressbook/ui/AddressPane.h"

#include "addressbook/AddressBookFile.h"
#include "addressbook/AddressBookNames.h"
#include "addressbook/ui/AddressBookHost.h"
#include "addressbook/ui/AddressCellEditor.h"
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/DialogNewAddrBook.h"
#include "settings/AppFolders.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QScopeGuard>

namespace ferrowen {

namespace {

// Widths the grid gives the named columns, in twips.
constexpr int EmailColumnWidth = 1300;
constexpr int LastNameColumnWidth = 700;

const QString UnableToCreate =
    QStringLiteral("Unable to create address book. Please check to make sure you have entered a valid file name.");

QDir addressBooksFolder(const AddressBookHost &host)
{
    return QDir(toFileSystemPath(AppFolders(host.mainDir()).path(AppPaths::AddressBooks)));
}

Status copyTemplate(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Status::failure(source.errorString());
    QDir().mkpath(QFileInfo(to).absolutePath());
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) < 0 || !target.commit())
        return Status::failure(target.errorString());
    return Status::success();
}

} // namespace

bool AddressPane::hasBookToWrite() const
{
    const AddressTable &table = m_parts.grid->addressModel().table();
    // An empty file read as a book stays empty.
    const bool empty = table.endColumn() <= 0 && table.rowCount() == 0 && table.columnName(0).isEmpty();
    return !m_currentPath.isEmpty() && !empty;
}

bool AddressPane::SaveAddressBook()
{
    if (!hasBookToWrite())
        return true;
    if (const Status written = writeAddressBookFile(m_currentPath, m_parts.grid->addressModel().table()); !written) {
        m_host.messageBoxes().show(tr("Unable to save the address book %1 (%2). Its changes are still in the grid.")
                                       .arg(QDir::toNativeSeparators(m_currentPath), written.error()),
                                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    }
    return true;
}

void AddressPane::saveFromToolbar()
{
    if (!hasBookToWrite()) {
        m_host.setStatusText(2, m_currentPath.isEmpty() ? tr("No address book is open") : tr("Nothing to save"));
        return;
    }
    if (SaveAddressBook())
        m_host.setStatusText(2, tr("Saved %1").arg(QDir::toNativeSeparators(m_currentPath)));
    else
        m_host.setStatusText(2, tr("Address book not saved"));
}

void AddressPane::saveAtExit()
{
    closePalette();
    if (!hasBookToWrite())
        return;
    const AddressTable &table = m_parts.grid->addressModel().table();
    QString path = m_currentPath;
    for (Status written = writeAddressBookFile(path, table); !written; written = writeAddressBookFile(path, table)) {
        const MessageBoxes::Answer answer = m_host.messageBoxes().show(
            tr("Unable to save the address book %1 (%2). Try again, save it elsewhere, or quit without saving "
               "its changes?")
                .arg(QDir::toNativeSeparators(path), written.error()),
            MessageBoxes::Buttons::RetrySaveElsewhereDiscard, MessageBoxes::Icon::Warning);
        if (answer == MessageBoxes::Answer::Discard)
            return;
        if (answer == MessageBoxes::Answer::SaveElsewhere) {
            const QString elsewhere = m_host.fileDialogs().saveFileName(
                tr("Save Address Book As"), QFileInfo(path).absolutePath(),
                tr("Address Book (*.csv);;Tab Delimited Text File (*.txt)"));
            if (!elsewhere.isEmpty())
                path = elsewhere;
        }
    }
    m_currentPath = path;
}

void AddressPane::Open_CSV()
{
    openBook(QString(), WriteBack::First);
}

void AddressPane::openBook(const QString &pendingPath, WriteBack writeBack)
{
    if (writeBack == WriteBack::First && !SaveAddressBook())
        return;
    // The palette is opened again at the end, listing whatever book is open then.
    const bool paletteWasOpen = isPaletteOpen();
    closePalette();
    const auto reopenPalette = qScopeGuard([this, paletteWasOpen] {
        if (paletteWasOpen)
            showPalette();
    });

    QString path = pendingPath;
    if (path.isEmpty()) {
        // The dialog opens inside the folder, not on it.
        const QString inside = addressBooksFolder(m_host).path() + QLatin1Char('/');
        path = m_host.fileDialogs().openFileName(tr("Open Address List"), inside,
                                                 tr("Address Book (*.csv);;Tab Delimited Text File (*.txt)"));
    }
    if (path.isEmpty() || path.contains(u'*'))
        return;

    // Read whole before the grid changes: a book that cannot be read leaves
    // the open one in place, and nothing half-read can be written back.
    StatusOr<AddressTable> read = readAddressBookFile(path);
    if (!read) {
        m_host.messageBoxes().show(
            tr("Unable to open the address book %1 (%2).").arg(QDir::toNativeSeparators(path), read.error()),
            MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return;
    }
    AddressTable table = std::move(read).value();
    m_columns = placeNamedColumns(table);
    m_cellEditor->clear();
    m_parts.grid->addressModel().setTable(std::move(table));
    m_currentPath = path;
    m_parts.bookName->setText(addressBookLabel(path));
    applyColumnWidths();
    showBookControls(true);
    if (!m_columns.addressesFound)
        m_host.messageBoxes().show(tr("Warning: Your address book does not appear to contain any email addresses."));
}

void AddressPane::applyColumnWidths()
{
    AddressGrid &grid = *m_parts.grid;
    if (m_columns.email >= 0)
        grid.setColumnWidthTwips(m_columns.email, EmailColumnWidth);
    if (m_columns.lastName >= 0) {
        grid.setColumnWidthTwips(m_columns.lastName, LastNameColumnWidth);
    } else {
        for (int column = 0; column < grid.Cols(); ++column)
            grid.setColumnWidthTwips(column, LastNameColumnWidth);
    }
    grid.setColumnHidden(grid.Cols() - 1, true);
}

void AddressPane::newAddressBook()
{
    if (!SaveAddressBook())
        return;
    DialogNewAddrBook dialog([this](const QString &typed) { return createBook(typed); }, m_parts.grid->window());
    dialog.exec();
}

bool AddressPane::createBook(const QString &typedName)
{
    MessageBoxes &boxes = m_host.messageBoxes();
    const StatusOr<QString> path = newAddressBookPath(addressBooksFolder(m_host).path(), typedName);
    if (!path) {
        boxes.show(UnableToCreate);
        return false;
    }
    if (QFileInfo::exists(*path)
        && boxes.show(tr("An address book with this name already exists. Do you want to overwrite it?"),
                      MessageBoxes::Buttons::YesNoDefaultNo)
            != MessageBoxes::Answer::Yes)
        return false;
    const QString blank = toFileSystemPath(AppFolders(m_host.mainDir()).path(AppPaths::BlankAddressBook));
    if (!copyTemplate(blank, *path)) {
        boxes.show(UnableToCreate);
        return false;
    }
    // The open book was written back before the dialog opened; written
    // again now it would land in the new book when it bears the same name.
    openBook(*path, WriteBack::No);
    return true;
}

} // namespace ferrowen
