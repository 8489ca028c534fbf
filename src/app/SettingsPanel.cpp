#include "app/SettingsPanel.h"
#include "platform/ui/NamedWidget.h"
#include "webmail/ProviderProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QComboBox *singleEntryCombo(const char *objectName, const QString &entry)
{
    auto *combo = named(new QComboBox, objectName);
    combo->addItem(entry);
    combo->setCurrentIndex(0);
    combo->setMinimumContentsLength(16);
    return combo;
}

} // namespace

SettingsPanel::SettingsPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("PictureSettings"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);

    auto *column = new QVBoxLayout;
    column->setSpacing(10);
    column->addWidget(buildStartPageFrame());
    column->addWidget(buildProviderFrame());

    column->addWidget(named(new QCheckBox(tr("Go directly to &inbox after login (bypass mail home page)")),
                            "CheckGotoInbox"));
    m_checkEmail = named(new QCheckBox(tr("Show &Email Address Palette on Startup")), "CheckEmail");
    column->addWidget(m_checkEmail);

    auto *defaults = new QFormLayout;
    defaults->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_comboFolders3 = singleEntryCombo("ComboFolders3", QStringLiteral("Saved"));
    m_comboTemplate2 = singleEntryCombo("ComboTemplate2", QStringLiteral("Saved"));
    m_comboFolders3->setAccessibleName(tr("Default Folder for Saving Messages"));
    m_comboTemplate2->setAccessibleName(tr("Default Email Template"));
    defaults->addRow(named(new QLabel(tr("Default Folder for Saving Messages:")), "LabelFolders3"), m_comboFolders3);
    defaults->addRow(named(new QLabel(tr("Default Email Template:")), "LabelTemplate2"), m_comboTemplate2);
    column->addLayout(defaults);

    auto *defBrowser =
        named(new QPushButton(tr("Set &Ferrowen as your Default E-mail Program (for mailto links)")), "CommandDefBrowser");
    connect(defBrowser, &QPushButton::clicked, this, &SettingsPanel::defaultMailProgramHelpRequested);
    auto *defBrowserRow = new QHBoxLayout;
    defBrowserRow->addWidget(defBrowser);
    defBrowserRow->addStretch(1);
    column->addLayout(defBrowserRow);

    column->addWidget(buildSpamFrame());
    column->addStretch(1);

    // Keep the settings readable on a wide window: one column on the left.
    auto *content = named(new QWidget, "SettingsContent");
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(16, 12, 16, 12);
    row->addLayout(column, 0);
    row->addStretch(1);

    // On a small window the column scrolls rather than being cut off.
    auto *scroll = named(new QScrollArea, "SettingsScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    // The keyword editor is laid over the panel by the main window's layout,
    // not by the column above.
    m_textSpam = named(new QPlainTextEdit(this), "TextSpam");
    m_textSpam->setAccessibleName(tr("Spam Keywords"));
    m_textSpam->hide();
    m_spamClose = named(new QPushButton(tr("Close"), this), "SpamClose");
    m_spamClose->hide();
    connect(m_spamClose, &QPushButton::clicked, this, &SettingsPanel::closeSpamEditor);
}

QWidget *SettingsPanel::buildStartPageFrame()
{
    auto *frame = named(new QGroupBox(tr("Start Page")), "FrameStartPage");
    auto *grid = new QGridLayout(frame);
    m_optionY = named(new QRadioButton(tr("&Yahoo Mail:")), "OptionY");
    m_optionY->setChecked(true);
    m_textYahoo = named(new QLineEdit(YahooStartAddress.toString()), "TextYahoo");
    m_optionH = named(new QRadioButton(tr("MSN &Hotmail")), "OptionH");
    m_textHotmail = named(new QLineEdit(HotmailStartAddress.toString()), "TextHotmail");
    for (QLineEdit *address : {m_textYahoo, m_textHotmail})
        address->setMinimumWidth(260);
    grid->addWidget(m_optionY, 0, 0);
    grid->addWidget(m_textYahoo, 0, 1);
    grid->addWidget(m_optionH, 1, 0);
    grid->addWidget(m_textHotmail, 1, 1);
    return frame;
}

