#include "spell/ui/SpellingDialog.h"

#include "platform/ui/NamedWidget.h"
#include "spell/DictionaryChoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ferrowen {

SpellingDialog::SpellingDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SpellingDialog"));
    setWindowTitle(tr("Spelling"));
    setModal(true);

    m_context = named(new QLabel, "LabelContext");
    m_context->setTextFormat(Qt::RichText);
    m_context->setWordWrap(true);
    m_context->setMinimumWidth(360);
    m_context->setFrameShape(QFrame::StyledPanel);
    m_context->setMargin(6);
    m_changeTo = named(new QLineEdit, "TextChangeTo");
    m_suggestions = named(new QListWidget, "ListSuggestions");
    m_suggestions->setAccessibleName(tr("Suggestions"));
    m_dictionaries = named(new QComboBox, "ComboDictionary");

    auto *grid = new QGridLayout;
    auto *notFound = new QLabel(tr("Not in dictionary:"));
    auto *changeTo = new QLabel(tr("Change &to:"));
    changeTo->setBuddy(m_changeTo);
    auto *suggestions = new QLabel(tr("&Suggestions:"));
    suggestions->setBuddy(m_suggestions);
    auto *dictionary = new QLabel(tr("&Dictionary:"));
    dictionary->setBuddy(m_dictionaries);
    grid->addWidget(notFound, 0, 0, Qt::AlignTop);
    grid->addWidget(m_context, 0, 1);
    grid->addWidget(changeTo, 1, 0);
    grid->addWidget(m_changeTo, 1, 1);
    grid->addWidget(suggestions, 2, 0, Qt::AlignTop);
    grid->addWidget(m_suggestions, 2, 1);
    grid->addWidget(dictionary, 3, 0);
    grid->addWidget(m_dictionaries, 3, 1);

    auto *buttons = new QVBoxLayout;
    const auto button = [&](const QString &text, const char *name, SpellAnswer::Action action) {
        auto *pushButton = named(new QPushButton(text), name);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, [this, action] { answer(action); });
        buttons->addWidget(pushButton);
        return pushButton;
    };
    m_change = button(tr("&Change"), "CommandChange", SpellAnswer::Action::Change);
    m_change->setDefault(true);
    button(tr("Change A&ll"), "CommandChangeAll", SpellAnswer::Action::ChangeAll);
    button(tr("&Ignore"), "CommandIgnore", SpellAnswer::Action::Ignore);
    button(tr("I&gnore All"), "CommandIgnoreAll", SpellAnswer::Action::IgnoreAll);
    button(tr("&Add to Dictionary"), "CommandAdd", SpellAnswer::Action::AddToDictionary);
    buttons->addStretch();
    button(tr("Cancel"), "CommandCancel", SpellAnswer::Action::Cancel);

    auto *columns = new QHBoxLayout(this);
    columns->addLayout(grid, 1);
    columns->addLayout(buttons);

    connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] { answer(SpellAnswer::Action::Change); });
    connect(m_dictionaries, &QComboBox::activated, this, [this] {
        m_answer.dictionary = m_dictionaries->currentData().toString();
        answer(SpellAnswer::Action::UseDictionary);
    });
}

void SpellingDialog::show(const SpellQuestion &question)
{
    const QString before = question.context.left(question.wordInContext).toHtmlEscaped();
    const QString word = question.context.mid(question.wordInContext, question.word.size()).toHtmlEscaped();
    const QString after = question.context.mid(question.wordInContext + question.word.size()).toHtmlEscaped();
    m_context->setText(before + QStringLiteral("<b style=\"color:#b00020\">") + word + QStringLiteral("</b>") + after);

    m_suggestions->clear();
    m_suggestions->addItems(question.suggestions);
    m_changeTo->setText(question.suggestions.value(0, question.word));
    if (!question.suggestions.isEmpty())
        m_suggestions->setCurrentRow(0);

    const QSignalBlocker blocker(m_dictionaries);
    m_dictionaries->clear();
    for (const QString &wordFile : question.dictionaries)
        m_dictionaries->addItem(dictionaryName(wordFile), wordFile);
    m_dictionaries->setCurrentIndex(m_dictionaries->findData(question.dictionary));
    m_changeTo->setFocus();
}

void SpellingDialog::placeAt(int top)
{
    QWidget *window = parentWidget() ? parentWidget()->window() : nullptr;
    if (!window)
        return;
    adjustSize();
    const QRect frame = window->frameGeometry();
    move(frame.left() + (frame.width() - width()) / 2, frame.top() + top);
}

SpellAnswer SpellingDialog::ask(const SpellQuestion &question)
{
    m_answer = {};
    show(question);
    placeAt(question.top);
    if (exec() != QDialog::Accepted)
        m_answer.action = SpellAnswer::Action::Cancel;
    return m_answer;
}

void SpellingDialog::answer(SpellAnswer::Action action)
{
    m_answer.action = action;
    if (action == SpellAnswer::Action::Change || action == SpellAnswer::Action::ChangeAll)
        m_answer.replacement = m_changeTo->text();
    if (action == SpellAnswer::Action::Cancel)
        reject();
    else
        accept();
}

} // namespace ferrowen
