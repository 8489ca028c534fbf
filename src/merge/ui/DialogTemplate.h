#pragma once

#include "merge/MergeWindow.h"
#include "merge/TemplateHost.h"
#include "merge/TemplateSaveCheck.h"
#include "merge/TemplateText.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ferrowen {

// "Email Template": open, write, save and start anew a template, capture
// the subject and body from the compose form and insert them into it.
// Templates live as files in the templates folder; the dialog adds each
// newly saved one to the main window's lists.
//
// Unsaved changes are never dropped without asking: starting anew,
// choosing another template, inserting and closing first ask whether to
// save them, and a save that is refused stops the action. While a capture
// or an insertion waits for the compose form, the dialog's own Cancel ends
// the wait.
class DialogTemplate : public QDialog
{
    Q_OBJECT

public:
    DialogTemplate(TemplateHost &templates, MergeWindow &window, QWidget *parent = nullptr);

    bool hasUnsavedChanges() const { return m_changed; }

    // Closing (Escape, the title bar) is "&Close", or the end of a wait.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void fillTemplateList();

    void templateChosen(int index);
    void openTemplate(const QString &fileName);
    bool save();
    // Asks about unsaved changes; true when the action may go on.
    bool settleChanges();
    void startNewTemplate();
    void captureFromForm();
    void insertIntoForm();
    void closeDialog();

    TemplateHost::FormFill whileWaitingForForm(const std::function<TemplateHost::FormFill()> &fill);
    TemplateText boxesText() const;
    void showInBoxes(const TemplateText &text);
    void setNameText(const QString &name);
    void focusBox(TemplateBox box);

    TemplateHost &m_templates;
    MergeWindow &m_window;
    bool m_changed = false;
    bool m_waiting = false;
    bool m_paletteWasOpen = false;
    // The name as the user typed it or the dialog last set it: choosing an
    // entry replaces the text before the choice can be asked about.
    QString m_nameBeforeChoice;

    QComboBox *m_combo1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QPlainTextEdit *m_text2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QLabel *m_waitLabel = nullptr;
    QPushButton *m_cancelWait = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace ferrowen
