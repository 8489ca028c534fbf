#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace ferrowen {

// Asks for the name of a new item (Text1) under a caption. OK (OKButton),
// enabled while a name is typed, hands the name to `create`: the dialog
// closes once that succeeded and stays open otherwise. Cancel is
// CancelButton.
class NewNameDialog : public QDialog
{
    Q_OBJECT

public:
    using Create = std::function<bool(const QString &typedName)>;

    struct Captions
    {
        const char *objectName;
        QString title;
        QString label;
        // The label's object name, when it has one.
        const char *labelObjectName = nullptr;
    };

    NewNameDialog(const Captions &captions, Create create, QWidget *parent = nullptr);

    // The name as typed (not trimmed).
    QString typedName() const;

private:
    Create m_create;
    QLineEdit *m_text1 = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace ferrowen
