#include "app/SubsystemHosts.h"

#include "app/MainForm.h"
#include "app/ShellState.h"
#include "app/settings/SettingsFile.h"
#include "platform/web/BrowserPane.h"
#include "webmail/AddressInsertion.h"
#include "webmail/ReplyOrForward.h"

namespace ferrowen {

namespace {

ComposeMode composeModeFor(SavedMessageAction action)
{
    switch (action) {
    case SavedMessageAction::ReplyWithText: return ComposeMode::ReplyWithText;
    case SavedMessageAction::ReplyBlank: return ComposeMode::ReplyBlank;
    case SavedMessageAction::Forward: return ComposeMode::Forward;
    case SavedMessageAction::SendAgain: return ComposeMode::SendAgain;
    }
    return ComposeMode::ReplyWithText;
}

} // namespace

ShellStoreHost::ShellStoreHost(ComposeHost &compose, const ShellState &state, MessageBoxes &messageBoxes)
    : m_compose(compose)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
{
}

void ShellStoreHost::runSavedMessageAction(SavedMessageAction action)
{
    ReplyOrForward(m_compose, composeModeFor(action));
}

bool ShellStoreHost::isStarting() const
{
    return m_state.starting;
}

ShellAddressBookHost::ShellAddressBookHost(ComposeHost &compose, MessageBoxes &messageBoxes)
    : m_compose(compose)
    , m_messageBoxes(messageBoxes)
{
}

void ShellAddressBookHost::insertIntoComposeForm(qint16 code)
{
    Web_InsertField(m_compose, code);
}

ShellEditorHost::ShellEditorHost(MainForm &form, ShellState &state, SettingsAccess &settings, Services services)
    : m_form(form)
    , m_state(state)
    , m_settings(settings)
    , m_services(services)
{
}

EditorPlacement &ShellEditorHost::placement()
{
    return m_state.editor;
}

AffiliateSettings &ShellEditorHost::affiliate()
{
    return m_state.affiliate;
}

WebPage &ShellEditorHost::inboxPage()
{
    return m_form.browser(1).document();
}

SpellDictionaries ShellEditorHost::dictionaries() const
{
    return m_state.dictionaries;
}

void ShellEditorHost::setMainDictionary(const QString &wordFile)
{
    m_state.dictionaries.mainSetting = wordFile;
    if (Status written = m_settings.SetIni(SettingsKeys::Locations, SettingsKeys::MainDictionary, wordFile); !written)
        qWarning("the chosen dictionary was not saved: %s", qPrintable(written.error()));
}

int ShellEditorHost::editorPanelHeight() const
{
    return m_form.editorHeight();
}

void ShellEditorHost::setEditorPanelHeight(int height)
{
    m_form.setEditorHeight(height);
}

int ShellEditorHost::firstPaneHeight() const
{
    return m_form.webBrowser1Geometry().height();
}

ShellMergeHost::ShellMergeHost(ComposeHost &compose, ShellState &state, ShowHelp showHelp,
                               MessageBoxes &messageBoxes)
    : m_compose(compose)
    , m_state(state)
    , m_showHelp(std::move(showHelp))
    , m_messageBoxes(messageBoxes)
{
}

TemplateText ShellMergeHost::templateText() const
{
    return {m_state.compose.TemplateSubject, m_state.compose.TemplateBody};
}

void ShellMergeHost::setTemplateText(const TemplateText &text)
{
    m_state.compose.TemplateSubject = text.subject;
    m_state.compose.TemplateBody = text.body;
}

void ShellMergeHost::insertTemplateIntoComposeForm()
{
    ReplyOrForward(m_compose, ComposeMode::InsertTemplate);
}

void ShellMergeHost::captureTemplateFromComposeForm()
{
    ReplyOrForward(m_compose, ComposeMode::CaptureTemplate);
}

bool ShellMergeHost::mergeInProgress() const
{
    return m_state.MergeInProgress;
}

void ShellMergeHost::setMergeInProgress(bool inProgress)
{
    m_state.MergeInProgress = inProgress;
}

} // namespace ferrowen
