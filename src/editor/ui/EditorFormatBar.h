#pragma once

#include "editor/EditorCommand.h"

#include <QList>
#include <QToolBar>

class QAction;
class QComboBox;

namespace ferrowen {

// The editor panel's formatting bar: the buttons of Toolbar3, each known
// by its key, and the lists FontCombo, FontSizeCombo and ComboStyle. It
// shows what the panel tells it and reports what the user picks.
class EditorFormatBar : public QToolBar
{
    Q_OBJECT

public:
    // The format under the caret, for the buttons of the state table (in
    // its order) and the two font lists.
    struct DisplayState
    {
        QList<CommandStatus> buttons;
        bool fontKnown = false;
        QString font;
        bool sizeKnown = false;
        int size = 0; // below 1: mixed or unknown
    };

    explicit EditorFormatBar(QWidget *parent = nullptr);

    QAction *button(const char *key) const;
    QComboBox *fontCombo() const { return m_fontCombo; }     // FontCombo
    QComboBox *sizeCombo() const { return m_sizeCombo; }     // FontSizeCombo
    QComboBox *styleCombo() const { return m_styleCombo; }   // ComboStyle

    void showState(const DisplayState &state);
    // The expand key shows what it will do next.
    void showExpanded(bool expanded);

Q_SIGNALS:
    void buttonClicked(const QString &key);
    void fontChosen(int index);
    void sizeChosen(int index);
    void styleChosen(const QString &name);

private:
    QComboBox *m_fontCombo = nullptr;
    QComboBox *m_sizeCombo = nullptr;
    QComboBox *m_styleCombo = nullptr;
};

} // namespace ferrowen