// Webmail pages are recognised by their own markers; a site that hides them
// is pinned here to its provider.
QWidget *SettingsPanel::buildProviderFrame()
{
    auto *frame = named(new QGroupBox(tr("Webmail Provider")), "FrameProvider");
    auto *grid = new QGridLayout(frame);
    m_textPinAddress = named(new QLineEdit, "TextPinAddress");
    m_textPinAddress->setPlaceholderText(tr("https://mail.example.org/"));
    m_textPinAddress->setMinimumWidth(200);
    m_textPinAddress->setAccessibleName(tr("Webmail address"));
    m_comboPinProvider = named(new QComboBox, "ComboPinProvider");
    m_comboPinProvider->setAccessibleName(tr("Provider"));
    m_comboPinProvider->addItem(tr("Recognised by its pages"), QString());
    for (const ProviderProfile &profile : providerProfiles())
        m_comboPinProvider->addItem(profile.displayName, profile.key);
    auto *pin = named(new QPushButton(tr("&Pin")), "CommandPin");
    pin->setAccessibleName(tr("Pin"));
    connect(pin, &QPushButton::clicked, this, [this] {
        Q_EMIT providerPinRequested(m_textPinAddress->text().trimmed(), m_comboPinProvider->currentData().toString());
    });
    auto *addressLabel = named(new QLabel(tr("Webmail &address:")), "LabelPinAddress");
    addressLabel->setBuddy(m_textPinAddress);
    auto *providerLabel = named(new QLabel(tr("P&rovider:")), "LabelPinProvider");
    providerLabel->setBuddy(m_comboPinProvider);
    // No wider than the start page frame above it: the column stays
    // readable on a small window.
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_textPinAddress, 0, 1);
    grid->addWidget(providerLabel, 1, 0);
    grid->addWidget(m_comboPinProvider, 1, 1);
    grid->addWidget(pin, 2, 1, Qt::AlignLeft);
    return frame;
}

void SettingsPanel::showProviderPin(const QString &address, const QString &providerKey)
{
    m_textPinAddress->setText(address);
    const int index = m_comboPinProvider->findData(providerKey);
    m_comboPinProvider->setCurrentIndex(index < 0 ? 0 : index);
}

QWidget *SettingsPanel::buildSpamFrame()
{
    auto *frame = named(new QGroupBox(tr("Inbox Management/Spam Settings")), "FrameSpamSettings");
    auto *rows = new QVBoxLayout(frame);

    auto *unread = named(new QComboBox, "ComboUnread");
    unread->addItems({tr("All Unread Messages"), tr("First 5 Unread Messages"), tr("First 10 Unread Messages"),
                      tr("First 15 Unread Messages"), tr("First 20 Unread Messages")});
    unread->setCurrentIndex(0);
    auto *unreadRow = new QHBoxLayout;
    unreadRow->addWidget(named(new QLabel(tr("Messages to select with Check Unread:")), "LabelUnread"));
    unreadRow->addWidget(unread);
    unreadRow->addStretch(1);
    rows->addLayout(unreadRow);

    rows->addWidget(named(new QCheckBox(tr("Check Spam looks at unread messages only")), "CheckSpamUnread"));
    rows->addWidget(named(new QCheckBox(tr("Check Spam counts messages not in English as spam")), "CheckNonEnglish"));

    auto *keywords = named(new QPushButton(tr("Edit Spam &Keywords")), "Command7");
    connect(keywords, &QPushButton::clicked, this, &SettingsPanel::openSpamEditor);
    auto *keywordsRow = new QHBoxLayout;
    keywordsRow->addWidget(keywords);
    keywordsRow->addStretch(1);
    rows->addLayout(keywordsRow);
    return frame;
}

void SettingsPanel::openSpamEditor()
{
    m_textSpam->show();
    m_textSpam->raise();
    m_spamClose->show();
    m_spamClose->raise();
}

void SettingsPanel::closeSpamEditor()
{
    m_textSpam->hide();
    m_spamClose->hide();
}

void SettingsPanel::setSpamEditorGeometry(const QRect &pixels)
{
    m_textSpam->setGeometry(pixels);
    // The close button sits in the editor's lower right corner, above it.
    const QSize button = m_spamClose->sizeHint();
    const int margin = 8;
    m_spamClose->setGeometry(pixels.right() - button.width() - margin, pixels.bottom() - button.height() - margin,
                             button.width(), button.height());
}

} // namespace ferrowen
