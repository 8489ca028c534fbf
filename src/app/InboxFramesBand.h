#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ferrowen {

// The band above the main tabs: the frames of the "Inbox/Login" tab
// ("Save Messages Locally", "Inbox Management", "Compose") and, while the
// address pane is hidden, the buttons that bring it or the palette back.
class InboxFramesBand : public QWidget
{
    Q_OBJECT

public:
    explicit InboxFramesBand(QWidget *parent = nullptr);

    QPushButton *showAddressButton() const { return m_showAddress; } // CommandShowAddress
    QPushButton *paletteButton() const { return m_palette; }         // CommandTo
    QComboBox *folderCombo() const { return m_folders; }             // ComboFolders
    QPushButton *newFolderButton() const { return m_command6; }      // Command6
    QPushButton *saveMessageButton() const { return m_getBody; }     // GetBody
    QCheckBox *saveSentCheck() const { return m_saveSent; }          // CheckSaveSent
    QLabel *messageSavedLabel() const { return m_labelSaved; }       // LabelSaved
    QPushButton *checkSpamButton() const { return m_command2; }      // Command2
    QPushButton *checkUnreadButton() const { return m_command1; }    // Command1
    QPushButton *useTemplateButton() const { return m_command4; }    // Command4
    QComboBox *templateCombo() const { return m_comboTemplate; }      // ComboTemplate
    QPushButton *templateDialogButton() const { return m_commandTemplate; } // CommandTemplate
    QPushButton *mailMergeButton() const { return m_command5; }       // Command5

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSaveFrame();
    void placeSavedLabel();
    QWidget *buildInboxFrame();
    QWidget *buildComposeFrame();

    QPushButton *m_showAddress = nullptr;
    QPushButton *m_palette = nullptr;
    QComboBox *m_folders = nullptr;
    QPushButton *m_command6 = nullptr;
    QPushButton *m_getBody = nullptr;
    QCheckBox *m_saveSent = nullptr;
    QGroupBox *m_saveFrame = nullptr;
    QLabel *m_labelSaved = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command4 = nullptr;
    QComboBox *m_comboTemplate = nullptr;
    QPushButton *m_commandTemplate = nullptr;
    QPushButton *m_command5 = nullptr;
};

} // namespace ferrowen
