#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ferrowen {

// The "Settings" tab. Its controls are not stored: every start shows them
// at the values built here. The spam keyword editor (TextSpam with its
// "Close" button) lies over the whole panel while it is open.
class SettingsPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr QStringView YahooStartAddress = u"https://mail.yahoo.com/";
    static constexpr QStringView HotmailStartAddress = u"https://outlook.live.com/";

    explicit SettingsPanel(QWidget *parent = nullptr);

    void openSpamEditor();
    void closeSpamEditor();
    // Places the spam keyword editor (pixels, relative to this panel).
    void setSpamEditorGeometry(const QRect &pixels);

    QComboBox *defaultFolderCombo() const { return m_comboFolders3; }
    QComboBox *defaultTemplateCombo() const { return m_comboTemplate2; }
    QCheckBox *showPaletteOnStartup() const { return m_checkEmail; }

    // Shows the address pinned to a provider (its key; empty: none).
    void showProviderPin(const QString &address, const QString &providerKey);

Q_SIGNALS:
    // "&Pin" was pressed: pages under the address are the provider's (its
    // key); an empty key takes the pin away.
    void providerPinRequested(const QString &address, const QString &providerKey);
    // "Set Ferrowen as your Default E-mail Program" was pressed: its help
    // topic explains how; the program changes no system setting itself.
    void defaultMailProgramHelpRequested();

private:
    QWidget *buildStartPageFrame();
    QWidget *buildSpamFrame();
    QWidget *buildProviderFrame();

    QRadioButton *m_optionY = nullptr;
    QLineEdit *m_textYahoo = nullptr;
    QRadioButton *m_optionH = nullptr;
    QLineEdit *m_textHotmail = nullptr;
    QCheckBox *m_checkEmail = nullptr;
    QLineEdit *m_textPinAddress = nullptr;
    QComboBox *m_comboPinProvider = nullptr;
    QComboBox *m_comboFolders3 = nullptr;
    QComboBox *m_comboTemplate2 = nullptr;
    QPlainTextEdit *m_textSpam = nullptr;
    QPushButton *m_spamClose = nullptr;
};

} // namespace ferrowen
