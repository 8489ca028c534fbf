#include "app/SubsystemHosts.h"

#include "app/ShellState.h"
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

ShellAddressBookHost::ShellAddressBookHost(ComposeHost &compose, const ShellState &state, MessageBoxes &messageBoxes,
                                           FileDialogs &fileDialogs)
    : m_compose(compose)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
    , m_fileDialogs(fileDialogs)
{
}

void ShellAddressBookHost::insertIntoComposeForm(qint16 code)
{
    Web_InsertField(m_compose, code);
}

QString ShellAddressBookHost::mainDir() const
{
    return m_state.mainDir;
}

ShellEditorHost::ShellEditorHost(ShellState &state, SettingsAccess &settings, MessageBoxes &messageBoxes)
    : m_state(state)
    , m_settings(settings)
    , m_messageBoxes(messageBoxes)
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
