#pragma once

#include "spell/SpellDialog.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ferrowen {

// The suggestion dialog: the misspelled word in its line, the suggestions,
// the word to write instead, and the dictionary to check with. Modal; it
// stands at the height the check asks for, so the marked word stays in
// sight.
class SpellingDialog : public QDialog, public SpellDialog
{
    Q_OBJECT

public:
    explicit SpellingDialog(QWidget *parent = nullptr);

    SpellAnswer ask(const SpellQuestion &question) override;

private:
    void show(const SpellQuestion &question);
    void answer(SpellAnswer::Action action);
    void placeAt(int top);

    QLabel *m_context = nullptr;
    QLineEdit *m_changeTo = nullptr;
    QListWidget *m_suggestions = nullptr;
    QComboBox *m_dictionaries = nullptr;
    QPushButton *m_change = nullptr;
    SpellAnswer m_answer;
};

} // namespace ferrowen
