#pragma once

#include <QWidget>

#include <optional>

class QComboBox;
class QStringListModel;

namespace ferrowen {

// The e-mail address palette "Email Addresses": a small window above all
// others whose list Combo1 holds the open book's addresses. Choosing one
// sends it to the compose form's To field.
class FormEmail : public QWidget
{
    Q_OBJECT

public:
    explicit FormEmail(QWidget *parent = nullptr);

    void setAddresses(const QStringList &addresses);
    // The entry at the list's current index; nothing when the list is empty.
    std::optional<QString> chosenAddress() const;
    QComboBox *list() const { return m_combo1; }

Q_SIGNALS:
    void addressChosen();

private:
    QComboBox *m_combo1;
    QStringListModel *m_addresses;
};

} // namespace ferrowen
