#pragma once

#include "addressbook/AddressColumns.h"
#include "addressbook/SenderAddress.h"
#include "platform/ui/PaneParts.h"
#include "webmail/AddressSource.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QToolBar;

namespace ferrowen {

class AddressBookHost;
class AddressCellEditor;
class AddressGrid;
class DialogFind;
class FormEmail;

// The address book pane: the toolbar (Toolbar2), the book's name
// (LabelBkName), the cell editor (LabelEdit, TextEdit) and the grid
// (MSFlexGrid1), with what they do: opening, making and saving books,
// adding, removing, sorting and finding addresses, the find dialog and the
// address palette. The main window places the controls and hides or shows
// the pane. The address insertion takes the grid's selected addresses and
// the palette's choice from here.
class AddressPane : public QObject, public AddressSource
{
    Q_OBJECT

public:
    struct Parts
    {
        QToolBar *toolbar = nullptr;     // Toolbar2
        QLabel *bookName = nullptr;      // LabelBkName
        QLabel *cellLabel = nullptr;     // LabelEdit
        QLineEdit *cellEditor = nullptr; // TextEdit
        AddressGrid *grid = nullptr;     // MSFlexGrid1
    };

    explicit AddressPane(AddressBookHost &host, QObject *parent = nullptr);
    ~AddressPane() override;

    Parts parts() const { return m_parts; }

    // The expand button's tool tip follows the pane's state.
    void setExpanded(bool expanded);

    // --- The open book (AddressPaneBook.cpp) ---
    // Writes the open book back, then asks for a book and opens it.
    void Open_CSV();
    // Writes the open book back to its file. A failure is shown, and false
    // tells the caller to keep the book open: its edits are not lost.
    bool SaveAddressBook();
    // The "save" key: writes the open book back and says in the status bar
    // where it went, or that it did not.
    void saveFromToolbar();
    // The "new" key: writes the open book back, then asks for a new book's
    // name, makes it from the template and opens it.
    void newAddressBook();
    // The program closes: the open book is written back. When that fails
    // the user chooses: try again, save it elsewhere, or quit without it.
    void saveAtExit();
    QString currentPath() const { return m_currentPath; }
    // The grid column of the e-mail addresses; -1 while no book is open.
    int EmailColumn() const { return m_columns.email; }
    const AddressColumns &namedColumns() const { return m_columns; }

    // --- Addresses ---
    void AddAddressRow();
    void RemoveAddresses();
    void showFindDialog();
    // The "addmsg" key: the sender of the message displayed in the webmail
    // pane becomes a new row ("Addr Added" in the status bar), or "Unable to
    // locate address. Are you sure a message is displayed?". An open palette
    // is opened again, listing the new address.
    void AddSenderAddress();

    // --- The palette FormEmail ---
    void showPalette();
    void closePalette();
    bool isPaletteOpen() const;
    // Keeps the palette's height on screen, its left edge at x.
    void movePaletteLeftTo(int x);

    // The pane was shown again: an open book's grid shows with it.
    void paneShown();

    std::optional<QStringList> selectedAddresses() override;
    std::optional<QString> paletteAddress() override;

Q_SIGNALS:
    // The toolbar's "expand" button: widen or narrow the pane.
    void expandToggled();

private:
    void buildToolbar();
    void showBookControls(bool shown);
    void sortByHeader(int column);
    void findAddress(const QString &text);
    std::optional<SenderAddress> displayedSender();
    void appendSender(const SenderAddress &sender);
    // AddressPaneBook.cpp
    enum class WriteBack { First, No };
    void openBook(const QString &pendingPath, WriteBack writeBack);
    bool hasBookToWrite() const;
    bool createBook(const QString &typedName);
    void applyColumnWidths();

    AddressBookHost &m_host;
    Parts m_parts;
    AddressCellEditor *m_cellEditor = nullptr;
    QAction *m_expand = nullptr;
    QPointer<DialogFind> m_find;
    QPointer<FormEmail> m_palette;
    PaneParts m_handedParts;

    QString m_currentPath;
    AddressColumns m_columns;
    int m_findColumn = 0;
};

} // namespace ferrowen
