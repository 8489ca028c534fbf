#include "editor/ui/EditorFormatBar.h"

#include "editor/EditorLists.h"
#include "editor/ui/EditorIcons.h"
#include "platform/ui/NamedWidget.h"
#include "platform/ui/ToolButtons.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace ferrowen {

namespace {

struct Key
{
    const char *key;
    const char *toolTip;
};

// In display order.
const Key keys[] = {
    {"open", "Open HTML File "},
    {"save", "Save Blog as HTML File"},
    {"cut", "Cut"},
    {"copy", "Copy"},
    {"paste", "Paste"},
    {"Bold", "Bold"},
    {"Italic", "Italic"},
    {"Underline", "Underline"},
    {"Color", "Text Color"},
    {"LeftJustify", "Justify Left"},
    {"Center", "Center"},
    {"RightJustify", "Justify Right"},
    {"Numbers", "Numbering"},
    {"Bullets", "Bullet Points"},
    {"Outdent", "Decrease Indent"},
    {"Indent", "Increase Indent"},
    {"link", "Insert Hyperlink"},
    {"image", "Insert Image"},
    {"table", "Insert Table"},
    {"spell", "Spell Check"},
    {"expand", "Expand Editor"},
    {"hide", "Hide Editor"},
};

// Groups of buttons, separated on the bar, start at these keys.
bool startsGroup(const char *key)
{
    const QLatin1String name(key);
    return name == QLatin1String("cut") || name == QLatin1String("Bold") || name == QLatin1String("LeftJustify")
           || name == QLatin1String("Numbers") || name == QLatin1String("link") || name == QLatin1String("spell");
}

QComboBox *list(const char *name, const QStringList &items, bool showsAnyText, int characters)
{
    auto *combo = named(new QComboBox, name);
    combo->addItems(items);
    combo->setMinimumContentsLength(characters);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (showsAnyText) {
        // Shows the format under the caret, which may not be in the list;
        // the user picks from the list only.
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setReadOnly(true);
    }
    combo->setCurrentIndex(-1);
    return combo;
}

} // namespace

EditorFormatBar::EditorFormatBar(QWidget *parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("Toolbar3"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);

    const QList<ToolbarStateEntry> stateful = toolbarStateTable();
    for (const Key &entry : keys) {
        if (startsGroup(entry.key))
            addSeparator();
        QAction *action = addToolButton(this, entry.key, QLatin1String(entry.toolTip));
        action->setIcon(editorIcon(QString::fromLatin1(entry.key)));
        const bool showsState = std::any_of(stateful.begin(), stateful.end(), [&](const ToolbarStateEntry &state) {
            return qstrcmp(state.key, entry.key) == 0 && state.command != EditorCommand::SetForeColor;
        });
        action->setCheckable(showsState);
        const QString key = QLatin1String(entry.key);
        connect(action, &QAction::triggered, this, [this, key] { Q_EMIT buttonClicked(key); });
    }

    addSeparator();
    m_styleCombo = list("ComboStyle", editorStyleNames(), false, 9);
    m_styleCombo->setToolTip(tr("Paragraph Style"));
    m_fontCombo = list("FontCombo", editorFontNames(), true, 12);
    m_fontCombo->setToolTip(tr("Font"));
    m_sizeCombo = list("FontSizeCombo", editorFontSizes(), true, 2);
    m_sizeCombo->setToolTip(tr("Font Size"));
    for (QComboBox *combo : {m_styleCombo, m_fontCombo, m_sizeCombo}) {
        combo->setAccessibleName(combo->toolTip());
        // Screen readers meet the text box of an editable list on its own.
        if (combo->lineEdit())
            combo->lineEdit()->setAccessibleName(combo->toolTip());
        addWidget(combo);
    }
    connect(m_fontCombo, &QComboBox::activated, this, &EditorFormatBar::fontChosen);
    connect(m_sizeCombo, &QComboBox::activated, this, &EditorFormatBar::sizeChosen);
    connect(m_styleCombo, &QComboBox::activated, this,
            [this](int index) { Q_EMIT styleChosen(m_styleCombo->itemText(index)); });
}

QAction *EditorFormatBar::button(const char *key) const
{
    return findChild<QAction *>(QLatin1String(key), Qt::FindDirectChildrenOnly);
}

void EditorFormatBar::showState(const DisplayState &state)
{
    const QList<ToolbarStateEntry> table = toolbarStateTable();
    for (int i = 0; i < table.size() && i < state.buttons.size(); ++i) {
        QAction *action = button(table[i].key);
        action->setEnabled(isAvailable(state.buttons[i]));
        if (action->isCheckable())
            action->setChecked(state.buttons[i] == CommandStatus::Latched);
    }

    m_fontCombo->setEnabled(state.fontKnown);
    m_fontCombo->setEditText(state.fontKnown ? state.font : QString());
    m_sizeCombo->setEnabled(state.sizeKnown);
    m_sizeCombo->setEditText(state.sizeKnown && state.size >= 1 ? QString::number(state.size) : QString());
}

void EditorFormatBar::showExpanded(bool expanded)
{
    QAction *expand = button("expand");
    const QString tip = expanded ? QStringLiteral("Contract Editor") : QStringLiteral("Expand Editor");
    expand->setToolTip(tip);
    expand->setText(tip);
    expand->setIcon(editorIcon(expanded ? u"contract" : u"expand"));
}

} // namespace ferrowen
