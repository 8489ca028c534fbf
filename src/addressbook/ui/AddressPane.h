#pragma once

#include "webmail/AddressSource.h"

#include <QObject>

class QAction;
class QLabel;
class QLineEdit;
class QTableWidget;
class QToolBar;

namespace ferrowen {

class AddressBookHost;

// The address book pane's controls: the toolbar (Toolbar2), the book's
// name (LabelBkName), the grid (MSFlexGrid1) and its cell editor
// (TextEdit). The main window places them and hides or shows the pane; this
// class owns them and what they do. It is also where the address insertion
// takes the grid's selected addresses from.
class AddressPane : public QObject, public AddressSource
{
    Q_OBJECT

public:
    struct Parts
    {
        QToolBar *toolbar = nullptr;   // Toolbar2
        QLabel *bookName = nullptr;    // LabelBkName
        QTableWidget *grid = nullptr;  // MSFlexGrid1
        QLineEdit *cellEditor = nullptr; // TextEdit
    };

    explicit AddressPane(AddressBookHost &host, QObject *parent = nullptr);

    Parts parts() const { return m_parts; }

    // The expand button's tool tip follows the pane's state.
    void setExpanded(bool expanded);

    // The grid column that holds the e-mail addresses; -1 while no book is
    // open.
    int EmailColumn() const { return m_emailColumn; }
    void setEmailColumn(int column) { m_emailColumn = column; }

    std::optional<QStringList> selectedAddresses() override;
    std::optional<QString> paletteAddress() override;

Q_SIGNALS:
    // The toolbar's "expand" button: widen or narrow the pane.
    void expandToggled();

private:
    void buildToolbar();

    AddressBookHost &m_host;
    Parts m_parts;
    QAction *m_expand = nullptr;
    int m_emailColumn = -1;
};

} // namespace ferrowen
