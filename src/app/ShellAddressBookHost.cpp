#include "app/ShellAddressBookHost.h"

#include "app/MainForm.h"
#include "app/ShellState.h"
#include "platform/WebPage.h"
#include "platform/web/PageCallWaits.h"
#include "webmail/AddressInsertion.h"
#include "webmail/CaptureMessage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"

namespace ferrowen {

ShellAddressBookHost::ShellAddressBookHost(ComposeHost &compose, MainForm &form, const ShellState &state,
                                           MessageBoxes &messageBoxes, FileDialogs &fileDialogs)
    : m_compose(compose)
    , m_form(form)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
    , m_fileDialogs(fileDialogs)
{
}

void ShellAddressBookHost::insertIntoComposeForm(InsertField field)
{
    // The rows chosen at the click, even if the selection moves before a
    // page call that waits lets the insertion run.
    PageCallWaits::instance().whenNoneWaits(&m_form, [this, field, addresses = addressesToInsert(m_compose, field)] {
        Web_InsertField(m_compose, field, addresses);
    });
}

void ShellAddressBookHost::startPageWork(QObject *context, std::function<void()> work)
{
    PageCallWaits::instance().whenNoneWaits(context, std::move(work));
}

QString ShellAddressBookHost::mainDir() const
{
    return m_state.folders.MainDir();
}

void ShellAddressBookHost::showWebmailTab()
{
    if (m_compose.selectedTab() != Tab::InboxLogin)
        m_compose.selectTab(Tab::InboxLogin);
}

QString ShellAddressBookHost::webmailPageText()
{
    return m_compose.page(Pane::Inbox).bodyText();
}

const ProviderProfile &ShellAddressBookHost::detectProvider()
{
    return DetectProvider(m_compose);
}

QString ShellAddressBookHost::webmailSenderThroughScript(const ProviderProfile &profile)
{
    return displayedSenderThroughScript(m_compose.page(Pane::Inbox), profile);
}

ComposeState &ShellAddressBookHost::webmailState()
{
    return m_compose.state();
}

void ShellAddressBookHost::setStatusText(int panel, const QString &text)
{
    m_form.setStatusPanelText(panel, text);
}

} // namespace ferrowen
