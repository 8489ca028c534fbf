#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace ferrowen {

// "New Address Book": asks for the new book's name (Text1). OK hands the
// name to `create`, which makes and opens the book; the dialog closes when
// it succeeded and stays open otherwise.
class DialogNewAddrBook : public QDialog
{
    Q_OBJECT

public:
    using Create = std::function<bool(const QString &typedName)>;

    DialogNewAddrBook(Create create, QWidget *parent = nullptr);

private:
    Create m_create;
    QLineEdit *m_text1;
    QPushButton *m_okButton;
};

} // namespace ferrowen
